// KivoXPButton: properties, saved properties and the life-cycle notifications. Input
// handling (mouse, keys, focus, hover) is in KivoXPButtonInput.cpp.
#include "controls/KivoXPButton.h"

#include <cctype>
#include <cmath>

#include "controls/KivoXPButtonDraw.h"
#include "framework/Design.h"
#include "framework/Gdi.h"
#include "framework/Runtime.h"

using kivoxp::kStateUp;

namespace {

constexpr gf::OLE_COLOR kWhite = 0xFFFFFF;
constexpr gf::OLE_COLOR kBlue = 0xFF0000;
constexpr gf::OLE_COLOR kSilver = 0xC0C0C0;

kivoxp::PictureView ViewOf(const gf::PictureRef& picture) {
    if (!picture || !picture->HasImage()) return {};
    return {static_cast<short>(picture->Type()), picture->Handle(), picture->Width(), picture->Height()};
}

char Lower(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

}  // namespace

std::string KivoXPButton::AccessKeyOf(const std::string& caption) {
    if (caption.size() < 2) return "";
    size_t amp = caption.find('&');
    if (amp == std::string::npos || amp + 1 == caption.size()) return "";
    if (caption[amp + 1] != '&') return std::string(1, Lower(caption[amp + 1]));
    // A literal "&&": the key may follow the next single "&".
    amp = caption.find('&', amp + 2);
    if (amp == std::string::npos) return "";
    if (amp + 1 == caption.size()) return "";
    if (caption[amp + 1] == '&') return "";
    return std::string(1, Lower(caption[amp + 1]));
}

KivoXPButton::KivoXPButton(std::string name, int index)
    : gf::UserControl(std::move(name), index), OverTimer(*this, 3, [this] { OverTimer_Timer(); }) {}

KivoXPButton::~KivoXPButton() { Unload(); }

void KivoXPButton::RegisterType() {
    gf::ControlTypes::Register("KivoXPButton", [](const std::string& name, int index) {
        return std::make_unique<KivoXPButton>(name, index);
    });
}

// ---- properties ----

void KivoXPButton::ColorsChanged(const char* key) {
    look_.SetColors();
    RepaintLast();
    PropertyChanged(key);
}

void KivoXPButton::SetBackColor(gf::OLE_COLOR theCol) {
    look_.BackColor = theCol;
    if (DesignMode()) look_.BackOver = theCol;
    ColorsChanged("BCOL");
}

void KivoXPButton::SetBackOver(gf::OLE_COLOR theCol) {
    look_.BackOver = theCol;
    ColorsChanged("BCOLO");
}

void KivoXPButton::SetForeColor(gf::OLE_COLOR theCol) {
    look_.ForeColor = theCol;
    if (DesignMode()) look_.ForeOver = theCol;
    ColorsChanged("FCOL");
}

void KivoXPButton::SetForeOver(gf::OLE_COLOR theCol) {
    look_.ForeOver = theCol;
    ColorsChanged("FCOLO");
}

void KivoXPButton::SetMaskColor(gf::OLE_COLOR theCol) {
    look_.MaskColor = theCol;
    ColorsChanged("MCOL");
}

void KivoXPButton::SetButtonType(long NewValue) {
    look_.ButtonType = NewValue;
    if (NewValue == 5 && DesignMode()) {
        gf::StdFont font = Font();
        font.SetBold(true);
        Surface().SetFont(font);
    } else if (NewValue == 11 && look_.IsShown) {
        CaptureParentBackground();
    }
    UserControl_Resize();
    PropertyChanged("BTYPE");
}

void KivoXPButton::SetCaption(const std::string& NewValue) {
    look_.Caption = NewValue;
    DeriveAccessKey();
    look_.CalcCaptionRect();
    Repaint(kStateUp);
    PropertyChanged("TX");
}

void KivoXPButton::SetEnabled(bool NewValue) {
    look_.Enabled = NewValue;
    Repaint(kStateUp);
    gf::UserControl::SetEnabled(NewValue);
    PropertyChanged("ENAB");
}

void KivoXPButton::FontChanged(const gf::StdFont& font) {
    Surface().SetFont(font);
    look_.CalcCaptionRect();
    Repaint(kStateUp);
}

void KivoXPButton::SetFont(const gf::StdFont& NewFont) {
    FontChanged(NewFont);
    PropertyChanged("FONT");
}

void KivoXPButton::SetFontBold(bool NewValue) {
    gf::StdFont font = Font();
    font.SetBold(NewValue);
    FontChanged(font);
}

void KivoXPButton::SetFontItalic(bool NewValue) {
    gf::StdFont font = Font();
    font.Italic = NewValue;
    FontChanged(font);
}

void KivoXPButton::SetFontUnderline(bool NewValue) {
    gf::StdFont font = Font();
    font.Underline = NewValue;
    FontChanged(font);
}

short KivoXPButton::FontSize() const { return static_cast<short>(std::nearbyint(Font().Size)); }

void KivoXPButton::SetFontSize(short NewValue) {
    gf::StdFont font = Font();
    font.Size = NewValue;
    FontChanged(font);
}

void KivoXPButton::SetFontName(const std::string& NewValue) {
    gf::StdFont font = Font();
    font.Name = NewValue;
    FontChanged(font);
}

void KivoXPButton::SetColorScheme(long NewValue) {
    look_.ColorScheme = NewValue;
    look_.SetColors();
    Repaint(kStateUp);
    PropertyChanged("COLTYPE");
}

void KivoXPButton::SetShowFocusRect(bool NewValue) {
    look_.ShowFocusRect = NewValue;
    RepaintLast();
    PropertyChanged("FOCUSR");
}

void KivoXPButton::SetMousePointer(int newPointer) {
    gf::UserControl::SetMousePointer(newPointer);
    PropertyChanged("MPTR");
}

void KivoXPButton::SetMouseIcon(gf::PictureRef newIcon) {
    gf::UserControl::SetMouseIcon(std::move(newIcon));
    PropertyChanged("MICON");
}

void KivoXPButton::SetSoftBevel(bool NewValue) {
    look_.SoftBevel = NewValue;
    ColorsChanged("SOFT");
}

void KivoXPButton::SetPictureViews() {
    look_.PictureNormal = ViewOf(pictureNormal_);
    look_.PictureOver = ViewOf(pictureOver_);
}

void KivoXPButton::SetPictureNormal(gf::PictureRef newPic) {
    pictureNormal_ = std::move(newPic);
    SetPictureViews();
    look_.CalcPictureSize();
    look_.CalcCaptionRect();
    RepaintLast();
    PropertyChanged("PICN");
}

void KivoXPButton::SetPictureOver(gf::PictureRef newPic) {
    pictureOver_ = std::move(newPic);
    SetPictureViews();
    if (look_.IsOver) RepaintLast();
    PropertyChanged("PICO");  // the host knows it as PICO; it is saved under PICH
}

void KivoXPButton::SetPicturePosition(long newPicPos) {
    look_.PicturePosition = newPicPos;
    PropertyChanged("PICPOS");
    look_.CalcCaptionRect();
    RepaintLast();
}

void KivoXPButton::SetUseMaskColor(bool NewValue) {
    look_.UseMaskColor = NewValue;
    if (look_.PictureNormal) RepaintLast();
    PropertyChanged("UMCOL");
}

void KivoXPButton::SetUseGreyscale(bool NewValue) {
    look_.UseGreyscale = NewValue;
    if (look_.PictureNormal) RepaintLast();
    PropertyChanged("NGREY");
}

void KivoXPButton::SetSpecialEffect(long NewValue) {
    look_.SpecialEffect = NewValue;
    RepaintLast();
    PropertyChanged("FX");
}

void KivoXPButton::SetCheckBoxBehaviour(bool NewValue) {
    look_.CheckBoxBehaviour = NewValue;
    RepaintLast();
    PropertyChanged("CHECK");
}

void KivoXPButton::SetValue(bool NewValue) {
    look_.value = NewValue;
    if (look_.CheckBoxBehaviour) Repaint(kStateUp);
    PropertyChanged("VALUE");
}

void KivoXPButton::SetImageIndex(short New_ImageIndex) {
    // The control holds no image list; the index is only kept and saved.
    imageIndex_ = New_ImageIndex;
    PropertyChanged("ImageIndex");
}

void KivoXPButton::DisableRefresh() { look_.IsShown = false; }

void KivoXPButton::Refresh() {
    if (look_.ButtonType == 11) CaptureParentBackground();
    look_.SetColors();
    look_.CalcCaptionRect();
    look_.IsShown = true;
    RepaintLast();
}

void KivoXPButton::DeriveAccessKey() { SetAccessKeys(AccessKeyOf(look_.Caption)); }

// ---- saved properties ----

void KivoXPButton::UserControl_Initialize() { look_.IsShown = true; }

void KivoXPButton::UserControl_InitProperties() {
    look_.Enabled = look_.ShowFocusRect = look_.UseMaskColor = true;
    look_.ColorScheme = 1;
    look_.Caption = Ambient().DisplayName;
    gf::StdFont font = Font();
    font.Name = "Verdana";
    Surface().SetFont(font);
    look_.ButtonType = 3;
    look_.SetColors();
    look_.BackColor = look_.BackOver = kWhite;
    look_.ForeColor = look_.TextColor;
    look_.ForeOver = kBlue;
    look_.MaskColor = kSilver;
    look_.CalcCaptionRect();
    handFlag_ = true;
    imageIndex_ = 0;
}

void KivoXPButton::UserControl_ReadProperties(const gf::PropertyBag& bag) {
    look_.ButtonType = bag.ReadLong("BTYPE", 2);
    look_.Caption = bag.ReadString("TX", "");
    look_.Enabled = bag.ReadBool("ENAB", true);
    Surface().SetFont(bag.ReadFont("FONT", Font()));
    look_.ColorScheme = bag.ReadLong("COLTYPE", 1);
    look_.ShowFocusRect = bag.ReadBool("FOCUSR", true);
    // Colours are saved as signed numbers here, as unsigned ones by ButtonEx: both load.
    look_.BackColor = bag.ReadColor("BCOL", GetSysColor(COLOR_BTNFACE));
    look_.BackOver = bag.ReadColor("BCOLO", look_.BackColor);
    look_.ForeColor = bag.ReadColor("FCOL", GetSysColor(COLOR_BTNTEXT));
    look_.ForeOver = bag.ReadColor("FCOLO", look_.ForeColor);
    look_.MaskColor = bag.ReadColor("MCOL", kSilver);
    gf::UserControl::SetMousePointer(static_cast<int>(bag.ReadLong("MPTR", 0)));
    gf::UserControl::SetMouseIcon(bag.ReadPicture("MICON", nullptr));
    pictureNormal_ = bag.ReadPicture("PICN", nullptr);
    pictureOver_ = bag.ReadPicture("PICH", nullptr);
    SetPictureViews();
    look_.UseMaskColor = bag.ReadBool("UMCOL", true);
    look_.SoftBevel = bag.ReadBool("SOFT", false);
    look_.PicturePosition = bag.ReadLong("PICPOS", 0);
    look_.UseGreyscale = bag.ReadBool("NGREY", false);
    look_.SpecialEffect = bag.ReadLong("FX", 0);
    look_.CheckBoxBehaviour = bag.ReadBool("CHECK", false);
    look_.value = bag.ReadBool("VALUE", false);
    handFlag_ = false;

    gf::UserControl::SetEnabled(look_.Enabled);
    look_.CalcPictureSize();
    look_.CalcCaptionRect();
    DeriveAccessKey();
    imageIndex_ = static_cast<short>(bag.ReadLong("ImageIndex", 0));
}

void KivoXPButton::UserControl_WriteProperties(gf::PropertyBag& bag) {
    auto colour = [](gf::OLE_COLOR c) { return static_cast<long>(c); };
    bag.WriteProperty("BTYPE", look_.ButtonType);
    bag.WriteProperty("TX", look_.Caption);
    bag.WriteProperty("ENAB", look_.Enabled);
    bag.WriteProperty("FONT", Font());
    bag.WriteProperty("COLTYPE", look_.ColorScheme);
    bag.WriteProperty("FOCUSR", look_.ShowFocusRect);
    bag.WriteProperty("BCOL", colour(look_.BackColor));
    bag.WriteProperty("BCOLO", colour(look_.BackOver));
    bag.WriteProperty("FCOL", colour(look_.ForeColor));
    bag.WriteProperty("FCOLO", colour(look_.ForeOver));
    bag.WriteProperty("MCOL", colour(look_.MaskColor));
    bag.WriteProperty("MPTR", static_cast<long>(MousePointer()));
    bag.WriteProperty("MICON", MouseIcon());
    bag.WriteProperty("PICN", pictureNormal_);
    bag.WriteProperty("PICH", pictureOver_);
    bag.WriteProperty("UMCOL", look_.UseMaskColor);
    bag.WriteProperty("SOFT", look_.SoftBevel);
    bag.WriteProperty("PICPOS", look_.PicturePosition);
    bag.WriteProperty("NGREY", look_.UseGreyscale);
    bag.WriteProperty("FX", look_.SpecialEffect);
    bag.WriteProperty("HAND", handFlag_);
    bag.WriteProperty("CHECK", look_.CheckBoxBehaviour);
    bag.WriteProperty("VALUE", look_.value);
    bag.WriteProperty("ImageIndex", static_cast<long>(imageIndex_), 0L);
}

// ---- size, visibility and the background of the transparent type ----

void KivoXPButton::UserControl_Resize() {
    if (Busy) return;
    RECT client{};
    GetClientRect(hWnd(), &client);
    look_.Resize(client);
    // The shape is the window's: a control without one yet (its type set before it
    // loads) gets it with its first real size.
    if (!hWnd()) return;
    // The window owns a region once it takes it and deletes the previous one itself.
    gf::GdiObject<HRGN> region(kivoxp::MakeRegion(look_.ButtonType, look_.ButtonWidth, look_.ButtonHeight));
    if (SetWindowRgn(hWnd(), region.Get(), TRUE)) region.Release();
    // While a visible button loads, the Show that follows paints it with the colours
    // it sets; a paint here would be thrown away.
    if (look_.ButtonHeight != 0 && !(Loading() && Visible())) Repaint(kStateUp);
}

void KivoXPButton::CreateBackground() {
    HDC surface = Surface().hDC();
    look_.BackgroundDC = CreateCompatibleDC(surface);
    BackgroundBitmap = CreateBitmap(look_.ButtonWidth, look_.ButtonHeight, 1,
                                    static_cast<UINT>(GetDeviceCaps(surface, BITSPIXEL)), nullptr);
    if (look_.BackgroundDC && BackgroundBitmap)
        keptBackgroundBitmap_ = SelectObject(look_.BackgroundDC, BackgroundBitmap);
}

void KivoXPButton::ReleaseBackground() {
    if (!look_.BackgroundDC) return;
    if (keptBackgroundBitmap_) SelectObject(look_.BackgroundDC, keptBackgroundBitmap_);
    if (BackgroundBitmap) DeleteObject(BackgroundBitmap);
    DeleteDC(look_.BackgroundDC);
    look_.BackgroundDC = nullptr;
    BackgroundBitmap = nullptr;
    keptBackgroundBitmap_ = nullptr;
}

void KivoXPButton::UserControl_Show() {
    if (look_.ButtonType == 11) {
        if (!look_.BackgroundDC) CreateBackground();
        CaptureParentBackground();
    }
    look_.IsShown = true;
    look_.SetColors();
    Repaint(kStateUp);
}

void KivoXPButton::UserControl_Hide() { look_.IsShown = false; }

void KivoXPButton::UserControl_Terminate() {
    look_.IsShown = false;
    ReleaseBackground();
    // A form may load the control again later: it starts without hover or focus.
    OverTimer.SetEnabled(false);
    look_.IsOver = look_.HasFocus = false;
}

void KivoXPButton::CaptureParentBackground() {
    // Every step may fail on its own; the rest still runs and Busy is always cleared.
    Busy = true;
    // A button switched to type 11 after it was shown has no background store yet.
    if (!look_.BackgroundDC) CreateBackground();
    SetHeight(0);  // uncover the parent's drawing under the button
    gf::DoEvents();
    HWND self = hWnd();
    HWND parent = GetParent(self);
    // Where the button sits in the parent's client area, in pixels.
    POINT origin{0, 0};
    MapWindowPoints(self, parent, &origin, 1);
    if (HDC parentDC = GetDC(parent)) {
        if (look_.BackgroundDC)
            BitBlt(look_.BackgroundDC, 0, 0, look_.ButtonWidth, look_.ButtonHeight, parentDC, origin.x, origin.y,
                   SRCCOPY);
        ReleaseDC(parent, parentDC);
    }
    SetHeight(gf::PixelsToTwipsY(look_.ButtonHeight));
    Busy = false;
}
