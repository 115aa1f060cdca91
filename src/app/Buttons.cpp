#include "app/Buttons.h"

#include <windows.h>

#include <memory>

#include "framework/ChildWindow.h"
#include "framework/Design.h"
#include "framework/Error.h"

namespace app {

namespace {

// GF-WIRE(buttonex, kivoxp): a plain push button until the skinned ones are merged.
class StandInButton : public gf::ChildWindow {
public:
    StandInButton(std::string name, int index, const char* kind)
        : ChildWindow(std::move(name), index), kind_(kind) {}
    const char* TypeName() const override { return kind_; }
    std::function<void()> Click;
    void ApplyDesign(const gf::DesignProperties& props) override {
        ChildWindow::ApplyDesign(props);
        caption_ = props.Get("Caption", caption_);
    }
    bool OnParentNotify(UINT msg, WPARAM wp, LPARAM, LRESULT& result) override {
        if (msg != WM_COMMAND || HIWORD(wp) != BN_CLICKED) return false;
        if (Click) Click();
        result = 0;
        return true;
    }

protected:
    HWND MakeWindow(HWND parent) override {
        return MakeChild("BUTTON", caption_, BS_PUSHBUTTON | WS_TABSTOP, 0, parent);
    }

private:
    const char* kind_;
    std::string caption_;
};

}  // namespace

void RegisterButtonTypes() {
    for (const char* kind : {"ButtonEx", "KivoXPButton"})
        gf::ControlTypes::Register(kind, [kind](const std::string& name, int index) {
            return std::make_unique<StandInButton>(name, index, kind);
        });
}

std::function<void()>& ClickOf(gf::Control& button) {
    if (auto* b = dynamic_cast<StandInButton*>(&button)) return b->Click;
    throw gf::Error(13, "frmMain", "Not a button: " + button.Name());
}

}  // namespace app
