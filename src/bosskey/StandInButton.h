#pragma once
// STAND-IN for the drawn XP-style button (KivoXPButton, branch kivoxp): a plain push
// button with a caption and OnClick, so that the caption dialog works until that
// control can be hosted on the forms layer. To switch: change the two "StandInButton"
// rows of frmInput's design table to the drawn button and hook its Click event in
// frmInput's constructor (see there).
#include <functional>
#include <string>

#include "framework/ChildWindow.h"

namespace bosskey {

class StandInButton : public gf::ChildWindow {
public:
    using ChildWindow::ChildWindow;
    const char* TypeName() const override { return "StandInButton"; }

    std::function<void()> OnClick;
    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& caption);

    void ApplyDesign(const gf::DesignProperties& props) override;
    bool OnParentNotify(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

protected:
    HWND MakeWindow(HWND parent) override;

private:
    std::string caption_;
};

}  // namespace bosskey
