#pragma once
// A check box with the value semantics the windows rely on: Value 0 (clear), 1
// (ticked) or 2 (greyed); assigning a different value in code raises OnClick, just as
// a user's click does, and assigning the value it already has raises nothing. Handlers
// nest: a handler that sets other boxes runs their handlers before it goes on. It draws
// itself over whatever its container shows, so it looks transparent on a skin.
#include <functional>
#include <string>

#include "framework/ChildWindow.h"

namespace gf {

enum CheckValue { vbUnchecked = 0, vbChecked = 1, vbGrayed = 2 };

class CheckBox : public ChildWindow {
public:
    using ChildWindow::ChildWindow;
    const char* TypeName() const override { return "CheckBox"; }

    std::function<void()> OnClick;

    int Value() const { return value_; }
    // Throws gf::Error 380 ("Invalid property value") for anything but 0, 1, 2.
    void SetValue(int value);

    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& caption);
    COLORREF ForeColor() const { return foreColor_; }
    void SetForeColor(unsigned long color);
    // 0 transparent (the default: the container shows through), 1 opaque BackColor.
    int BackStyle() const { return backStyle_; }
    void SetBackStyle(int style);
    void SetBackColor(unsigned long color);

    void ApplyDesign(const DesignProperties& props) override;
    bool OnParentNotify(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

protected:
    HWND MakeWindow(HWND parent) override;

private:
    void Draw(const DRAWITEMSTRUCT& dis);
    void UserClick();

    int value_ = 0;
    std::string caption_;
    unsigned long foreColor_ = 0x80000012;  // button text
    unsigned long backColor_ = 0x8000000F;  // button face
    int backStyle_ = 0;
};

}  // namespace gf
