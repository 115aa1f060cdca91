#include "controls/ButtonEx.h"

#include <cmath>
#include <map>

#include "framework/Design.h"

namespace {

constexpr gf::OLE_COLOR kButtonFace = 0x8000000F;
constexpr gf::OLE_COLOR kButtonText = 0x80000012;
constexpr gf::OLE_COLOR kPureBlue = 0xFF0000;
constexpr char kNewCaption[] = "ButtonEx1";

// Flags as the drawing calls take them; the upper 16 bits come with the values.
constexpr UINT kEdgeMonoAdjust = 0xFFFFA00F;  // BF_RECT | BF_ADJUST | BF_MONO
constexpr UINT kEdgeFlatRect = 0x400F;        // BF_RECT | BF_FLAT
constexpr UINT kRightToLeftText = 0xFFFF8000;  // DSS_RIGHT

// A measure converted to a whole number: nearest, ties to even.
long Whole(double v) { return static_cast<long>(std::nearbyint(v)); }

}  // namespace

ButtonEx::ButtonEx(std::string name, int index)
    : UserControl(std::move(name), index), Timer1(*this, 100, [this] { Timer1_Timer(); }) {}

ButtonEx::~ButtonEx() { Unload(); }

// ---- properties -------------------------------------------------------------------

void ButtonEx::SetAppearance(long New_Appearance) {
    m_Appearance = New_Appearance;
    Redraw(m_State);
    PropertyChanged("Appearance");
}

void ButtonEx::SetBackColor(gf::OLE_COLOR New_BackColor) {
    m_BackColor = New_BackColor;
    Surface().SetBackColor(New_BackColor);
    Redraw(m_State);
    PropertyChanged("BackColor");
}

void ButtonEx::SetCaption(const std::string& New_Caption) {
    m_Caption = New_Caption;
    SetAccessKeysFromCaption(New_Caption);
    Redraw(m_State);
    PropertyChanged("Caption");
}

void ButtonEx::SetCaptionOffsetX(long New_CaptionOffsetX) {
    m_CaptionOffsetX = New_CaptionOffsetX;
    Redraw(m_State);
    PropertyChanged("CaptionOffsetX");
}

void ButtonEx::SetCaptionOffsetY(long New_CaptionOffsetY) {
    m_CaptionOffsetY = New_CaptionOffsetY;
    Redraw(m_State);
    PropertyChanged("CaptionOffsetY");
}

void ButtonEx::SetEnabled(bool New_Enabled) {
    UserControl::SetEnabled(New_Enabled);
    if (New_Enabled) m_State = StateUp;
    Redraw(m_State);
    PropertyChanged("Enabled");
}

void ButtonEx::SetForeColor(gf::OLE_COLOR New_ForeColor) {
    m_ForeColor = New_ForeColor;
    Surface().SetForeColor(New_ForeColor);
    Redraw(m_State);
    PropertyChanged("ForeColor");
}

void ButtonEx::SetFont(const gf::StdFont& New_Font) {
    m_Font = New_Font;
    Surface().SetFont(New_Font);
    Redraw(m_State);
    PropertyChanged("Font");
}

void ButtonEx::SetHighlightColor(gf::OLE_COLOR New_HighlightColor) {
    m_HighlightColor = New_HighlightColor;
    Redraw(m_State);
    PropertyChanged("HighlightColor");
}

void ButtonEx::SetMouseIcon(gf::PictureRef New_MouseIcon) {
    m_MouseIcon = New_MouseIcon;
    UserControl::SetMouseIcon(std::move(New_MouseIcon));
    PropertyChanged("MouseIcon");
}

void ButtonEx::SetMousePointer(long New_MousePointer) {
    m_MousePointer = New_MousePointer;
    UserControl::SetMousePointer(static_cast<int>(New_MousePointer));
    PropertyChanged("MousePointer");
}

void ButtonEx::SetRightToLeft(bool New_RightToLeft) {
    m_RightToLeft = New_RightToLeft;
    Surface().SetRightToLeft(New_RightToLeft);
    Redraw(m_State);
    PropertyChanged("RightToLeft");
}

void ButtonEx::SetSkinDisabled(gf::PictureRef New_SkinDisabled) {
    m_SkinDisabled = std::move(New_SkinDisabled);
    Redraw(m_State);
    PropertyChanged("SkinDisabled");
}

