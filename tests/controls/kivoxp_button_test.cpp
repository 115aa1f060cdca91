// KivoXPButton as a hosted control: defaults of new and restored controls, saving and
// restoring, the saved designs of the program's windows, property setters and their
// repaints and reports, DisableRefresh / Refresh, the window region.
// GF_EXCLUSIVE_DISPLAY (shows windows over the area the input tests point at)
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>

#include "HostWindow.h"
#include "TestSupport.h"
#include "controls/KivoXPButton.h"
#include "controls/KivoXPButtonDesigns.h"
#include "framework/Form.h"

using namespace testing_support;
using gf::PropertyBag;
using gf::StdPicture;

namespace {

constexpr COLORREF kHostFill = RGB(30, 120, 60);
constexpr COLORREF kMarker = RGB(1, 2, 3);

gf::PictureRef Square(int size, COLORREF c = RGB(200, 30, 30)) {
    return StdPicture::FromBitmap(PaintedBitmap(size, size, [c](int, int) { return c; }));
}

class Button : public ::testing::Test {
protected:
    HostWindow host{60, 60, 400, 300, kHostFill};
    std::vector<std::string> notices;

    std::unique_ptr<KivoXPButton> Make(const std::string& name, int w, int h, const PropertyBag* bag = nullptr) {
        auto b = std::make_unique<KivoXPButton>(name);
        b->Move(gf::PixelsToTwipsX(10), gf::PixelsToTwipsY(10), gf::PixelsToTwipsX(w), gf::PixelsToTwipsY(h));
        b->OnPropertyChanged = [this](const std::string& n) { notices.push_back(n); };
        b->Load(host.Hwnd(), bag);
        return b;
    }
    static COLORREF At(KivoXPButton& b, int x, int y) { return GetPixel(b.Surface().hDC(), x, y); }
    // Marks the surface so that a later paint shows.
    static void Mark(KivoXPButton& b) {
        HBRUSH brush = CreateSolidBrush(kMarker);
        RECT r{0, 0, 4000, 4000};
        FillRect(b.Surface().hDC(), &r, brush);
        DeleteObject(brush);
    }
    static bool Painted(KivoXPButton& b) { return At(b, 10, 10) != kMarker; }
};

std::vector<std::string> Keys(const PropertyBag& bag) {
    std::vector<std::string> keys;
    for (const auto& e : bag.Entries()) keys.push_back(e.Name);
    return keys;
}

}  // namespace

