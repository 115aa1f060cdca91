#pragma once
// A single-line text box. OnChange is raised at every change of the text, typed by the
// user or set in code, and only when the text really differs from what it was.
#include <functional>
#include <string>

#include "framework/ChildWindow.h"

namespace gf {

class TextBox : public ChildWindow {
public:
    using ChildWindow::ChildWindow;
    const char* TypeName() const override { return "TextBox"; }

    std::function<void()> OnChange;
    // The keyboard focus has left the box.
    std::function<void()> OnLostFocus;

    const std::string& Text() const { return text_; }
    // The text with every letter the window holds; Text() has a '?' for each letter that
    // the code page lacks.
    std::wstring WideText() const;
    void SetText(const std::string& text);
    // 0 left, 1 right, 2 centre.
    void SetAlignment(int alignment) { alignment_ = alignment; }
    void SetMaxLength(int chars);

    void ApplyDesign(const DesignProperties& props) override;
    bool OnParentNotify(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

protected:
    HWND MakeWindow(HWND parent) override;
    void AfterCreate() override;

private:
    std::string WindowText() const;

    std::string text_;
    int alignment_ = 0;
    int maxLength_ = 0;
    bool settingText_ = false;
};

}  // namespace gf
