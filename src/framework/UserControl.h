#pragma once
// Hosting for user controls: one child window per control that a form holds and lays
// out like any other control, with a drawing surface, mouse pointer and icon, access
// keys, the container's ambient properties, the property-changed notice, an immediate
// refresh and saved properties. The control sees it all through the UserControl_*
// notifications, which derived controls override.
//
// Life cycle, as the host drives it: Load (Initialize; then ReadProperties from saved
// data, after the saved extent, or InitProperties for a new control; Resize; Show when
// visible), SaveProperties whenever the host saves, Unload (Terminate; the window goes).
// Mouse positions reach the notifications in the surface's scale: client pixels.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/Container.h"
#include "framework/Control.h"
#include "framework/PropertyBag.h"
#include "framework/UserControlSurface.h"

namespace gf {

// What the container tells its controls about itself.
struct AmbientProperties {
    bool UserMode = true;  // run mode; False while designing
    std::string DisplayName;
    bool DisplayAsDefault = false;
    StdFont Font;
};

// Mouse buttons and shift keys reach the notifications as the form layer's
// MouseButton and ShiftState masks (Container.h).

class UserControlTimer;

class UserControl : public Control {
public:
    explicit UserControl(std::string name, int index = -1);
    ~UserControl() override;

    HWND Hwnd() const override { return hwnd_; }
    HWND hWnd() const { return hwnd_; }
    bool Loaded() const { return hwnd_ != nullptr; }

    // Creates the control's window in parent (at the control's twips position) and runs
    // its start-up notifications; saved == nullptr makes a new control.
    void Load(HWND parent, const PropertyBag* saved = nullptr);
    // For a control that a form builds and loads: the saved properties its window is
    // created with (a new control without them).
    void SetSavedProperties(PropertyBag saved);
    // The same, made only when the control first loads: a control on a page that is
    // never shown never reads its pictures.
    void SetSavedProperties(std::function<PropertyBag()> make);
    // The form layer's hooks: Create loads with the saved properties, Destroy unloads.
    void Create(HWND parent) override;
    void Destroy() override { Unload(); }
    // Runs Terminate and destroys the window. Controls call it from their destructor,
    // while their own part still exists; a parent window's destruction does the same.
    void Unload();
    // Writes "_ExtentX" and "_ExtentY" (HiMetric), then the control's WriteProperties.
    void SaveProperties(PropertyBag& bag);

    UserControlSurface& Surface() { return surface_; }
    const UserControlSurface& Surface() const { return surface_; }

    void SetVisible(bool visible) override;

    // 0 the default pointer, 1 to 15 the standard ones, 99 the mouse icon.
    int MousePointer() const { return mousePointer_; }
    void SetMousePointer(int pointer);
    const PictureRef& MouseIcon() const { return mouseIcon_; }
    void SetMouseIcon(PictureRef icon);

    // The characters that, typed with Alt in the control's top-level window, reach the
    // control as AccessKeyPress (letters without regard to case).
    const std::string& AccessKeys() const { return accessKeys_; }
    void SetAccessKeys(std::string keys) { accessKeys_ = std::move(keys); }

    const AmbientProperties& Ambient() const { return ambient_; }
    // Each raises AmbientChanged with the property's name when the value changes.
    void SetAmbientUserMode(bool value);
    void SetAmbientDisplayName(const std::string& value);
    void SetAmbientDisplayAsDefault(bool value);
    void SetAmbientFont(const StdFont& value);

    // Called with the property's name whenever the control's saved data is stale.
    std::function<void(const std::string& propertyName)> OnPropertyChanged;

    // Puts the surface on the screen now, without waiting for the message loop.
    void Refresh();