void ButtonEx::SetSkinDown(gf::PictureRef New_SkinDown) {
    m_SkinDown = std::move(New_SkinDown);
    Redraw(m_State);
    PropertyChanged("SkinDown");
}

void ButtonEx::SetSkinFocus(gf::PictureRef New_SkinFocus) {
    m_SkinFocus = std::move(New_SkinFocus);
    Redraw(m_State);
    PropertyChanged("SkinFocus");
}

void ButtonEx::SetSkinOver(gf::PictureRef New_SkinOver) {
    m_SkinOver = std::move(New_SkinOver);
    Redraw(m_State);
    PropertyChanged("SkinOver");
}

void ButtonEx::SetSkinUp(gf::PictureRef New_SkinUp) {
    m_SkinUp = std::move(New_SkinUp);
    Redraw(m_State);
    PropertyChanged("SkinUp");
}

void ButtonEx::SetStyle(long New_Style) {
    m_Style = New_Style;
    Redraw(m_State);
    PropertyChanged("Style");
}

void ButtonEx::SetToolTipText(const std::string& New_ToolTipText) {
    m_ToolTipText = New_ToolTipText;
    PropertyChanged("ToolTipText");
}

void ButtonEx::SetTransparentColor(gf::OLE_COLOR New_TransparentColor) {
    m_TransparentColor = New_TransparentColor;
    Surface().SetMaskColor(New_TransparentColor);
    Redraw(m_State);
    PropertyChanged("TransparentColor");
}

void ButtonEx::SetValue(long New_Value) {
    m_Value = New_Value;
    Redraw(New_Value);
    PropertyChanged("Value");
}

void ButtonEx::SetWhatsThisHelpID(long New_WhatsThisHelpID) {
    m_WhatsThisHelpID = New_WhatsThisHelpID;
    PropertyChanged("WhatsThisHelpID");
}

void ButtonEx::SetActiveButton(bool New_ActiveButton) {
    m_ActiveButton = New_ActiveButton;
    Redraw(StateUp);
}

std::string ButtonEx::Description(const std::string& member) {
    static const std::map<std::string, std::string> texts = {
        {"Appearance", "Returns/sets whether or not the control is painted with 3-D effects."},
        {"BackColor", "Returns/sets the background color used to display text and graphics in the control."},
        {"Caption", "Returns/sets the text displayed in the control."},
        {"CaptionOffsetX", "Returns/sets the horizontal offset for displaying the caption."},
        {"CaptionOffsetY", "Returns/sets the vertical offset for displaying the caption."},
        {"Enabled", "Returns/sets a value that determines whether an object can respond to user-generated events."},
        {"ForeColor", "Returns/sets the foreground color used to display text and graphics in the control."},
        {"Font", "Returns/sets a Font object used to display text in the control."},
        {"HighlightColor",
         "Returns/sets the highlight color used to display text and graphics when the mouse is over the control."},
        {"MouseIcon", "Returns/sets a custom mouse icon."},
        {"MousePointer", "Returns/sets the type of mouse pointer displayed when over part of the control."},
        {"RightToLeft", "Determines text display direction and control visual appearance on a bidirectional system."},
        {"SkinDisabled", "Returns/sets a graphic to be displayed for the control when it is disabled."},
        {"SkinDown", "Returns/sets a graphic to be displayed for the control the mouse has been pressed over it."},
        {"SkinFocus", "Returns/sets a graphic to be displayed for the control when it default."},
        {"SkinOver", "Returns/sets a graphic to be displayed for the control when the mouse is over it."},
        {"SkinUp", "Returns/sets a graphic to be displayed for the control."},
        {"Style", "Returns/sets the style for the control."},
        {"ToolTipText", "Returns/sets the text displayed when the mouse cursor is over the control."},
        {"TransparentColor", "Returns/sets the color of the Picture property to make transparent."},
        {"Value", "Returns/sets a default state for the control."},
        {"WhatsThisHelpID", "Returns/sets an associated help context ID for the control."},
        {"Click", "Occurs when the user presses and then releases a mouse button over the control."},
        {"KeyDown", "Occurs when the user presses a key while the control has the focus."},
        {"KeyPress", "Occurs when the user presses and releases an ANSI key."},
        {"KeyUp", "Occurs when the user releases a key while the control has the focus."},
        {"MouseDown", "Occurs when the user presses the mouse button while the control has the focus."},
        {"MouseEnter", "Occurs when the user moves the mouse over the control after MouseExit event."},
        {"MouseExit", "Occurs when the user moves the mouse out of the control after MouseEnter event."},
        {"MouseMove", "Occurs when the user moves the mouse."},
        {"MouseUp", "Occurs when the user releases the mouse button while the control has the focus."},
        {"Resize", "Occurs when a form is first displayed or the size of the control changes."},
    };
    auto it = texts.find(member);
    return it == texts.end() ? std::string() : it->second;
}

