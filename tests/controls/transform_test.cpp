// The window shaping class on the framework's real forms and controls under the virtual
// display: window regions read back, and the screen showing what lies behind the cuts.
// GF_EXCLUSIVE_DISPLAY (places top-most windows, reads screen pixels)
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "HostWindow.h"
#include "TestSupport.h"
#include "controls/clsTransForm.h"
#include "framework/Forms.h"

using namespace testing_support;
using Log = std::vector<std::string>;

namespace {

constexpr COLORREF kKey = RGB(255, 0, 255), kPaint = RGB(20, 40, 200), kBehind = RGB(30, 120, 60),
                   kFormBack = RGB(200, 190, 150);

// Twips of n pixels: the fixture sets 15 twips per pixel.
constexpr int Px(int n) { return n * 15; }

// Row 1: the colour from column 15 to past the right edge. Row 3: the colour at 2-4 and
// 6-8, the paint at 5 between them.
bool Keyed(int x, int y) { return (y == 1 && x >= 15) || (y == 3 && x >= 2 && x <= 8 && x != 5); }
#define KEYED "BackStyle=1; BackColor=&H00FF00FF&; BorderStyle=0"
const gf::DesignRow kRuns[] = {
    {"Shape", "shpBand", -1, "", Px(15), Px(1), Px(400), Px(1), "", "", KEYED},
    {"Shape", "shpRun", 0, "", Px(2), Px(3), Px(3), Px(1), "", "", KEYED},
    {"Shape", "shpRun", 1, "", Px(6), Px(3), Px(3), Px(1), "", "", KEYED},
};

// A picture box with a sunken edge (a client area of 36 x 26) and the colour at (5, 4)
// to (14, 11) of it.
const gf::DesignRow kPicture[] = {
    {"PictureBox", "picShape", -1, "", Px(10), Px(10), Px(40), Px(30), "", "", "BorderStyle=1; BackColor=&H00C82814&"},
    {"Shape", "shpKey", -1, "picShape", Px(5), Px(4), Px(10), Px(8), "", "", KEYED},
};

const gf::DesignRow kKinds[] = {
    {"CommandButton", "cmdShape", -1, "", Px(10), Px(10), Px(80), Px(26), "Shape"},
    {"CheckBox", "chkOpaque", -1, "", Px(10), Px(45), Px(100), Px(20), "Shape", "", "BackStyle=1"},
    {"OptionButton", "optOpaque", -1, "", Px(10), Px(70), Px(100), Px(20), "Shape", "", "BackStyle=1"},
    {"CheckBox", "chkClear", -1, "", Px(10), Px(95), Px(100), Px(20), "Shape"},
    {"Label", "lblOther", -1, "", Px(120), Px(10), Px(80), Px(20), "Other", "", "ForeColor=&H000000FF&"},
    {"TextBox", "txtOther", -1, "", Px(120), Px(40), Px(80), Px(22), "Other"},
    {"Frame", "fraOther", -1, "", Px(120), Px(70), Px(80), Px(40), "Other", "", "BackStyle=1; BackColor=&H00FF00FF&"},
};

// Where the client area starts within the window.
POINT ClientOrigin(HWND window) {
    RECT outer;
    GetWindowRect(window, &outer);
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    return {origin.x - outer.left, origin.y - outer.top};
}

// How many pixels of the window's rectangle, and of a 1-pixel margin around it, are in
// its region where kept(x, y) (window pixels) says they should not be, or the reverse.
int Misses(HWND window, const std::function<bool(int x, int y)>& kept) {
    WindowRegion region(window);
    RECT outer;
    GetWindowRect(window, &outer);
    int misses = 0;
    for (int y = -1; y <= outer.bottom - outer.top; ++y)
        for (int x = -1; x <= outer.right - outer.left; ++x) misses += region.Contains(x, y) != kept(x, y);
    return misses;
}

// Kept: the client area less the pixels cut(x, y) names (client pixels).
int ClientMisses(HWND window, const std::function<bool(int x, int y)>& cut) {
    const POINT o = ClientOrigin(window);
    RECT client;
    GetClientRect(window, &client);
    return Misses(window, [&](int x, int y) {
        POINT p{x - o.x, y - o.y};
        return PtInRect(&client, p) && !cut(p.x, p.y);
    });
}

class TransFormTest : public ::testing::Test {
protected:
    TransFormTest() { gf::Screen::OverrideTwipsPerPixel(15, 15); }
    ~TransFormTest() override { gf::Screen::OverrideTwipsPerPixel(0, 0); }

