#pragma once
// ButtonEx: a button whose face is a picture per state (the skin look) or a drawn 3-D
// frame (the frame look), with a centred caption on top. The main window's three page
// buttons are ButtonEx controls configured by saved properties.
//
// A form holds one as a "ButtonEx" row of its design table (after RegisterType), gives
// it its saved properties before it loads, and handles Click:
//     auto& button = Get<ButtonEx>("ButtonEx1", 0);
//     button.SetSavedProperties(PageButtonProperties(up, over));
//     button.Click = [this] { ButtonEx1_Click(0); };
// Without a form: Move(...) in twips, then Load(parentWindow, &savedProperties).
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "framework/UserControl.h"

class ButtonEx : public gf::UserControl {
public:
    // Drawing states.
    enum { StateDown = 0, StateUp = 1, StateOver = 2, StateDisabled = 3, StateFocus = 4 };

    explicit ButtonEx(std::string name = "ButtonEx1", int index = -1);
    ~ButtonEx() override;
    const char* TypeName() const override { return "ButtonEx"; }

    long Appearance() const { return m_Appearance; }
    void SetAppearance(long New_Appearance);
    gf::OLE_COLOR BackColor() const { return m_BackColor; }
    void SetBackColor(gf::OLE_COLOR New_BackColor);
    const std::string& Caption() const { return m_Caption; }
    void SetCaption(const std::string& New_Caption);
    long CaptionOffsetX() const { return m_CaptionOffsetX; }
    void SetCaptionOffsetX(long New_CaptionOffsetX);
    long CaptionOffsetY() const { return m_CaptionOffsetY; }
    void SetCaptionOffsetY(long New_CaptionOffsetY);
    // Enabled() is the control's own; setting it redraws and notifies.
    void SetEnabled(bool New_Enabled) override;
    gf::OLE_COLOR ForeColor() const { return m_ForeColor; }
    void SetForeColor(gf::OLE_COLOR New_ForeColor);
    const gf::StdFont& Font() const { return m_Font; }
    void SetFont(const gf::StdFont& New_Font);
    void ScaleFont(double factor) override { SetFont(Font().Scaled(factor)); }
    gf::OLE_COLOR HighlightColor() const { return m_HighlightColor; }
    void SetHighlightColor(gf::OLE_COLOR New_HighlightColor);
    const gf::PictureRef& MouseIcon() const { return m_MouseIcon; }
    void SetMouseIcon(gf::PictureRef New_MouseIcon);
    long MousePointer() const { return m_MousePointer; }
    void SetMousePointer(long New_MousePointer);
    bool RightToLeft() const { return m_RightToLeft; }
    void SetRightToLeft(bool New_RightToLeft);
    const gf::PictureRef& SkinDisabled() const { return m_SkinDisabled; }
    void SetSkinDisabled(gf::PictureRef New_SkinDisabled);
    const gf::PictureRef& SkinDown() const { return m_SkinDown; }
    void SetSkinDown(gf::PictureRef New_SkinDown);
    const gf::PictureRef& SkinFocus() const { return m_SkinFocus; }
    void SetSkinFocus(gf::PictureRef New_SkinFocus);
    const gf::PictureRef& SkinOver() const { return m_SkinOver; }
    void SetSkinOver(gf::PictureRef New_SkinOver);
    const gf::PictureRef& SkinUp() const { return m_SkinUp; }
    void SetSkinUp(gf::PictureRef New_SkinUp);
    long Style() const { return m_Style; }
    void SetStyle(long New_Style);
    const std::string& ToolTipText() const { return m_ToolTipText; }
    void SetToolTipText(const std::string& New_ToolTipText);
    gf::OLE_COLOR TransparentColor() const { return m_TransparentColor; }
    void SetTransparentColor(gf::OLE_COLOR New_TransparentColor);
    long value() const { return m_Value; }
    void SetValue(long New_Value);
    long WhatsThisHelpID() const { return m_WhatsThisHelpID; }
    void SetWhatsThisHelpID(long New_WhatsThisHelpID);

    bool ActiveButton() const { return m_ActiveButton; }
    // While set, the control shows SkinDown whatever its state. Not saved.
    void SetActiveButton(bool New_ActiveButton);

    // The text a property browser shows for a member; empty for an unknown name.
    static std::string Description(const std::string& member);

    // Lets design tables hold "ButtonEx" rows (gf::ControlTypes); once, at start.
    static void RegisterType();

    // The drawing state last drawn (diagnostics and tests).
    long DrawnState() const { return m_State; }

    // Events. Handlers get references to copies: changing an argument changes nothing here.
    std::function<void()> Click;
    std::function<void(short& KeyCode, short& Shift)> KeyDown;
    std::function<void(short& KeyAscii)> KeyPress;
    std::function<void(short& KeyCode, short& Shift)> KeyUp;
    std::function<void(short& Button, short& Shift, float& x, float& y)> MouseDown;
    std::function<void()> MouseEnter;
    std::function<void()> MouseExit;
    std::function<void(short& Button, short& Shift, float& x, float& y)> MouseMove;
    std::function<void(short& Button, short& Shift, float& x, float& y)> MouseUp;
    std::function<void()> Resize;

protected:
    void UserControl_Initialize() override;
    void UserControl_InitProperties() override;
    void UserControl_ReadProperties(const gf::PropertyBag& PropBag) override;
    void UserControl_WriteProperties(gf::PropertyBag& PropBag) override;
    void UserControl_AmbientChanged(const std::string& PropertyName) override;
    void UserControl_Click() override;
    void UserControl_AccessKeyPress(int KeyAscii) override;
    void UserControl_KeyDown(int KeyCode, int Shift) override;
    void UserControl_KeyPress(int KeyAscii) override;
    void UserControl_KeyUp(int KeyCode, int Shift) override;
    void UserControl_GotFocus() override;
    void UserControl_LostFocus() override;
    void UserControl_MouseDown(int Button, int Shift, float x, float y) override;
    void UserControl_MouseMove(int Button, int Shift, float x, float y) override;
    void UserControl_MouseUp(int Button, int Shift, float x, float y) override;
    void UserControl_Resize() override;

private:
    void RaiseEventByName(const std::string& EventName, const std::vector<double>& Params = {});
    void SetAccessKeysFromCaption(const std::string& caption);
    bool RunMode() const;
    void Redraw(long State);
    void DrawFrame(long State, bool HasFocus);
    void DrawSkin(long State, bool HasFocus);
    void DrawCaption(long State);
    void Timer1_Timer();

    std::string m_LastMouseEvent;
    long m_State = 0;
    bool m_HasFocus = false;
    bool m_ActiveButton = false;

    long m_Appearance = 2;
    gf::OLE_COLOR m_BackColor = 0x8000000F;
    std::string m_Caption;
    long m_CaptionOffsetX = 0;
    long m_CaptionOffsetY = 0;
    gf::OLE_COLOR m_ForeColor = 0x80000012;
    gf::StdFont m_Font;
    gf::OLE_COLOR m_HighlightColor = 0x80000012;
    gf::PictureRef m_MouseIcon;
    long m_MousePointer = 0;
    bool m_RightToLeft = false;
    gf::PictureRef m_SkinDisabled, m_SkinDown, m_SkinFocus, m_SkinOver, m_SkinUp;
    long m_Style = 0;
    std::string m_ToolTipText;
    gf::OLE_COLOR m_TransparentColor = 0xFF0000;
    long m_Value = 1;
    long m_WhatsThisHelpID = 0;

    gf::UserControlTimer Timer1;
};