TEST_F(Button, NewAndRestoredControlsTakeTheirOwnDefaults) {
    auto fresh = Make("cmdFresh", 75, 23);
    EXPECT_EQ(fresh->ButtonType(), 3);
    EXPECT_EQ(fresh->Caption(), "cmdFresh");
    EXPECT_EQ(fresh->FontName(), "Verdana");
    EXPECT_EQ(fresh->BackColor(), 0xFFFFFFu);
    EXPECT_EQ(fresh->BackOver(), 0xFFFFFFu);
    EXPECT_EQ(fresh->ForeColor(), GetSysColor(COLOR_BTNTEXT));
    EXPECT_EQ(fresh->ForeOver(), 0xFF0000u);
    EXPECT_EQ(fresh->MaskColor(), 0xC0C0C0u);
    EXPECT_EQ(fresh->ColorScheme(), 1);
    EXPECT_TRUE(fresh->Enabled() && fresh->ShowFocusRect() && fresh->UseMaskColor());
    EXPECT_TRUE(fresh->HandFlag());
    EXPECT_EQ(fresh->Version(), "2.0.6");

    PropertyBag empty;
    auto restored = Make("cmdRestored", 75, 23, &empty);
    EXPECT_EQ(restored->ButtonType(), 2);
    EXPECT_EQ(restored->Caption(), "");
    EXPECT_EQ(restored->FontName(), gf::StdFont{}.Name);
    EXPECT_EQ(restored->BackColor(), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(restored->BackOver(), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(restored->ForeColor(), GetSysColor(COLOR_BTNTEXT));
    EXPECT_EQ(restored->ForeOver(), GetSysColor(COLOR_BTNTEXT));
    EXPECT_EQ(restored->MaskColor(), 0xC0C0C0u);
    EXPECT_TRUE(restored->Enabled() && restored->ShowFocusRect() && restored->UseMaskColor());
    EXPECT_FALSE(restored->SoftBevel() || restored->UseGreyscale() || restored->CheckBoxBehaviour());
    EXPECT_FALSE(restored->HandFlag());

    // The colours of a restored control follow one another when only some are saved.
    PropertyBag partial;
    partial.WriteProperty("BCOL", 0x123456L);
    partial.WriteProperty("FCOL", 0x654321L);
    auto chained = Make("cmdChained", 75, 23, &partial);
    EXPECT_EQ(chained->BackOver(), 0x123456u);
    EXPECT_EQ(chained->ForeOver(), 0x654321u);
}

TEST_F(Button, SavesEveryKeyInOrderAndRestoresThem) {
    auto b = Make("cmdSave", 80, 30);
    PropertyBag bag;
    b->SaveProperties(bag);
    const std::vector<std::string> expected = {
        "_ExtentX", "_ExtentY", "BTYPE", "TX",   "ENAB",   "FONT",  "COLTYPE", "FOCUSR", "BCOL",  "BCOLO",
        "FCOL",     "FCOLO",    "MCOL",  "MPTR", "MICON",  "PICN",  "PICH",    "UMCOL",  "SOFT",  "PICPOS",
        "NGREY",    "FX",       "HAND",  "CHECK", "VALUE"};
    EXPECT_EQ(Keys(bag), expected);
    EXPECT_EQ(bag.ReadLong("HAND", 0), -1);  // a Boolean True
    EXPECT_EQ(bag.ReadLong("BTYPE", 0), 3);

    b->SetImageIndex(5);
    b->SetCaption("&Go");
    b->SetButtonType(7);
    b->SetColorScheme(2);
    b->SetBackColor(0x102030);
    b->SetBackOver(0x405060);
    b->SetSoftBevel(true);
    b->SetPicturePosition(2);
    b->SetSpecialEffect(1);
    b->SetCheckBoxBehaviour(true);
    b->SetValue(true);
    b->SetMousePointer(11);
    auto pic = Square(16);
    b->SetPictureNormal(pic);
    PropertyBag second;
    b->SaveProperties(second);
    EXPECT_EQ(Keys(second).back(), "ImageIndex");

    auto copy = Make("cmdCopy", 10, 10, &second);
    EXPECT_EQ(copy->ButtonType(), 7);
    EXPECT_EQ(copy->Caption(), "&Go");
    EXPECT_EQ(copy->AccessKeys(), "g");
    EXPECT_EQ(copy->ColorScheme(), 2);
    EXPECT_EQ(copy->BackColor(), 0x102030u);
    EXPECT_EQ(copy->BackOver(), 0x405060u);
    EXPECT_TRUE(copy->SoftBevel());
    EXPECT_EQ(copy->PicturePosition(), 2);
    EXPECT_EQ(copy->SpecialEffect(), 1);
    EXPECT_TRUE(copy->CheckBoxBehaviour() && copy->value());
    EXPECT_EQ(copy->MousePointer(), 11);
    EXPECT_EQ(copy->PictureNormal(), pic);
    EXPECT_EQ(copy->Look().PictureWidth, 16);
    EXPECT_EQ(copy->ImageIndex(), 5);
    EXPECT_FALSE(copy->HandFlag());
    RECT client;
    GetClientRect(copy->Hwnd(), &client);
    EXPECT_EQ(client.right, 80);  // the saved extent wins over the placement
    PropertyBag third;
    copy->SaveProperties(third);
    EXPECT_EQ(third.ReadLong("HAND", -1), 0);
}

TEST_F(Button, TheWindowsDesignsLoadAsSaved) {
    struct Expect {
        const char* name;
        int w, h;
        double size;
        bool bold;
        long scheme;
        COLORREF fore;
    };
    const Expect all[] = {{"InternetTab", 97, 25, 8.25, false, 1, 0},   {"SoftwareTab", 97, 25, 8.25, false, 1, 0},
                          {"WindowTab", 97, 25, 8.25, false, 1, 0},     {"cmdClean", 137, 57, 14.25, true, 2, 0x00C000},
                          {"cmdAddMore", 49, 25, 8.25, false, 1, 0},    {"cmdRemove", 73, 25, 8.25, false, 1, 0},
                          {"cmdAdd", 81, 25, 8.25, false, 1, 0},        {"cmdCancel", 97, 25, 8.25, false, 1, 0}};
    ASSERT_EQ(KivoXPButtonDesigns().size(), std::size(all));
    for (const Expect& e : all) {
        const auto* d = FindKivoXPButtonDesign(e.name);
        ASSERT_NE(d, nullptr) << e.name;
        PropertyBag bag = KivoXPButtonSavedProperties(*d, d->PictureSize ? Square(d->PictureSize) : nullptr);
        EXPECT_EQ(Keys(bag)[2], "btype");
        EXPECT_EQ(bag.Contains("HAND"), d->Window == "frmInput") << e.name;
        auto b = Make(e.name, 5, 5, &bag);
        RECT client;
        GetClientRect(b->Hwnd(), &client);
        EXPECT_EQ(client.right, e.w) << e.name;
        EXPECT_EQ(client.bottom, e.h) << e.name;
        EXPECT_EQ(b->ButtonType(), 3);
        EXPECT_EQ(b->Caption(), d->Caption);
        EXPECT_EQ(b->FontName(), "Verdana");
        EXPECT_EQ(b->Font().Size, e.size);
        EXPECT_EQ(b->FontBold(), e.bold) << e.name;
        EXPECT_EQ(b->ColorScheme(), e.scheme);
        EXPECT_EQ(b->ForeColor(), e.fore);
        EXPECT_EQ(b->ForeOver(), e.scheme == 2 ? 0x00C000u : 0xFF0000u);
        EXPECT_EQ(b->BackColor(), 0xFFFFFFu);
        EXPECT_EQ(b->Look().PictureWidth, d->PictureSize) << e.name;
        EXPECT_TRUE(b->Enabled());
        // Painted as the rounded XP button.
        EXPECT_EQ(At(*b, 0, e.h / 2), 0x733C00u) << e.name;
    }
    EXPECT_EQ(FindKivoXPButtonDesign("cmdNothing"), nullptr);
}

TEST_F(Button, ResizeShapesTheWindowAndPlacesTheFocusRectangle) {
    auto b = Make("cmdShape", 75, 23);
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(GetWindowRgn(b->Hwnd(), region), ERROR);
    int inside = 0;
    for (int y = 0; y < 23; ++y)
        for (int x = 0; x < 75; ++x) inside += PtInRegion(region, x, y) ? 1 : 0;
    EXPECT_EQ(inside, 75 * 23 - 12);
    // A paint of the window does not take the shape away.
    RedrawWindow(b->Hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    ASSERT_NE(GetWindowRgn(b->Hwnd(), region), ERROR);
    EXPECT_FALSE(PtInRegion(region, 0, 0));

    b->SetButtonType(13);  // an ellipse now
    GetWindowRgn(b->Hwnd(), region);
    EXPECT_FALSE(PtInRegion(region, 1, 1));
    EXPECT_TRUE(PtInRegion(region, 37, 11));
    EXPECT_EQ(b->Look().FocusRect.left, 3);
    b->Move(b->Left(), b->Top(), gf::PixelsToTwipsX(120), gf::PixelsToTwipsY(40));
    EXPECT_EQ(b->Look().ButtonWidth, 120);
    EXPECT_EQ(b->Look().FocusRect.right, 117);
    DeleteObject(region);
}

TEST_F(Button, SettersRepaintAndReportAsTheyShould) {
    auto b = Make("cmdSet", 75, 23);
    notices.clear();
    b->SetPicturePosition(1);
    b->SetPictureOver(Square(16));
    b->SetFontBold(true);
    b->SetFontSize(10);
    b->SetImageIndex(3);
    EXPECT_EQ(notices, (std::vector<std::string>{"PICPOS", "PICO", "ImageIndex"}));

    // Repaints that depend on state.
    Mark(*b);
    b->SetPictureOver(Square(16));  // not hovered
    b->SetUseMaskColor(false);      // no picture
    b->SetUseGreyscale(true);
    b->SetValue(true);  // not a toggle
    EXPECT_FALSE(Painted(*b));
    b->SetPictureNormal(Square(16));
    EXPECT_TRUE(Painted(*b));
    Mark(*b);
    b->SetUseMaskColor(true);
    EXPECT_TRUE(Painted(*b));

    // Enabled: the framework's state follows, and the disabled look is painted.
    b->SetEnabled(false);
    EXPECT_FALSE(IsWindowEnabled(b->Hwnd()));
    EXPECT_EQ(notices.back(), "ENAB");
    EXPECT_NE(At(*b, 0, 10), 0x733C00u);
    b->SetEnabled(true);
    EXPECT_EQ(At(*b, 0, 10), 0x733C00u);
}

TEST_F(Button, DesignModeSettersCarryTheHoverColours) {
    auto b = Make("cmdDesign", 75, 23);
    b->SetBackColor(0x111111);
    b->SetForeColor(0x222222);
    EXPECT_EQ(b->BackOver(), 0xFFFFFFu);  // user mode keeps them apart
    EXPECT_EQ(b->ForeOver(), 0xFF0000u);
    b->SetAmbientUserMode(false);
    b->SetBackColor(0x333333);
    b->SetForeColor(0x444444);
    EXPECT_EQ(b->BackOver(), 0x333333u);
    EXPECT_EQ(b->ForeOver(), 0x444444u);
    EXPECT_FALSE(b->FontBold());
    b->SetButtonType(5);
    EXPECT_TRUE(b->FontBold());
}

TEST_F(Button, AmbientChangesRepaintUnlessTheSchemeIsCustom) {
    auto b = Make("cmdAmbient", 75, 23);
    Mark(*b);
    b->SetAmbientDisplayAsDefault(true);
    EXPECT_TRUE(Painted(*b));
    EXPECT_EQ(At(*b, 40, 21), 0xEF826Bu);  // the default button shows the focus edges
    b->SetColorScheme(2);
    Mark(*b);
    b->SetAmbientDisplayAsDefault(false);
    EXPECT_FALSE(Painted(*b));
}

TEST_F(Button, FontSizeRoundsHalvesToEven) {
    auto b = Make("cmdFont", 75, 23);
    gf::StdFont f = b->Font();
    f.Size = 8.5;
    b->SetFont(f);
    EXPECT_EQ(b->FontSize(), 8);
    f.Size = 9.5;
    b->SetFont(f);
    EXPECT_EQ(b->FontSize(), 10);
    const int small = b->Look().CaptionHeight;
    b->SetFontSize(20);
    EXPECT_EQ(b->Font().Size, 20);
    EXPECT_GT(b->Look().CaptionHeight, small);  // the caption was measured again
    b->SetFontName("Tahoma");
    b->SetFontItalic(true);
    b->SetFontUnderline(true);
    EXPECT_EQ(b->FontName(), "Tahoma");
    EXPECT_TRUE(b->FontItalic() && b->FontUnderline());
}

TEST_F(Button, DisableRefreshHoldsPaintingUntilRefresh) {
    auto b = Make("cmdHold", 75, 23);
    b->DisableRefresh();
    Mark(*b);
    b->SetColorScheme(2);
    b->SetBackColor(0x0000FF);
    b->SetCaption("Later");
    EXPECT_FALSE(Painted(*b));
    EXPECT_NE(b->Look().LastCaption, "Later");
    b->Refresh();
    EXPECT_TRUE(Painted(*b));
    EXPECT_EQ(b->Look().LastCaption, "Later");

    // Hide also suspends painting; Show paints again.
    b->SetVisible(false);
    Mark(*b);
    b->SetCaption("Hidden");
    EXPECT_FALSE(Painted(*b));
    b->SetVisible(true);
    EXPECT_TRUE(Painted(*b));
}

namespace {

const gf::DesignRow kDialogDesign[] = {
    {"KivoXPButton", "cmdAdd", -1, "", 120, 120, 1215, 375},
    {"KivoXPButton", "cmdCancel", -1, "", 1500, 120, 1455, 375},
};

class Dialog : public gf::Form {
public:
    Dialog() : gf::Form("frmDialog") {
        SetBorderStyle(gf::FormBorder::None);
        SetClientSize(3200, 700);
        Build(kDialogDesign);
    }
};

}  // namespace

TEST(KivoXPOnAForm, DesignRowsLoadTheirSavedPropertiesAndLoadAgainAfterUnload) {
    KivoXPButton::RegisterType();
    Dialog form;
    std::vector<std::string> clicked;
    for (const char* name : {"cmdAdd", "cmdCancel"}) {
        auto& b = form.Get<KivoXPButton>(name);
        const auto* d = FindKivoXPButtonDesign(name);
        b.SetSavedProperties(KivoXPButtonSavedProperties(*d, d->PictureSize ? Square(16) : nullptr));
        b.Click = [&clicked, name] { clicked.push_back(name); };
    }
    form.Move(1500, 1500, 3200, 700);
    form.Show();
    PumpFor(50);
    auto& cancel = form.Get<KivoXPButton>("cmdCancel");
    ASSERT_NE(cancel.Hwnd(), nullptr);
    EXPECT_EQ(GetParent(cancel.Hwnd()), form.Hwnd());
    EXPECT_EQ(cancel.Caption(), "Cancel");
    RECT client;
    GetClientRect(cancel.Hwnd(), &client);
    EXPECT_EQ(client.right, 97);
    SendClick(cancel.Hwnd(), 20, 10);
    EXPECT_EQ(clicked, (std::vector<std::string>{"cmdCancel"}));

    form.Unload();
    EXPECT_EQ(cancel.Hwnd(), nullptr);
    form.Show();
    PumpFor(50);
    ASSERT_NE(cancel.Hwnd(), nullptr);
    EXPECT_EQ(GetPixel(cancel.Surface().hDC(), 0, 12), 0x733C00u);
    SendClick(form.Get<KivoXPButton>("cmdAdd").Hwnd(), 20, 10);
    EXPECT_EQ(clicked.back(), "cmdAdd");
    form.Unload();
}

TEST(KivoXPAccessKey, DerivedFromTheCaption) {
    const std::pair<const char*, const char*> table[] = {
        {"&Save", "s"}, {"Save&", ""}, {"&", ""}, {"S", ""}, {"&A", "a"}, {"A&&B", ""},
        {"&&&Go", "g"}, {"Fish && &Chips", "c"}, {"A&&B&&C", ""}, {"&&&", ""}, {"No key", ""}};
    for (auto [caption, key] : table) EXPECT_EQ(KivoXPButton::AccessKeyOf(caption), key) << caption;
}
