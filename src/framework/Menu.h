#pragma once
// A menu or menu item: a caption ("&Clean"; "-" makes a separator), enabled, checked
// and visible states, a click handler and the items below it. The program's menu is
// never in a menu bar: Form::PopupMenu shows a menu's items at the mouse pointer.
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "framework/Control.h"

namespace gf {

class Menu : public Control {
public:
    using Control::Control;
    const char* TypeName() const override { return "Menu"; }
    bool HasGeometry() const override { return false; }

    std::function<void()> OnClick;

    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& caption) { caption_ = caption; }
    bool Checked() const { return checked_; }
    void SetChecked(bool checked) { checked_ = checked; }
    bool IsSeparator() const { return caption_ == "-"; }

    const std::vector<Menu*>& Items() const { return items_; }
    void AddItem(Menu& item) { items_.push_back(&item); }

    // A pop-up menu of the visible items (sub-menus for items that have items); each
    // command's id is entered in ids. The caller owns the handle.
    HMENU BuildPopup(std::map<UINT, Menu*>& ids) const;

    void ApplyDesign(const DesignProperties& props) override;

private:
    std::string caption_;
    bool checked_ = false;
    std::vector<Menu*> items_;
};

}  // namespace gf
