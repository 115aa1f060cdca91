#pragma once
// The common base of every control a form holds: a name (and index, for control
// arrays), a kind name, a position and size in twips within its container, and the
// visible and enabled states. Windowed controls keep their window in step with these.
#include <windows.h>

#include <string>

namespace gf {

class Container;
class DesignProperties;

// Twips per pixel of the screen (1440 / dots per inch: 15 at 96 dpi). Tests may
// override them to lay a window out as on another screen; 0 restores the real values.
struct Screen {
    static double TwipsPerPixelX();
    static double TwipsPerPixelY();
    static void OverrideTwipsPerPixel(double x, double y);
    // The screen's real dots per inch (never overridden). Read once: the system's
    // resolution stays the same for the life of a process, and asking the screen's
    // device context each time costs a trip to the display server under Wine.
    static int DotsPerInchX();
    static int DotsPerInchY();
    // What a point size becomes in pixels with: 1440 / twips per pixel, the screen's dots
    // per inch unless a test lays the windows out as on another screen.
    static double FontPixelsPerInch();
};

int TwipsToPixelsX(double twips);
int TwipsToPixelsY(double twips);
double PixelsToTwipsX(int pixels);
double PixelsToTwipsY(int pixels);

// What forms and controls share: code that takes "any object" (a form or any control)
// tells the kind by its name and reaches the window, if there is one.
class Object {
public:
    virtual ~Object() = default;
    // "Form", "CheckBox", "Label", "Frame", "PictureBox", "Menu", "Timer", "ButtonEx", ...
    virtual const char* TypeName() const = 0;
    // The object's own window, while it has one.
    virtual HWND Hwnd() const = 0;
};

class Control : public Object {
public:
    explicit Control(std::string name, int index = -1) : name_(std::move(name)), index_(index) {}
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    const std::string& Name() const { return name_; }
    // Position in its control array, or -1 for a single control.
    int Index() const { return index_; }

    HWND Hwnd() const override { return nullptr; }
    // Timers and menus have no place on the form.
    virtual bool HasGeometry() const { return true; }

    double Left() const { return left_; }
    double Top() const { return top_; }
    double Width() const { return width_; }
    double Height() const { return height_; }
    void SetLeft(double v) { Move(v, top_, width_, height_); }
    void SetTop(double v) { Move(left_, v, width_, height_); }
    void SetWidth(double v) { Move(left_, top_, v, height_); }
    void SetHeight(double v) { Move(left_, top_, width_, v); }
    void Move(double left, double top, double width, double height);

    bool Visible() const { return visible_; }
    virtual void SetVisible(bool visible);
    bool Enabled() const { return enabled_; }
    virtual void SetEnabled(bool enabled);

    std::string Tag;

    // Where the control sits. Parent() is the control that contains it (a frame, a
    // picture box, or the menu of a menu item), nullptr when it sits on the form itself;
    // Host() is the surface that paints behind it (nullptr for timers and menus). The
    // form sets both when the control is added.
    Control* Parent() const { return parent_; }
    Container* Host() const { return host_; }
    void SetPlacement(Control* parent, Container* host) {
        parent_ = parent;
        host_ = host;
    }
    // The surface of a frame or picture box, for the controls inside it.
    virtual Container* AsContainer() { return nullptr; }

    // The form creates every control's window when it loads, containers first, with
    // parent = the window of Host() (or of the form for timers and menus), and destroys
    // them, innermost first, when it unloads. The control keeps its properties between.
    virtual void Create(HWND parent) {}
    virtual void Destroy() {}

    // Notifications that Windows sends to the parent window about this control's window
    // (WM_COMMAND, WM_NOTIFY, WM_DRAWITEM, WM_CTLCOLOR...) are handed back to it.
    // Returns true when handled, with the result for the parent's window procedure.
    virtual bool OnParentNotify(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) { return false; }

    // Windowless controls (labels, images, shapes) are painted and hit-tested by their host.
    virtual bool IsWindowless() const { return false; }
    virtual void PaintWindowless(HDC dc) {}

    // Design-time properties beyond geometry, caption and tag (see Design.h).
    virtual void ApplyDesign(const DesignProperties& props);

    // Multiplies the size of the font the control shows its text in (nothing for a
    // control without text), as a window rescaled for the screen does with its layout.
    virtual void ScaleFont(double factor) {}

    // The control that owns a window made by this layer, or nullptr.
    static Control* FromWindow(HWND hwnd);

protected:
    // Marks hwnd as this control's window, for FromWindow and the parent's notifications.
    void BindWindow(HWND hwnd);
    void UnbindWindow(HWND hwnd);

    // Puts the window where the twips say (rounded to pixels); called after every move.
    virtual void ApplyGeometry();

    double left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    bool visible_ = true;
    bool enabled_ = true;

private:
    std::string name_;
    int index_;
    Control* parent_ = nullptr;
    Container* host_ = nullptr;
};

}  // namespace gf