void ButtonEx::RegisterType() {
    gf::ControlTypes::Register("ButtonEx", [](const std::string& name, int index) {
        return std::make_unique<ButtonEx>(name, index);
    });
}

// The character after the first single "&" becomes the access key; "&&" is a literal
// ampersand and is skipped. A caption without a marking "&" leaves the keys as they are.
void ButtonEx::SetAccessKeysFromCaption(const std::string& caption) {
    size_t amp = caption.find('&');
    while (amp != std::string::npos) {
        if (amp + 1 >= caption.size()) {
            SetAccessKeys("");  // a single "&" at the end marks nothing
            return;
        }
        if (caption[amp + 1] != '&') {
            SetAccessKeys(std::string(1, caption[amp + 1]));
            return;
        }
        amp = caption.find('&', amp + 2);
    }
}

// ---- saved properties ---------------------------------------------------------------

void ButtonEx::UserControl_Initialize() { SetExtent(1200, 360); }

void ButtonEx::UserControl_InitProperties() {
    SetAppearance(2);
    SetBackColor(kButtonFace);
    SetCaption(kNewCaption);
    SetCaptionOffsetX(0);
    SetCaptionOffsetY(0);
    SetEnabled(true);
    SetForeColor(kButtonText);
    SetFont(Ambient().Font);
    SetHighlightColor(kButtonText);
    SetMouseIcon(gf::StdPicture::Empty());
    SetMousePointer(0);
    SetRightToLeft(false);
    SetSkinDisabled(gf::StdPicture::Empty());
    SetSkinDown(gf::StdPicture::Empty());
    SetSkinFocus(gf::StdPicture::Empty());
    SetSkinOver(gf::StdPicture::Empty());
    SetSkinUp(gf::StdPicture::Empty());
    SetStyle(0);
    SetToolTipText("");
    SetTransparentColor(kPureBlue);
    SetValue(1);
    SetWhatsThisHelpID(0);
}

void ButtonEx::UserControl_ReadProperties(const gf::PropertyBag& PropBag) {
    SetAppearance(PropBag.ReadLong("Appearance", 2));
    SetBackColor(PropBag.ReadColor("BackColor", kButtonFace));
    SetCaption(PropBag.ReadString("Caption", kNewCaption));
    SetCaptionOffsetX(PropBag.ReadLong("CaptionOffsetX", 0));
    SetCaptionOffsetY(PropBag.ReadLong("CaptionOffsetY", 0));
    SetEnabled(PropBag.ReadBool("Enabled", true));
    SetForeColor(PropBag.ReadColor("ForeColor", kButtonText));
    SetFont(PropBag.ReadFont("Font", Ambient().Font));
    SetHighlightColor(PropBag.ReadColor("HighlightColor", kButtonText));
    SetMouseIcon(PropBag.ReadPicture("MouseIcon", nullptr));
    SetMousePointer(PropBag.ReadLong("MousePointer", 0));
    SetRightToLeft(PropBag.ReadBool("RightToLeft", false));
    SetSkinDisabled(PropBag.ReadPicture("SkinDisabled", nullptr));
    SetSkinDown(PropBag.ReadPicture("SkinDown", nullptr));
    SetSkinFocus(PropBag.ReadPicture("SkinFocus", nullptr));
    SetSkinOver(PropBag.ReadPicture("SkinOver", nullptr));
    SetSkinUp(PropBag.ReadPicture("SkinUp", nullptr));
    SetStyle(PropBag.ReadLong("Style", 0));
    SetToolTipText(PropBag.ReadString("ToolTipText", ""));
    SetTransparentColor(PropBag.ReadColor("TransparentColor", kPureBlue));
    SetValue(PropBag.ReadLong("Value", 1));
    SetWhatsThisHelpID(PropBag.ReadLong("WhatsThisHelpID", 0));
}

