#pragma once
// KivoXPButton: the drawn XP-style push button. A user control whose whole look is
// painted by its own code (fourteen button types, colour schemes, a picture beside or
// behind the caption), configured through saved properties and raising Click.
//
// A form holds one as a "KivoXPButton" row of its design table (after RegisterType),
// gives it its saved properties before it loads, and handles Click:
//     auto& cmdClean = Get<KivoXPButton>("cmdClean");
//     cmdClean.SetSavedProperties(
//         KivoXPButtonSavedProperties(*FindKivoXPButtonDesign("cmdClean"), picture));
//     cmdClean.Click = [this] { cmdClean_Click(); };
// Without a form: Move(...) in twips, then Load(parentWindow, &savedProperties).
#include <windows.h>

#include <functional>
#include <string>

#include "controls/KivoXPButtonLook.h"
#include "framework/UserControl.h"

class KivoXPButton : public gf::UserControl, private kivoxp::LookHost {
public:
    explicit KivoXPButton(std::string name, int index = -1);
    ~KivoXPButton() override;

    const char* TypeName() const override { return "KivoXPButton"; }
    // Lets design tables hold "KivoXPButton" rows (gf::ControlTypes); once, at start.
    static void RegisterType();
    // The access key of a caption: the character after the first single "&" (one "&&"
    // pair may be skipped), in lower case; empty when there is none.
    static std::string AccessKeyOf(const std::string& caption);

    // Events. Arguments are passed by reference: the control reads Button and KeyCode
    // again after raising the event.
    std::function<void()> Click;
    std::function<void(short& Button, short& Shift, float& X, float& Y)> MouseDown;
    std::function<void(short& Button, short& Shift, float& X, float& Y)> MouseMove;
    std::function<void(short& Button, short& Shift, float& X, float& Y)> MouseUp;
    std::function<void(short& KeyAscii)> KeyPress;
    std::function<void(short& KeyCode, short& Shift)> KeyDown;
    std::function<void(short& KeyCode, short& Shift)> KeyUp;
    std::function<void()> MouseOver;
    std::function<void()> MOUSEOUT;

    // Colours (OLE colours: RGB or a system-colour reference).
    gf::OLE_COLOR BackColor() const { return look_.BackColor; }
    void SetBackColor(gf::OLE_COLOR theCol);
    gf::OLE_COLOR BackOver() const { return look_.BackOver; }
    void SetBackOver(gf::OLE_COLOR theCol);
    gf::OLE_COLOR ForeColor() const { return look_.ForeColor; }
    void SetForeColor(gf::OLE_COLOR theCol);
    gf::OLE_COLOR ForeOver() const { return look_.ForeOver; }
    void SetForeOver(gf::OLE_COLOR theCol);
    gf::OLE_COLOR MaskColor() const { return look_.MaskColor; }
    void SetMaskColor(gf::OLE_COLOR theCol);

    long ButtonType() const { return look_.ButtonType; }
    void SetButtonType(long NewValue);
    const std::string& Caption() const { return look_.Caption; }
    void SetCaption(const std::string& NewValue);
    // Enabled() is the framework's state, kept equal to the property.
    void SetEnabled(bool NewValue) override;

    const gf::StdFont& Font() const { return Surface().Font(); }
    void SetFont(const gf::StdFont& NewFont);
    void ScaleFont(double factor) override { SetFont(Font().Scaled(factor)); }
    bool FontBold() override { return Font().Bold(); }
    void SetFontBold(bool NewValue) override;
    bool FontItalic() const { return Font().Italic; }
    void SetFontItalic(bool NewValue);
    bool FontUnderline() const { return Font().Underline; }
    void SetFontUnderline(bool NewValue);
    short FontSize() const;  // rounded to the nearest point, halves to even
    void SetFontSize(short NewValue);
    const std::string& FontName() const { return Font().Name; }
    void SetFontName(const std::string& NewValue);