    // Delivers an access key typed in the top-level window that holds window: the first
    // visible, enabled control there whose access keys hold the character gets
    // AccessKeyPress. False when no control takes it. Alt+key messages taken from this
    // thread's queue are delivered this way without help.
    static bool DeliverAccessKey(HWND window, char key);

protected:
    void PropertyChanged(const std::string& propertyName);
    // True while InitProperties or ReadProperties runs during a load: the Resize that
    // follows them draws the control, so drawing meanwhile would be wasted.
    bool ReadingProperties() const { return readingProperties_; }
    // True from the window's creation to the end of Load, Show included.
    bool Loading() const { return loading_; }
    void ApplyGeometry() override;
    // A control that shapes its window itself (SetWindowRgn) returns true, so that the
    // surface's mask region never replaces its region.
    virtual bool OwnsWindowRegion() const { return false; }
    // Sets the outer size in twips in one step (one Resize).
    void SetExtent(double widthTwips, double heightTwips);

    virtual void UserControl_Initialize() {}
    virtual void UserControl_InitProperties() {}
    virtual void UserControl_ReadProperties(const PropertyBag& bag) {}
    virtual void UserControl_WriteProperties(PropertyBag& bag) {}
    virtual void UserControl_Resize() {}
    virtual void UserControl_Show() {}
    virtual void UserControl_Hide() {}
    virtual void UserControl_Terminate() {}
    virtual void UserControl_GotFocus() {}
    virtual void UserControl_LostFocus() {}
    virtual void UserControl_AmbientChanged(const std::string& propertyName) {}
    virtual void UserControl_AccessKeyPress(int keyAscii) {}
    virtual void UserControl_Click() {}
    virtual void UserControl_DblClick() {}
    virtual void UserControl_MouseDown(int button, int shift, float x, float y) {}
    virtual void UserControl_MouseMove(int button, int shift, float x, float y) {}
    virtual void UserControl_MouseUp(int button, int shift, float x, float y) {}
    virtual void UserControl_KeyDown(int keyCode, int shift) {}
    virtual void UserControl_KeyPress(int keyAscii) {}
    virtual void UserControl_KeyUp(int keyCode, int shift) {}

private:
    friend class UserControlTimer;
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp);
    bool HandleMouse(UINT msg, WPARAM wp, LPARAM lp);
    bool HandleKeys(UINT msg, WPARAM wp, LPARAM lp);
    void OnSize(int width, int height);
    void OnPaint();
    bool OnSetCursor();
    void ApplyRegionIfStale();
    // The control's place in its parent, in pixels.
    RECT PixelPlace() const;
    void AmbientChanged(const char* name);

    HWND hwnd_ = nullptr;
    std::unique_ptr<PropertyBag> saved_;
    std::function<PropertyBag()> makeSaved_;
    UserControlSurface surface_;
    AmbientProperties ambient_;
    int mousePointer_ = 0;
    PictureRef mouseIcon_;
    std::string accessKeys_;
    std::string appliedRegionKey_;
    int clientWidth_ = -1, clientHeight_ = -1;
    bool resizeNotices_ = false;  // off until the control has its properties
    bool readingProperties_ = false;
    bool loading_ = false;
    bool holdGeometry_ = false;
    bool terminated_ = false;
    bool destroying_ = false;
    int heldButtons_ = 0;     // mouse buttons pressed on this control and not yet released
    bool clickArmed_ = false;  // a left press here may still end in a click
    std::vector<UserControlTimer*> timers_;
};

// A timer that belongs to a user control and ticks on its window's message loop.
class UserControlTimer {
public:
    UserControlTimer(UserControl& owner, UINT interval, std::function<void()> tick);
    ~UserControlTimer();
    UserControlTimer(const UserControlTimer&) = delete;
    UserControlTimer& operator=(const UserControlTimer&) = delete;

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    UINT Interval() const { return interval_; }
    void SetInterval(UINT interval);

private:
    friend class UserControl;
    void Start();
    void Stop();

    UserControl& owner_;
    UINT interval_;
    std::function<void()> tick_;
    UINT_PTR id_;
    bool enabled_ = false;
};

}  // namespace gf
