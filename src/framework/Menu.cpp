#include "framework/Menu.h"

#include "framework/Design.h"

namespace gf {

HMENU Menu::BuildPopup(std::map<UINT, Menu*>& ids) const {
    HMENU popup = CreatePopupMenu();
    for (Menu* item : items_) {
        if (!item->Visible()) continue;
        if (item->IsSeparator()) {
            AppendMenuA(popup, MF_SEPARATOR, 0, nullptr);
            continue;
        }
        UINT flags = MF_STRING | (item->Enabled() ? 0 : MF_GRAYED) | (item->Checked() ? MF_CHECKED : 0);
        if (!item->Items().empty()) {
            HMENU sub = item->BuildPopup(ids);
            AppendMenuA(popup, flags | MF_POPUP, reinterpret_cast<UINT_PTR>(sub), item->Caption().c_str());
        } else {
            UINT id = static_cast<UINT>(ids.size()) + 1;
            ids[id] = item;
            AppendMenuA(popup, flags, id, item->Caption().c_str());
        }
    }
    return popup;
}

void Menu::ApplyDesign(const DesignProperties& props) {
    Control::ApplyDesign(props);
    caption_ = props.Get("Caption", caption_);
    checked_ = props.GetBool("Checked", checked_);
}

}  // namespace gf
