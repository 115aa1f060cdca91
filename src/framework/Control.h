#pragma once
// The common base of every control a form holds: a name (and index, for control
// arrays), a kind name, a position and size in twips within its container, and the
// visible and enabled states. Windowed controls keep their window in step with these.
#include <windows.h>

#include <string>

namespace gf {

// Twips per pixel of the screen (1440 / dots per inch: 15 at 96 dpi). Tests may
// override them to lay a window out as on another screen; 0 restores the real values.
struct Screen {
    static double TwipsPerPixelX();
    static double TwipsPerPixelY();
    static void OverrideTwipsPerPixel(double x, double y);
};

int TwipsToPixelsX(double twips);
int TwipsToPixelsY(double twips);
double PixelsToTwipsX(int pixels);
double PixelsToTwipsY(int pixels);

class Control {
public:
    explicit Control(std::string name, int index = -1) : name_(std::move(name)), index_(index) {}
    virtual ~Control() = default;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    // "CheckBox", "Label", "Frame", "PictureBox", "Menu", "Timer", "ButtonEx", ...
    virtual const char* TypeName() const = 0;
    const std::string& Name() const { return name_; }
    // Position in its control array, or -1 for a single control.
    int Index() const { return index_; }

    // The control's own window, if it has one.
    virtual HWND Hwnd() const { return nullptr; }
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

protected:
    // Puts the window where the twips say (rounded to pixels); called after every move.
    virtual void ApplyGeometry();

    double left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    bool visible_ = true;
    bool enabled_ = true;

private:
    std::string name_;
    int index_;
};

}  // namespace gf
