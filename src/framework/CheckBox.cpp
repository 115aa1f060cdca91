#include "framework/CheckBox.h"

#include "framework/Design.h"
#include "framework/Error.h"

namespace gf {

void CheckBox::SetValue(int value) {
    if (value < vbUnchecked || value > vbGrayed) throw Error(380, "CheckBox", "Invalid property value");
    if (value == value_) return;
    value_ = value;
    Redraw();
    if (OnClick) OnClick();
}

UINT CheckBox::MarkState() const {
    if (value_ == vbGrayed) return DFCS_BUTTON3STATE | DFCS_CHECKED;
    return DFCS_BUTTONCHECK | (value_ == vbChecked ? DFCS_CHECKED : 0);
}

void CheckBox::ApplyDesign(const DesignProperties& props) {
    MarkButton::ApplyDesign(props);
    // The design value is the starting state, not a change: no click.
    long v = props.GetLong("Value", value_);
    if (v >= vbUnchecked && v <= vbGrayed) value_ = static_cast<int>(v);
}

}  // namespace gf
