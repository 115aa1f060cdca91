#pragma once
// A check box with the value semantics the windows rely on: Value 0 (clear), 1
// (ticked) or 2 (greyed); assigning a different value in code raises OnClick, just as
// a user's click does, and assigning the value it already has raises nothing. Handlers
// nest: a handler that sets other boxes runs their handlers before it goes on. It draws
// itself over whatever its container shows, so it looks transparent on a skin.
#include <functional>

#include "framework/ButtonControl.h"

namespace gf {

enum CheckValue { vbUnchecked = 0, vbChecked = 1, vbGrayed = 2 };

class CheckBox : public MarkButton {
public:
    using MarkButton::MarkButton;
    const char* TypeName() const override { return "CheckBox"; }

    std::function<void()> OnClick;

    int Value() const { return value_; }
    // Throws gf::Error 380 ("Invalid property value") for anything but 0, 1, 2.
    void SetValue(int value);

    void ApplyDesign(const DesignProperties& props) override;

protected:
    // A click ticks a clear or greyed box and clears a ticked one.
    void UserClick() override { SetValue(value_ == vbChecked ? vbUnchecked : vbChecked); }
    UINT MarkState() const override;

private:
    int value_ = 0;
};

}  // namespace gf
