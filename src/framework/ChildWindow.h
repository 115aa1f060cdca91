#pragma once
// The base of controls that are a child window (check box, text box, combo box, list
// box, progress bar, frame, picture box). The control keeps every property itself, so
// it can be set before the form loads and survives an unload; the window mirrors it.
#include <string>

#include "framework/Control.h"
#include "framework/Font.h"

namespace gf {

class ChildWindow : public Control {
public:
    using Control::Control;
    ~ChildWindow() override;

    HWND Hwnd() const override { return hwnd_; }
    void Create(HWND parent) override;
    void Destroy() override;
    void ApplyDesign(const DesignProperties& props) override;

    const FontSpec& Font() const { return font_; }
    void SetFont(const FontSpec& font);
    void ScaleFont(double factor) override;
    // 0 brings the window in front of its siblings, 1 sends it behind them.
    void ZOrder(int position = 0);
    void SetFocus();
    // Repaints the window now.
    void Refresh();

protected:
    // Makes the window (with MakeChild) and returns it.
    virtual HWND MakeWindow(HWND parent) = 0;
    // Pushes the properties kept in the object into the fresh window.
    virtual void AfterCreate() {}
    virtual bool UsesFont() const { return true; }

    // A child window of class cls at the control's place; WS_CHILD, WS_CLIPSIBLINGS and
    // the visible and enabled states are added to style. A wide window holds every letter
    // the user types or pastes, also those the code page lacks.
    HWND MakeChild(const char* cls, const std::string& text, DWORD style, DWORD exStyle, HWND parent,
                   bool wide = false);

    HWND hwnd_ = nullptr;
    FontSpec font_;
};

// Loads the common controls' window classes (progress bar) once.
void EnsureCommonControls();

}  // namespace gf
