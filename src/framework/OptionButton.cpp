#include "framework/OptionButton.h"

#include "framework/Container.h"
#include "framework/Design.h"

namespace gf {

void OptionButton::Clear() {
    if (!value_) return;
    value_ = false;
    Redraw();
}

void OptionButton::SetValue(bool value) {
    if (value == value_) return;
    if (!value) return Clear();
    // The group is settled before the handler runs, so that it sees one choice.
    if (Host())
        for (Control* c : Host()->Children())
            if (auto* other = dynamic_cast<OptionButton*>(c); other && other != this) other->Clear();
    value_ = true;
    Redraw();
    if (OnClick) OnClick();
}

void OptionButton::ApplyDesign(const DesignProperties& props) {
    MarkButton::ApplyDesign(props);
    // The design value is the starting state, not a choice: no click.
    value_ = props.GetBool("Value", value_);
}

}  // namespace gf
