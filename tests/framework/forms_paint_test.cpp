// GF_EXCLUSIVE_DISPLAY
// A sample form with every kind of control over a coloured picture, read back from the
// screen: labels, check boxes and frames must show the picture behind them, and the
// whole window is saved as screens\forms_sample.bmp in the build folder for a look.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>

#include "HostWindow.h"
#include "TestSupport.h"
#include "framework/Forms.h"

using namespace testing_support;

namespace {

constexpr int kPicW = 480, kPicH = 360;

// A smooth two-way gradient, so every spot has its own colour.
COLORREF SkinAt(int x, int y) { return RGB(30 + x * 110 / kPicW, 80 + y * 110 / kPicH, 170 - x * 60 / kPicW); }

const char* const kWhite = "ForeColor=&H00FFFFFF&";
const gf::DesignRow kSample[] = {
    {"PictureBox", "picMain", -1, "", 0, 0, 7200, 5400},
    {"Label", "lblTitle", -1, "picMain", 240, 120, 4000, 330, "Sample window", "", "FontSize=12; FontBold=1; ForeColor=&H00FFFFFF&"},
    {"Image", "imgHelp", -1, "picMain", 6600, 120, 360, 360, "", "", "MaskColor=&H00FF00FF&"},
    {"Frame", "fraOptions", -1, "picMain", 240, 600, 3360, 2700, "Options", "", kWhite},
    {"CheckBox", "chkItem", 0, "fraOptions", 180, 300, 3000, 255, "Temporary files", "", kWhite},
    {"CheckBox", "chkItem", 1, "fraOptions", 180, 600, 3000, 255, "Recent documents", "", kWhite},
    {"CheckBox", "chkItem", 2, "fraOptions", 180, 900, 3000, 255, "Greyed choice", "", kWhite},
    {"TextBox", "txtMinutes", -1, "fraOptions", 1200, 1260, 600, 300, "15"},
    {"ComboBox", "cboKey", -1, "fraOptions", 180, 1800, 1200, 315, "Ctrl"},
    {"ListBox", "lstCaptions", -1, "picMain", 3840, 720, 3120, 1560},
    {"Shape", "shpBand", -1, "picMain", 3840, 2460, 3120, 840, "", "", "BackStyle=1; BackColor=&H00603010&; BorderColor=&H00FFFFFF&; Shape=4"},
    {"Label", "lblBand", -1, "picMain", 3960, 2580, 2880, 600, "Last Clean: Never\r\nAuto Clean: Off", "", "ForeColor=&H0080FFFF&"},
    {"ProgressBar", "pgbClean", -1, "picMain", 240, 3600, 6720, 300},
    {"Label", "lblVersion", -1, "picMain", 5700, 5040, 1300, 255, "Version 1.06", "", "Alignment=1"},
};

class SampleForm : public gf::Form {
public:
    SampleForm() : gf::Form("frmSample") {
        SetCaption("Glimmerfold sample");
        SetClientSize(7200, 5400);
        SetStartUpPosition(gf::StartUpPosition::Manual);
        Move(600, 600, Width(), Height());
        Build(kSample);
    }
};

bool Near(COLORREF a, COLORREF b) {
    return std::abs(GetRValue(a) - GetRValue(b)) <= 8 && std::abs(GetGValue(a) - GetGValue(b)) <= 8 &&
           std::abs(GetBValue(a) - GetBValue(b)) <= 8;
}

}  // namespace

TEST(Painting, ControlsShowTheSkinBehindThem) {
    gf::Screen::OverrideTwipsPerPixel(15, 15);
    SampleForm f;
    f.Get<gf::PictureBox>("picMain").SetPicture(gf::Bitmap(PaintedBitmap(kPicW, kPicH, SkinAt)));
    // A white disc on magenta, the magenta masked out.
    f.Get<gf::Image>("imgHelp").SetPicture(gf::Bitmap(PaintedBitmap(24, 24, [](int x, int y) {
        return (x - 12) * (x - 12) + (y - 12) * (y - 12) < 100 ? RGB(255, 255, 255) : RGB(255, 0, 255);
    })));
    auto items = f.Array<gf::CheckBox>("chkItem");
    items[0].SetValue(1);
    items[2].SetValue(2);
    auto& list = f.Get<gf::ListBox>("lstCaptions");
    for (const char* c : {"WordPad", "PartyPoker", "Untitled - Notepad", "Calculator"}) list.AddItem(c);
    list.SetSelected(0, true);
    for (const char* k : {"Ctrl", "Alt", "Shift"}) f.Get<gf::ComboBox>("cboKey").AddItem(k);
    f.Get<gf::ProgressBar>("pgbClean").SetMax(37);
    f.Get<gf::ProgressBar>("pgbClean").SetValue(14);
    f.Show();
    list.SetListIndex(1);
    HWND h = f.Hwnd();
    SetWindowPos(h, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    PumpFor(400);

    // Right of a check box's caption: the skin, seen through the box and its frame.
    RECT box;
    GetWindowRect(items[1].Hwnd(), &box);
    MapWindowPoints(nullptr, h, reinterpret_cast<POINT*>(&box), 2);
    int bx = box.right - 4, by = (box.top + box.bottom) / 2;
    EXPECT_TRUE(PumpUntil([&] { return Near(ClientPixel(h, bx, by), SkinAt(bx, by)); }, 3000))
        << std::hex << ClientPixel(h, bx, by) << " vs " << SkinAt(bx, by);
    // A transparent label: its empty corner shows the skin, its text does not.
    RECT lbl{380, 336, 466, 353};  // lblVersion in pixels at 15 twips per pixel
    EXPECT_TRUE(Near(ClientPixel(h, lbl.right - 1, lbl.bottom - 1), SkinAt(lbl.right - 1, lbl.bottom - 1)));
    int ink = 0;
    for (int y = lbl.top; y < lbl.bottom; ++y)
        for (int x = lbl.left; x < lbl.right; ++x) ink += !Near(ClientPixel(h, x, y), SkinAt(x, y));
    EXPECT_GT(ink, 20);
    // The masked image: the disc is white, its masked corner is skin.
    EXPECT_TRUE(PumpUntil([&] { return ClientPixel(h, 452, 20) == RGB(255, 255, 255); }, 3000));
    EXPECT_TRUE(Near(ClientPixel(h, 441, 9), SkinAt(441, 9)));

    POINT origin{0, 0};
    ClientToScreen(h, &origin);
    CreateDirectoryA((BuildDrive() + "screens").c_str(), nullptr);
    SaveScreenBitmap(BuildDrive() + "screens\\forms_sample.bmp", origin.x, origin.y, 480, 360);
    gf::Screen::OverrideTwipsPerPixel(0, 0);
}