void ButtonEx::UserControl_WriteProperties(gf::PropertyBag& PropBag) {
    // Colours go out as numbers: 0x8000000F must keep its high bit.
    auto colour = [](gf::OLE_COLOR c) { return static_cast<double>(c); };
    PropBag.WriteProperty("Appearance", m_Appearance, 2L);
    PropBag.WriteProperty("Enabled", Enabled(), true);
    PropBag.WriteProperty("BackColor", colour(m_BackColor), colour(kButtonFace));
    PropBag.WriteProperty("Caption", m_Caption, kNewCaption);
    PropBag.WriteProperty("CaptionOffsetX", m_CaptionOffsetX, 0L);
    PropBag.WriteProperty("CaptionOffsetY", m_CaptionOffsetY, 0L);
    PropBag.WriteProperty("ForeColor", colour(m_ForeColor), colour(kButtonText));
    PropBag.WriteProperty("Font", m_Font, Ambient().Font);
    PropBag.WriteProperty("HighlightColor", colour(m_HighlightColor), colour(kButtonText));
    PropBag.WriteProperty("RightToLeft", m_RightToLeft, false);
    PropBag.WriteProperty("TransparentColor", colour(m_TransparentColor), colour(kPureBlue));
    PropBag.WriteProperty("MouseIcon", m_MouseIcon, gf::PictureRef{});
    PropBag.WriteProperty("MousePointer", m_MousePointer, 0L);
    PropBag.WriteProperty("SkinDisabled", m_SkinDisabled, gf::PictureRef{});
    PropBag.WriteProperty("SkinDown", m_SkinDown, gf::PictureRef{});
    PropBag.WriteProperty("SkinFocus", m_SkinFocus, gf::PictureRef{});
    PropBag.WriteProperty("SkinOver", m_SkinOver, gf::PictureRef{});
    PropBag.WriteProperty("SkinUp", m_SkinUp, gf::PictureRef{});
    PropBag.WriteProperty("Style", m_Style, 0L);
    PropBag.WriteProperty("ToolTipText", m_ToolTipText, "");
    PropBag.WriteProperty("Value", m_Value, 1L);
    PropBag.WriteProperty("WhatsThisHelpID", m_WhatsThisHelpID, 0L);
}

// ---- events -----------------------------------------------------------------------

// Every event goes out through here. Arguments arrive as numbers and leave as copies of
// the event's own types, so a handler's changes go nowhere.
void ButtonEx::RaiseEventByName(const std::string& EventName, const std::vector<double>& Params) {
    auto i16 = [&](size_t i) { return static_cast<short>(std::nearbyint(Params.at(i))); };
    auto f32 = [&](size_t i) { return static_cast<float>(Params.at(i)); };
    if (EventName == "Click") {
        if (Click) Click();
    } else if (EventName == "KeyDown" || EventName == "KeyUp") {
        short keyCode = i16(0), shift = i16(1);
        auto& handler = EventName == "KeyDown" ? KeyDown : KeyUp;
        if (handler) handler(keyCode, shift);
    } else if (EventName == "KeyPress") {
        short keyAscii = i16(0);
        if (KeyPress) KeyPress(keyAscii);
    } else if (EventName == "MouseDown" || EventName == "MouseMove" || EventName == "MouseUp") {
        short button = i16(0), shift = i16(1);
        float x = f32(2), y = f32(3);
        auto& handler = EventName == "MouseDown" ? MouseDown : EventName == "MouseMove" ? MouseMove : MouseUp;
        if (handler) handler(button, shift, x, y);
    } else if (EventName == "MouseExit" || EventName == "MouseEnter") {
        // The pair alternates: a request repeating the last of the two raises nothing.
        if (m_LastMouseEvent != EventName) {
            auto& handler = EventName == "MouseExit" ? MouseExit : MouseEnter;
            if (handler) handler();
        }
        m_LastMouseEvent = EventName;
    } else if (EventName == "Resize") {
        if (Resize) Resize();
    }
}

