#pragma once
// The mouse events a control raises to its owner: button, shift, x, y in twips within
// the control, and the clicks.
#include <functional>

#include "framework/Container.h"

namespace gf {

struct MouseHandlers {
    std::function<void(int, int, double, double)> OnMouseDown;
    std::function<void(int, int, double, double)> OnMouseMove;
    std::function<void(int, int, double, double)> OnMouseUp;
    std::function<void()> OnClick;
    std::function<void()> OnDblClick;

    bool HasPressHandlers() const { return OnClick || OnDblClick || OnMouseDown || OnMouseUp; }

    void RaiseMouse(MouseEvent ev, int button, int shift, double x, double y) const {
        switch (ev) {
            case MouseEvent::Down:
                if (OnMouseDown) OnMouseDown(button, shift, x, y);
                break;
            case MouseEvent::Move:
                if (OnMouseMove) OnMouseMove(button, shift, x, y);
                break;
            case MouseEvent::Up:
                if (OnMouseUp) OnMouseUp(button, shift, x, y);
                break;
            case MouseEvent::Click:
                if (OnClick) OnClick();
                break;
            case MouseEvent::DblClick:
                if (OnDblClick) OnDblClick();
                break;
        }
    }
};

}  // namespace gf
