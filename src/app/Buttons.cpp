#include "app/Buttons.h"

#include <windows.h>

#include <memory>

#include "../res/resource.h"
#include "controls/ButtonEx.h"
#include "controls/PageButtons.h"
#include "framework/ChildWindow.h"
#include "framework/Design.h"
#include "framework/Error.h"

namespace app {

namespace {

// A page button: ButtonEx created with the saved properties of its index when the form
// creates its windows, and unloaded with them.
class PageButton : public ButtonEx {
public:
    PageButton(std::string name, int index) : ButtonEx(std::move(name), index) {}
    void Create(HWND parent) override {
        static const int up[] = {IDB_PAGE0_UP, IDB_PAGE1_UP, IDB_PAGE2_UP};
        static const int over[] = {IDB_PAGE0_OVER, IDB_PAGE1_OVER, IDB_PAGE2_OVER};
        int i = Index() >= 0 && Index() < 3 ? Index() : 0;
        gf::PropertyBag saved = PageButtonProperties(Skin(up[i]), Skin(over[i]));
        Load(parent, &saved);
    }
    void Destroy() override { Unload(); }

private:
    static gf::PictureRef Skin(int id) {
        return gf::StdPicture::LoadBitmapResource(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id));
    }
};

// GF-WIRE(kivoxp): a plain push button until the drawn XP-style button is merged.
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
    gf::ControlTypes::Register("ButtonEx", [](const std::string& name, int index) {
        return std::make_unique<PageButton>(name, index);
    });
    gf::ControlTypes::Register("KivoXPButton", [](const std::string& name, int index) {
        return std::make_unique<StandInButton>(name, index, "KivoXPButton");
    });
}

std::function<void()>& ClickOf(gf::Control& button) {
    if (auto* b = dynamic_cast<ButtonEx*>(&button)) return b->Click;
    if (auto* b = dynamic_cast<StandInButton*>(&button)) return b->Click;
    throw gf::Error(13, "frmMain", "Not a button: " + button.Name());
}

}  // namespace app
