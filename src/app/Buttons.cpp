#include "app/Buttons.h"

#include <windows.h>

#include <map>
#include <memory>
#include <string>

#include "../res/resource.h"
#include "controls/ButtonEx.h"
#include "controls/KivoXPButton.h"
#include "controls/KivoXPButtonDesigns.h"
#include "controls/PageButtons.h"
#include "framework/Design.h"
#include "framework/Error.h"

namespace app {

namespace {

gf::PictureRef Picture(int id) {
    return gf::StdPicture::LoadBitmapResource(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id));
}

// The page buttons ButtonEx1(0 to 2): their skins, up and over, by index.
gf::PropertyBag PageButtonSaved(int index) {
    static const int up[] = {IDB_PAGE0_UP, IDB_PAGE1_UP, IDB_PAGE2_UP};
    static const int over[] = {IDB_PAGE0_OVER, IDB_PAGE1_OVER, IDB_PAGE2_OVER};
    int i = index >= 0 && index < 3 ? index : 0;
    return PageButtonProperties(Picture(up[i]), Picture(over[i]));
}

// The drawn buttons' small pictures, by instance name.
int PictureOf(const std::string& name) {
    static const std::map<std::string, int> pictures = {
        {"InternetTab", IDB_BTN_INTERNET}, {"SoftwareTab", IDB_BTN_SOFTWARE}, {"WindowTab", IDB_BTN_WINDOWS},
        {"cmdClean", IDB_BTN_CLEAN},       {"cmdAddMore", IDB_BTN_ADD},       {"cmdRemove", IDB_BTN_REMOVE},
        {"cmdAdd", IDB_BTN_ADD},
    };
    auto it = pictures.find(name);
    return it == pictures.end() ? 0 : it->second;
}

}  // namespace

void RegisterButtonTypes() {
    gf::ControlTypes::Register("ButtonEx", [](const std::string& name, int index) {
        auto button = std::make_unique<ButtonEx>(name, index);
        button->SetSavedProperties(PageButtonSaved(index));
        return button;
    });
    gf::ControlTypes::Register("KivoXPButton", [](const std::string& name, int index) {
        auto button = std::make_unique<KivoXPButton>(name, index);
        if (const auto* design = FindKivoXPButtonDesign(name)) {
            int id = PictureOf(name);
            // Made at load: the buttons of hidden pages read their pictures when first shown.
            button->SetSavedProperties(
                [design, id] { return KivoXPButtonSavedProperties(*design, id ? Picture(id) : nullptr); });
        }
        return button;
    });
}

std::function<void()>& ClickOf(gf::Control& button) {
    if (auto* b = dynamic_cast<ButtonEx*>(&button)) return b->Click;
    if (auto* b = dynamic_cast<KivoXPButton*>(&button)) return b->Click;
    throw gf::Error(13, "frmMain", "Not a button: " + button.Name());
}

}  // namespace app