    // A form of w x h client pixels at (x, y) on the screen, in front of the host.
    std::unique_ptr<gf::Form> Shown(std::span<const gf::DesignRow> design, gf::FormBorder border, int x, int y, int w,
                                    int h, COLORREF back = kPaint) {
        auto f = std::make_unique<gf::Form>("frmShaped", design);
        f->SetBorderStyle(border);
        f->SetBackColor(back);
        f->SetStartUpPosition(gf::StartUpPosition::Manual);
        f->SetClientSize(Px(w), Px(h));
        f->Move(Px(x), Px(y), f->Width(), f->Height());
        f->Show();
        SetWindowPos(f->Hwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        PumpFor(50);
        return f;
    }

    HostWindow host{100, 100, 360, 200, kBehind};
    clsTransForm shaper;
};

}  // namespace

TEST_F(TransFormTest, AFormLosesExactlyThePixelsOfTheColourItsSurfacePaints) {
    auto f = Shown(kRuns, gf::FormBorder::None, 120, 120, 20, 6);
    shaper.ShapeMe(*f, kKey);
    EXPECT_EQ(Xy(shaper.TargetWidth(), shaper.TargetHeight()), "20,6");
    WindowRegion region(f->Hwnd());
    std::string rows;
    for (int y : {1, 2, 3})
        for (int x = 0; x <= 20; ++x) rows += x == 20 ? ' ' : region.Contains(x, y) ? '#' : '.';
    // The run to the right edge stops there: row 2 stays whole.
    EXPECT_EQ(rows, "###############..... #################### ##...#...########### ");
    EXPECT_EQ(ClientMisses(f->Hwnd(), Keyed), 0);
    // What lies behind shows through the cut pixels, and only there.
    EXPECT_TRUE(PumpUntil([&] { return ClientPixel(f->Hwnd(), 17, 1) == kBehind; }, 2000));
    EXPECT_EQ(ClientPixel(f->Hwnd(), 5, 3), kPaint);
    EXPECT_EQ(ClientPixel(f->Hwnd(), 3, 3), kBehind);
}

// The pixels read are client pixels; the cut lands on them, not a caption's height above.
TEST_F(TransFormTest, AFormWithACaptionAndABorderedPictureBoxAreCutWhereTheColourIs) {
    auto captioned = Shown(kRuns, gf::FormBorder::FixedSingle, 120, 120, 140, 6);
    shaper.ShapeMe(*captioned, kKey);
    EXPECT_EQ(ClientMisses(captioned->Hwnd(), Keyed), 0);
    EXPECT_TRUE(PumpUntil([&] { return ClientPixel(captioned->Hwnd(), 17, 1) == kBehind; }, 2000));
    EXPECT_EQ(ClientPixel(captioned->Hwnd(), 5, 3), kPaint);
    captioned.reset();

    auto f = Shown(kPicture, gf::FormBorder::None, 120, 120, 60, 50, kFormBack);
    auto& picture = f->Get<gf::PictureBox>("picShape");
    shaper.ShapeMe(picture, kKey);
    EXPECT_EQ(Xy(shaper.TargetWidth(), shaper.TargetHeight()), "36,26");
    EXPECT_EQ(ClientMisses(picture.Hwnd(), [](int x, int y) { return x >= 5 && x < 15 && y >= 4 && y < 12; }), 0);
    EXPECT_TRUE(PumpUntil([&] { return ClientPixel(picture.Hwnd(), 9, 7) == kFormBack; }, 2000));
    EXPECT_EQ(ClientPixel(picture.Hwnd(), 20, 7), kPaint);
}

// Each button kind, read as the screen shows it with no caption on the colour: what
// ShapeMe keeps is that, inside the 2-pixel border. A command button's face is all colour;
// a mark button keeps its mark; a transparent check box on a form without the colour
// keeps its whole inset rectangle.
TEST_F(TransFormTest, ButtonKindsLoseTheirBorderCaptionAndBackColour) {
    auto f = Shown(kKinds, gf::FormBorder::None, 120, 120, 220, 130, kFormBack);
    const struct { const char* name; COLORREF back; const char* kept; } kinds[] = {
        {"cmdShape", kKey, "none"}, {"chkOpaque", kKey, "some"}, {"optOpaque", kKey, "some"},
        {"chkClear", kFormBack, "all"}};
    for (const auto& kind : kinds) {
        auto& button = f->Get<gf::ButtonControl>(kind.name);
        RECT outer;
        GetWindowRect(button.Hwnd(), &outer);
        const int w = outer.right - outer.left, h = outer.bottom - outer.top;
        button.SetCaption(""), button.SetBackColor(kKey), button.Refresh();
        ASSERT_TRUE(PumpUntil([&] { return ScreenPixel(outer.right - 4, outer.top + h / 2) == kind.back; }, 2000));
        DibCanvas shown(w, h);
        HDC screen = GetDC(nullptr);
        BitBlt(shown.Dc(), 0, 0, w, h, screen, outer.left, outer.top, SRCCOPY);
        ReleaseDC(nullptr, screen);
        button.SetCaption("Shape"), button.SetBackColor(0x8000000F), button.Refresh();

        shaper.ShapeMe(button, kKey);
        EXPECT_EQ(button.Caption(), "") << kind.name;
        EXPECT_EQ(button.BackColor(), kKey) << kind.name;
        EXPECT_EQ(Xy(shaper.TargetWidth(), shaper.TargetHeight()), Xy(w, h)) << kind.name;
        int kept = 0;
        auto keeps = [&](int x, int y) {
            return x >= 2 && y >= 2 && x < w - 2 && y < h - 2 && shown.Pixel(x, y) != kKey;
        };
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) kept += keeps(x, y);
        EXPECT_EQ(Misses(button.Hwnd(), keeps), 0) << kind.name;
        const int inset = (w - 4) * (h - 4);
        EXPECT_EQ(kept == 0 ? "none" : kept == inset ? "all" : "some", std::string(kind.kept)) << kind.name;
    }
}