void ButtonEx::UserControl_Click() { RaiseEventByName("Click"); }
void ButtonEx::UserControl_AccessKeyPress(int) { RaiseEventByName("Click"); }

void ButtonEx::UserControl_KeyDown(int KeyCode, int Shift) {
    RaiseEventByName("KeyDown", {double(KeyCode), double(Shift)});
}

void ButtonEx::UserControl_KeyPress(int KeyAscii) { RaiseEventByName("KeyPress", {double(KeyAscii)}); }

void ButtonEx::UserControl_KeyUp(int KeyCode, int Shift) {
    RaiseEventByName("KeyUp", {double(KeyCode), double(Shift)});
}

// ---- states -------------------------------------------------------------------------

bool ButtonEx::RunMode() const { return Ambient().UserMode; }

void ButtonEx::UserControl_AmbientChanged(const std::string& PropertyName) {
    if (PropertyName != "DisplayAsDefault") return;
    m_HasFocus = Ambient().DisplayAsDefault;
    Redraw(m_State);
}

void ButtonEx::UserControl_GotFocus() {
    m_HasFocus = true;
    Redraw(m_State);
}

void ButtonEx::UserControl_LostFocus() {
    m_HasFocus = false;
    Redraw(m_State);
}

void ButtonEx::UserControl_MouseDown(int Button, int Shift, float x, float y) {
    if (Button == gf::vbLeftButton) {
        m_Value = m_State == StateDown ? 1 : 0;  // the latch; no notice, no redraw of its own
        Redraw(StateDown);
    }
    RaiseEventByName("MouseDown", {double(Button), double(Shift), x * gf::Screen::TwipsPerPixelX(),
                                   y * gf::Screen::TwipsPerPixelY()});
}

void ButtonEx::UserControl_MouseMove(int Button, int Shift, float x, float y) {
    if (RunMode() && !Timer1.Enabled()) {
        Timer1.SetEnabled(true);  // the first move only starts watching for the leave
    } else if (Button == 0) {
        if (m_State != StateOver && !m_ActiveButton) Redraw(StateOver);
    } else if (Button == gf::vbLeftButton) {
        if (m_State != StateDown) Redraw(StateDown);
    }
    const auto& s = Surface();
    if (x >= 0 && x <= s.ScaleWidth() && y >= 0 && y <= s.ScaleHeight()) {
        RaiseEventByName("MouseEnter");
        RaiseEventByName("MouseMove", {double(Button), double(Shift), x * gf::Screen::TwipsPerPixelX(),
                                       y * gf::Screen::TwipsPerPixelY()});
    }
}

void ButtonEx::UserControl_MouseUp(int Button, int Shift, float x, float y) {
    if (Button == gf::vbLeftButton) Redraw(StateUp);
    RaiseEventByName("MouseUp", {double(Button), double(Shift), x * gf::Screen::TwipsPerPixelX(),
                                 y * gf::Screen::TwipsPerPixelY()});
}

void ButtonEx::Timer1_Timer() {
    POINT p{};
    GetCursorPos(&p);
    ScreenToClient(hWnd(), &p);
    const auto& s = Surface();
    double l = s.ScaleLeft(), t = s.ScaleTop();
    if (p.x < l || p.x > l + s.ScaleWidth() || p.y < t || p.y > t + s.ScaleHeight()) {
        Timer1.SetEnabled(false);
        RaiseEventByName("MouseExit");
        if (m_State != StateUp && !m_ActiveButton) Redraw(StateUp);
    }
}

void ButtonEx::UserControl_Resize() {
    Redraw(StateUp);
    RaiseEventByName("Resize");
}

// ---- drawing ------------------------------------------------------------------------

void ButtonEx::Redraw(long State) {
    // Loading applies every saved property through its setter; the Resize that ends the
    // load draws the face once, so the setters only store meanwhile.
    if (ReadingProperties()) return;
    auto& s = Surface();
    s.SetPicture(nullptr);
    s.SetMaskPicture(nullptr);
    s.Cls();
    bool runMode = RunMode();
    if (m_Style == 1) {
        // A latched button is down whatever is asked; an unlatched one shows up or over.
        if (m_Value == 0)
            State = StateDown;
        else if (State != StateOver)
            State = StateUp;
    }
    bool focus = m_HasFocus && runMode;
    if (m_ActiveButton)
        DrawSkin(StateDown, focus);
    else if (m_SkinUp && m_Appearance == 2)
        DrawSkin(State, focus);
    else
        DrawFrame(State, focus);
    DrawCaption(State);
}

