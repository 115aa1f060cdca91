#pragma once
// What command buttons, check boxes and option buttons share: a standard button window
// that the control draws itself, so that its back colour shows; a caption; fore and back
// colours; and the click the window reports (a press and release of the mouse, Space,
// BM_CLICK), which a disabled button ignores.
#include <string>

#include "framework/ChildWindow.h"

namespace gf {

class ButtonControl : public ChildWindow {
public:
    using ChildWindow::ChildWindow;

    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& caption);
    unsigned long ForeColor() const { return foreColor_; }
    void SetForeColor(unsigned long color);
    unsigned long BackColor() const { return backColor_; }
    void SetBackColor(unsigned long color);

    void ApplyDesign(const DesignProperties& props) override;
    bool OnParentNotify(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

protected:
    HWND MakeWindow(HWND parent) override;
    virtual void UserClick() = 0;
    virtual void Draw(HDC dc, const RECT& rc, UINT itemState) = 0;
    // The caption within rc (format: DrawText's alignment), greyed when disabled, with
    // the focus rectangle around its text when the window has the focus.
    void DrawCaption(HDC dc, const RECT& rc, UINT format, UINT itemState) const;
    void Redraw() const;

    std::string caption_;
    unsigned long foreColor_ = 0x80000012;  // button text
    unsigned long backColor_ = 0x8000000F;  // button face
};

// A check box or an option button: its mark left of the caption, drawn over whatever
// its container shows (BackStyle 0, the default: it looks transparent on a skin) or
// over its back colour (BackStyle 1).
class MarkButton : public ButtonControl {
public:
    using ButtonControl::ButtonControl;

    int BackStyle() const { return backStyle_; }
    void SetBackStyle(int style);

    void ApplyDesign(const DesignProperties& props) override;

protected:
    // The mark's DrawFrameControl state: its kind (DFCS_BUTTONCHECK, ...) and value.
    virtual UINT MarkState() const = 0;
    void Draw(HDC dc, const RECT& rc, UINT itemState) override;

    int backStyle_ = 0;
};

}  // namespace gf
