// KivoXPButton as a hosted control: defaults of new and restored controls, saving and
// restoring, the saved designs of the program's windows, property setters and their
// repaints, DisableRefresh / Refresh, the window region.
// GF_EXCLUSIVE_DISPLAY (shows windows over the area the input tests point at)
#include <windows.h>

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "HostWindow.h"
#include "TestSupport.h"
#include "controls/KivoXPButton.h"
#include "controls/KivoXPButtonDesigns.h"

using namespace testing_support;
using gf::PropertyBag;

namespace {

constexpr COLORREF kMarker = RGB(1, 2, 3), kOutline = 0x733C00;

gf::PictureRef Square(int size) {
    return gf::StdPicture::FromBitmap(PaintedBitmap(size, size, [](int, int) { return RGB(200, 30, 30); }));
}

class Button : public ::testing::Test {
protected:
    HostWindow host{60, 60, 400, 300, RGB(30, 120, 60)};

    std::unique_ptr<KivoXPButton> Make(const std::string& name, int w, int h, const PropertyBag* bag = nullptr) {
        auto b = std::make_unique<KivoXPButton>(name);
        b->Move(gf::PixelsToTwipsX(10), gf::PixelsToTwipsY(10), gf::PixelsToTwipsX(w), gf::PixelsToTwipsY(h));
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
    static SIZE ClientSize(KivoXPButton& b) {
        RECT r;
        GetClientRect(b.Hwnd(), &r);
        return {r.right, r.bottom};
    }
};

}  // namespace

TEST_F(Button, NewAndRestoredControlsTakeTheirOwnDefaults) {
    auto fresh = Make("cmdFresh", 75, 23);
    EXPECT_EQ(fresh->ButtonType(), 3);
    EXPECT_EQ(fresh->Caption(), "cmdFresh");
    EXPECT_EQ(fresh->BackColor(), 0xFFFFFFu);
    EXPECT_EQ(fresh->ForeOver(), 0xFF0000u);
    EXPECT_EQ(fresh->Version(), "2.0.6");
    PropertyBag empty;
    auto restored = Make("cmdRestored", 75, 23, &empty);
    EXPECT_EQ(restored->ButtonType(), 2);
    EXPECT_EQ(restored->Caption(), "");
    EXPECT_EQ(restored->BackColor(), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(restored->ForeOver(), GetSysColor(COLOR_BTNTEXT));
    EXPECT_FALSE(restored->HandFlag());
    // The hover colours of a restored control follow the saved colours.
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
    std::vector<std::string> keys;
    for (const auto& e : bag.Entries()) keys.push_back(e.Name);
    EXPECT_EQ(keys, (std::vector<std::string>{"_ExtentX", "_ExtentY", "BTYPE", "TX", "ENAB", "FONT", "COLTYPE",
                                              "FOCUSR", "BCOL", "BCOLO", "FCOL", "FCOLO", "MCOL", "MPTR", "MICON",
                                              "PICN", "PICH", "UMCOL", "SOFT", "PICPOS", "NGREY", "FX", "HAND",
                                              "CHECK", "VALUE"}));
    EXPECT_EQ(bag.ReadLong("HAND", 0), -1);  // a Boolean True

    b->SetImageIndex(5);
    b->SetCaption("&Go");
    b->SetButtonType(7);
    b->SetColorScheme(2);
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
    EXPECT_EQ(second.Entries().back().Name, "ImageIndex");
    auto copy = Make("cmdCopy", 10, 10, &second);
    EXPECT_EQ(copy->ButtonType(), 7);
    EXPECT_EQ(copy->AccessKeys(), "g");
    EXPECT_EQ(copy->ColorScheme() * 10 + copy->PicturePosition() * 100 + copy->SpecialEffect(), 221);
    EXPECT_EQ(copy->BackOver(), 0x405060u);
    EXPECT_TRUE(copy->SoftBevel() && copy->CheckBoxBehaviour() && copy->value());
    EXPECT_EQ(copy->MousePointer(), 11);
    EXPECT_EQ(copy->PictureNormal(), pic);
    EXPECT_EQ(copy->Look().PictureWidth, 16);
    EXPECT_EQ(copy->ImageIndex(), 5);
    EXPECT_EQ(ClientSize(*copy).cx, 80);  // the saved extent wins over the placement
    EXPECT_FALSE(copy->HandFlag());  // a restored control keeps no hand unless saved
}

// The saved designs of the program's windows load as rounded XP buttons of their
// saved size, caption and font.
TEST_F(Button, TheWindowsDesignsLoadAsSaved) {
    ASSERT_EQ(KivoXPButtonDesigns().size(), 8u);
    for (const auto& d : KivoXPButtonDesigns()) {
        PropertyBag bag = KivoXPButtonSavedProperties(d, d.PictureSize ? Square(d.PictureSize) : nullptr);
        auto b = Make(d.Name, 5, 5, &bag);
        SIZE size = ClientSize(*b);
        EXPECT_EQ(size.cx, std::lround(d.ExtentX * 96 / 2540.0)) << d.Name;
        EXPECT_EQ(size.cy, std::lround(d.ExtentY * 96 / 2540.0)) << d.Name;
        EXPECT_EQ(b->ButtonType(), 3);
        EXPECT_EQ(b->Caption(), d.Caption);
        EXPECT_EQ(b->Font().Name + std::to_string(b->FontBold()), d.Font.Name + std::to_string(d.Font.Bold()));
        EXPECT_EQ(b->Font().Size, d.Font.Size) << d.Name;
        EXPECT_EQ(b->Look().PictureWidth, d.PictureSize) << d.Name;
        EXPECT_EQ(At(*b, 0, size.cy / 2), kOutline) << d.Name;
    }
    EXPECT_EQ(FindKivoXPButtonDesign("cmdNothing"), nullptr);
}

TEST_F(Button, ResizeShapesTheWindowAndPlacesTheFocusRectangle) {
    auto b = Make("cmdShape", 75, 23);
    EXPECT_EQ(WindowRegion(b->Hwnd()).Count(75, 23), 75 * 23 - 12);
    // A paint of the window does not take the shape away.
    RedrawWindow(b->Hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_FALSE(WindowRegion(b->Hwnd()).Contains(0, 0));
    b->SetButtonType(13);  // an ellipse now
    WindowRegion ellipse(b->Hwnd());
    EXPECT_FALSE(ellipse.Contains(1, 1));
    EXPECT_TRUE(ellipse.Contains(37, 11));
    EXPECT_EQ(b->Look().FocusRect.left, 3);
    b->Move(b->Left(), b->Top(), gf::PixelsToTwipsX(120), gf::PixelsToTwipsY(40));
    EXPECT_EQ(b->Look().ButtonWidth, 120);
    EXPECT_EQ(b->Look().FocusRect.right, 117);
}

TEST_F(Button, SettersAndAmbientChangesRepaintAsTheyShould) {
    auto b = Make("cmdSet", 75, 23);
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
    EXPECT_NE(At(*b, 0, 10), kOutline);
    b->SetEnabled(true);
    EXPECT_EQ(At(*b, 0, 10), kOutline);
    // Becoming the default button shows the focus edges, unless the scheme is custom.
    Mark(*b);
    b->SetAmbientDisplayAsDefault(true);
    EXPECT_EQ(At(*b, 40, 21), 0xEF826Bu);
    b->SetColorScheme(2);
    Mark(*b);
    b->SetAmbientDisplayAsDefault(false);
    EXPECT_FALSE(Painted(*b));
}

TEST_F(Button, FontSizeRoundsHalvesToEven) {
    auto b = Make("cmdFont", 75, 23);
    gf::StdFont f = b->Font();
    for (auto [size, rounded] : {std::pair{8.5, 8}, {9.5, 10}}) {
        f.Size = size;
        b->SetFont(f);
        EXPECT_EQ(b->FontSize(), rounded) << size;
    }
    const int small = b->Look().CaptionHeight;
    b->SetFontSize(20);
    EXPECT_EQ(b->Font().Size, 20);
    EXPECT_GT(b->Look().CaptionHeight, small);  // the caption was measured again
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

TEST(KivoXPAccessKey, DerivedFromTheCaption) {
    const std::pair<const char*, const char*> table[] = {
        {"&Save", "s"}, {"Save&", ""}, {"&", ""}, {"S", ""}, {"&A", "a"}, {"A&&B", ""},
        {"&&&Go", "g"}, {"Fish && &Chips", "c"}, {"A&&B&&C", ""}, {"&&&", ""}, {"No key", ""}};
    for (auto [caption, key] : table) EXPECT_EQ(KivoXPButton::AccessKeyOf(caption), key) << caption;
}
