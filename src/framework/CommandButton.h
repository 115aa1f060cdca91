#pragma once
// A push button: raised, pressed in while held, its caption centred; a click of the
// mouse, Space or BM_CLICK raises OnClick. Its face shows its back colour.
#include <functional>

#include "framework/ButtonControl.h"

namespace gf {

class CommandButton : public ButtonControl {
public:
    using ButtonControl::ButtonControl;
    const char* TypeName() const override { return "CommandButton"; }

    std::function<void()> OnClick;

protected:
    void UserClick() override {
        if (OnClick) OnClick();
    }
    void Draw(HDC dc, const RECT& rc, UINT itemState) override;
};

}  // namespace gf