TEST_F(TransFormTest, OtherKindsRaiseTheErrorAndStayAsTheyWere) {
    auto f = Shown(kKinds, gf::FormBorder::None, 120, 120, 220, 130, kFormBack);
    auto& label = f->Get<gf::Label>("lblOther");
    auto& text = f->Get<gf::TextBox>("txtOther");
    auto& frame = f->Get<gf::Frame>("fraOther");
    auto error = [&](gf::Object& target) {
        try {
            shaper.ShapeMe(target, kKey);
        } catch (const gf::Error& e) {
            return std::to_string(e.Number) + " " + e.Source + " " + e.Description;
        }
        return std::string("no error");
    };
    const std::string kError = "-2147218992 TransForm Must pass in the name of a Form, PictureBox, CommandButton, "
                               "CheckBox or OptionButton.  TransForm ShapeMe method failed.";
    EXPECT_EQ(error(label), kError);
    EXPECT_EQ(error(text), kError);
    EXPECT_EQ(error(frame), kError);  // a frame painted all in the colour is not cut
    EXPECT_EQ(label.Caption() + " " + std::to_string(label.ForeColor()), "Other 255");
    EXPECT_EQ(text.Text() + " " + frame.Caption(), "Other Other");
    EXPECT_FALSE(WindowRegion(text.Hwnd()).Exists());
    EXPECT_FALSE(WindowRegion(frame.Hwnd()).Exists());
    // A form of the right kind that is not loaded has no window to shape.
    gf::Form unloaded("frmUnloaded", kRuns);
    EXPECT_EQ(error(unloaded).substr(0, 13), "91 TransForm ");
}

// A left press lets go of the mouse and hands the form to the caption's move, at the
// pointer's place; any other button does nothing.
TEST_F(TransFormTest, DragFormSendsALeftPressOnTheCaptionOfTheForm) {
    auto f = Shown(kRuns, gf::FormBorder::None, 120, 120, 40, 30);
    Log received;
    f->MessageHook = [&](UINT msg, WPARAM wp, LPARAM lp, LRESULT&) {
        if (msg != WM_NCLBUTTONDOWN) return false;
        received.push_back("press on " + std::to_string(wp) + " at " +
                           Xy(short(LOWORD(lp)), short(HIWORD(lp))) + (GetCapture() ? " while captured" : ""));
        return true;  // not passed on: no move loop in a test
    };
    SetCursorPos(130, 125);
    SetCapture(f->Hwnd());
    shaper.DragForm(*f, 2);
    EXPECT_EQ(GetCapture(), f->Hwnd());
    shaper.DragForm(*f, 1);
    EXPECT_EQ(received, (Log{"press on 2 at 130,125"}));  // HTCAPTION, the mouse let go of
}