void ButtonEx::DrawFrame(long State, bool HasFocus) {
    auto& s = Surface();
    s.SetBackStyle(gf::UserControlSurface::Opaque);
    RECT r{0, 0, Whole(s.ScaleWidth()), Whole(s.ScaleHeight())};
    HDC dc = s.hDC();
    bool focusRect = false;
    switch (State) {
    case StateDown:
        if (HasFocus) {
            DrawEdge(dc, &r, BDR_RAISEDOUTER | BDR_SUNKENOUTER, kEdgeMonoAdjust);
            DrawEdge(dc, &r, BDR_SUNKENOUTER, kEdgeFlatRect);
            focusRect = true;
        } else {
            DrawEdge(dc, &r, EDGE_SUNKEN, BF_RECT);
        }
        break;
    case StateUp:
    case StateOver:
        if (State == StateUp && m_Appearance != 1) break;  // the flat up look: nothing at all
        if (HasFocus) {
            DrawEdge(dc, &r, BDR_RAISEDOUTER | BDR_SUNKENOUTER, kEdgeMonoAdjust);
            DrawEdge(dc, &r, EDGE_RAISED, BF_RECT);
            focusRect = true;
        } else {
            DrawEdge(dc, &r, EDGE_RAISED, BF_RECT);
        }
        break;
    default:
        focusRect = HasFocus;
        break;
    }
    if (focusRect) {
        RECT f{4, 4, Whole(s.ScaleWidth() - 4), Whole(s.ScaleHeight() - 4)};
        gf::OLE_COLOR saved = s.ForeColor();
        s.SetForeColor(0);
        DrawFocusRect(dc, &f);
        s.SetForeColor(saved);
    }
    m_State = State;
}

void ButtonEx::DrawSkin(long State, bool HasFocus) {
    m_State = State;
    if (!Enabled()) {
        State = StateDisabled;
        m_State = StateDisabled;
    } else if (HasFocus && State == StateUp) {
        State = StateFocus;  // the picture only: m_State stays up
    }
    auto& s = Surface();
    s.SetBackStyle(gf::UserControlSurface::Transparent);
    gf::PictureRef face = m_SkinUp;
    if (m_ActiveButton) {
        face = m_SkinDown;
    } else {
        const gf::PictureRef* wanted = nullptr;
        switch (State) {
        case StateDown: wanted = &m_SkinDown; break;
        case StateUp: wanted = &m_SkinUp; break;
        case StateOver: wanted = &m_SkinOver; break;
        case StateDisabled: wanted = &m_SkinDisabled; break;
        case StateFocus: wanted = &m_SkinFocus; break;
        }
        if (wanted && *wanted) face = *wanted;
    }
    s.SetPicture(face);
    if (face && face->HasImage()) {
        s.SetMaskPicture(face);
        // The control takes the size of its skin.
        SetExtent(face->Width() / 1.76, face->Height() / 1.76);
    }
}

void ButtonEx::DrawCaption(long State) {
    auto& s = Surface();
    bool highlighted = State == StateOver || (State == StateDown && m_LastMouseEvent != "MouseExit");
    s.SetForeColor(highlighted ? m_HighlightColor : m_ForeColor);
    long x = Whole(s.ScaleWidth()) / 2 - Whole(s.TextWidth(m_Caption)) / 2;
    long y = Whole(s.ScaleHeight()) / 2 - Whole(s.TextHeight(m_Caption)) / 2;
    if (State == StateDown) {
        ++x;
        ++y;
    }
    UINT flags = DST_PREFIXTEXT;
    if (!Enabled()) flags |= DSS_DISABLED;
    if (m_RightToLeft) flags |= kRightToLeftText;
    DrawStateA(s.hDC(), nullptr, nullptr, reinterpret_cast<LPARAM>(m_Caption.c_str()),
               static_cast<WPARAM>(m_Caption.size()), x + m_CaptionOffsetX, y + m_CaptionOffsetY, 0, 0, flags);
}
