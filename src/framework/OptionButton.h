#pragma once
// An option button: one choice of a group, the option buttons of one container (the
// form, a frame or a picture box). Choosing it, by a click or by setting Value to true
// in code, clears the others of its container and raises OnClick once; choosing the
// chosen one again, or clearing it in code, raises nothing.
#include <functional>

#include "framework/ButtonControl.h"

namespace gf {

class OptionButton : public MarkButton {
public:
    using MarkButton::MarkButton;
    const char* TypeName() const override { return "OptionButton"; }

    std::function<void()> OnClick;

    bool Value() const { return value_; }
    void SetValue(bool value);

    void ApplyDesign(const DesignProperties& props) override;

protected:
    void UserClick() override { SetValue(true); }
    UINT MarkState() const override { return DFCS_BUTTONRADIO | (value_ ? DFCS_CHECKED : 0); }

private:
    void Clear();

    bool value_ = false;
};

}  // namespace gf