    long ColorScheme() const { return look_.ColorScheme; }
    void SetColorScheme(long NewValue);
    bool ShowFocusRect() const { return look_.ShowFocusRect; }
    void SetShowFocusRect(bool NewValue);
    // These report to the host; the framework's own setters do not.
    void SetMousePointer(int newPointer);
    void SetMouseIcon(gf::PictureRef newIcon);
    bool SoftBevel() const { return look_.SoftBevel; }
    void SetSoftBevel(bool NewValue);
    const gf::PictureRef& PictureNormal() const { return pictureNormal_; }
    void SetPictureNormal(gf::PictureRef newPic);
    const gf::PictureRef& PictureOver() const { return pictureOver_; }
    void SetPictureOver(gf::PictureRef newPic);
    long PicturePosition() const { return look_.PicturePosition; }
    void SetPicturePosition(long newPicPos);
    bool UseMaskColor() const { return look_.UseMaskColor; }
    void SetUseMaskColor(bool NewValue);
    bool UseGreyscale() const { return look_.UseGreyscale; }
    void SetUseGreyscale(bool NewValue);
    long SpecialEffect() const { return look_.SpecialEffect; }
    void SetSpecialEffect(long NewValue);
    bool CheckBoxBehaviour() const { return look_.CheckBoxBehaviour; }
    void SetCheckBoxBehaviour(bool NewValue);
    bool value() const { return look_.value; }
    void SetValue(bool NewValue);
    std::string Version() const { return "2.0.6"; }
    short ImageIndex() const { return imageIndex_; }
    void SetImageIndex(short New_ImageIndex);

    // Suspends painting until Refresh or the next Show.
    void DisableRefresh();
    // Captures the background again (type 11), recomputes the palette and the caption
    // layout and repaints.
    void Refresh();

    // The painter and its state, for inspection.
    const kivoxp::Look& Look() const { return look_; }
    bool HandFlag() const { return handFlag_; }

protected:
    bool OwnsWindowRegion() const override { return true; }

    void UserControl_Initialize() override;
    void UserControl_InitProperties() override;
    void UserControl_ReadProperties(const gf::PropertyBag& bag) override;
    void UserControl_WriteProperties(gf::PropertyBag& bag) override;
    void UserControl_Resize() override;
    void UserControl_Show() override;
    void UserControl_Hide() override;
    void UserControl_Terminate() override;
    void UserControl_GotFocus() override;
    void UserControl_LostFocus() override;
    void UserControl_AmbientChanged(const std::string& propertyName) override;
    void UserControl_AccessKeyPress(int keyAscii) override;
    void UserControl_Click() override;
    void UserControl_DblClick() override;
    void UserControl_MouseDown(int button, int shift, float x, float y) override;
    void UserControl_MouseMove(int button, int shift, float x, float y) override;
    void UserControl_MouseUp(int button, int shift, float x, float y) override;
    void UserControl_KeyDown(int keyCode, int shift) override;
    void UserControl_KeyPress(int keyAscii) override;
    void UserControl_KeyUp(int keyCode, int shift) override;

private:
    // kivoxp::LookHost
    HDC SurfaceDC() override { return Surface().hDC(); }
    HWND SurfaceWindow() override { return hWnd(); }
    bool DisplayAsDefault() override { return Ambient().DisplayAsDefault; }
    void ClearSurface() override { Surface().Cls(); }

    bool DesignMode() const { return !Ambient().UserMode; }
    void Repaint(BYTE state) { look_.DrawButton(state, true); }
    void RepaintLast() { look_.DrawButton(look_.LastState, true); }
    void ColorsChanged(const char* key);
    void FontChanged(const gf::StdFont& font);
    void SetPictureViews();
    void DeriveAccessKey();
    void ClickHandling();
    bool IsMouseOver() const;
    void OverTimer_Timer();
    void MoveFocus(bool backwards);
    void CaptureParentBackground();
    void CreateBackground();
    void ReleaseBackground();

    kivoxp::Look look_{*this};
    gf::UserControlTimer OverTimer;
    gf::PictureRef pictureNormal_, pictureOver_;
    HBITMAP BackgroundBitmap = nullptr;
    HGDIOBJ keptBackgroundBitmap_ = nullptr;
    BYTE LastButton = 0;
    BYTE LastKeyDown = 0;
    bool Busy = false;
    bool handFlag_ = false;
    short imageIndex_ = 0;
};
