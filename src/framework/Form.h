#pragma once
// A top-level window holding controls: caption, icon, border, size in twips, the load /
// show / hide / unload life cycle with query-unload, window state, and the mouse and
// raw-message hooks a window needs. A window class derives from Form, builds its
// controls from its design table in its constructor and overrides the handlers.
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "framework/Container.h"
#include "framework/ControlArray.h"
#include "framework/Design.h"
#include "framework/Error.h"
#include "framework/Font.h"

namespace gf {

class Menu;

// Why a form is being unloaded (the unloadMode of Form_QueryUnload).
enum UnloadMode {
    vbFormControlMenu = 0,  // the user closed it: close box, window menu, Alt+F4
    vbFormCode = 1,         // Unload from code
    vbAppWindows = 2,       // Windows is ending the session
    vbAppTaskManager = 3,   // the task manager is closing the program
};

enum WindowStates { vbNormal = 0, vbMinimized = 1, vbMaximized = 2 };

enum class FormBorder { None = 0, FixedSingle = 1 };
enum class StartUpPosition { Manual = 0, CenterScreen = 2, WindowsDefault = 3 };

class Form : public Container, public MessageSink, public Object {
public:
    explicit Form(std::string name);
    // Builds the design table at once, so that members of a derived window can bind
    // to its controls in their initialisers:
    //   gf::CheckBox& chkCheckAll = Get<gf::CheckBox>("chkCheckAll");
    Form(std::string name, std::span<const DesignRow> design);
    ~Form() override;
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    const std::string& Name() const { return name_; }
    const char* TypeName() const override { return "Form"; }
    HWND Hwnd() const override { return hwnd_; }

    // Sees every message of the window before the form does; return true to stop it
    // there (with result set). For modules that serve a window without being it.
    std::function<bool(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result)> MessageHook;
    HWND SurfaceWindow() const override { return hwnd_; }

    // ---- controls
    // Adds the controls of a design table, in its order (a container before what it holds).
    void Build(std::span<const DesignRow> rows);
    // Adds one control inside parent (a frame, a picture box, a menu; nullptr = the form).
    Control& Add(std::unique_ptr<Control> control, Control* parent = nullptr);
    template <typename T>
    T& Add(const std::string& name, int index = -1, Control* parent = nullptr) {
        return static_cast<T&>(Add(std::make_unique<T>(name, index), parent));
    }
    // nullptr when there is no such control.
    Control* Find(const std::string& name, int index = -1) const;
    // The control of that name and kind; throws gf::Error when it is missing or of another kind.
    template <typename T>
    T& Get(const std::string& name, int index = -1) const {
        auto* t = dynamic_cast<T*>(Find(name, index));
        if (!t) throw Error(730, name_, "No control " + name + " of that kind");
        return *t;
    }
    template <typename T>
    ControlArray<T> Array(const std::string& name) const {
        ControlArray<T> array(name);
        for (const auto& c : controls_) {
            if (c->Name() != name || c->Index() < 0) continue;
            auto* t = dynamic_cast<T*>(c.get());
            if (!t) throw Error(730, name_, "Control array " + name + " holds another kind");
            array.Insert(*t);
        }
        return array;
    }
    // Every control, nested ones included, in the order they were added.
    std::vector<Control*> Controls() const;
    // Loading leaves out the windows of container and of what it holds (timers and menus
    // are still made) until CreateDeferred(container): a hidden page costs nothing at start.
    void Defer(Control& container);
    // Makes the windows that Defer held back, once; a no-op for other containers.
    void CreateDeferred(Control& container);
    bool IsDeferred(const Control& control) const;
    // Puts the keyboard focus on the first control inside container, in the order of the
    // design (the Tab key's order), that Tab would stop at: a shown, enabled tab stop.
    // False when there is none.
    bool FocusFirstIn(const Control& container);

    // ---- appearance and geometry (twips)
    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& caption);
    HICON Icon() const { return icon_; }
    // The program's icon (resource 1) unless set; the form does not own the handle.
    void SetIcon(HICON icon);
    FormBorder BorderStyle() const { return border_; }
    void SetBorderStyle(FormBorder border);
    void SetMinButton(bool on) { minButton_ = on; }
    void SetStartUpPosition(StartUpPosition pos) { startUp_ = pos; }
    unsigned long BackColor() const { return backColor_; }
    void SetBackColor(unsigned long color);
    const FontSpec& Font() const { return font_; }
    void SetFont(const FontSpec& font) { font_ = font; }

    // Outer position and size (Left, Top, Width, Height) and the client area (Scale...).
    double Left() const;
    double Top() const;
    double Width() const;
    double Height() const;
    double ScaleWidth() const;
    double ScaleHeight() const;
    void SetLeft(double v) { Move(v, Top(), Width(), Height()); }
    void SetTop(double v) { Move(Left(), v, Width(), Height()); }
    void SetWidth(double v) { Move(Left(), Top(), v, Height()); }
    void SetHeight(double v) { Move(Left(), Top(), Width(), v); }
    void Move(double left, double top, double width, double height);
    void SetClientSize(double width, double height);

    // Text measured in the form's font, in twips.
    double TextWidth(const std::string& text) const;
    double TextHeight(const std::string& text) const;

    // ---- life cycle
    bool Loaded() const { return loaded_; }
    // Creates the window and every control's window, then runs Form_Load; once.
    void Load();
    // Loads if needed, then shows the window.
    void Show();
    void Hide();
    // Repaints the window and its controls now.
    void Refresh();
    bool Visible() const;
    void SetVisible(bool visible);
    // Asks Form_QueryUnload and Form_Unload (either may cancel), then destroys the
    // windows. The controls keep their properties. Returns false when cancelled.
    bool Unload(int unloadMode = vbFormCode);
    int WindowState() const;
    void SetWindowState(int state);
    // 0 brings the window in front of other windows and to the foreground, 1 sends it back.
    void ZOrder(int position = 0);
    // Shows menu's items as a pop-up menu at the mouse pointer and runs the chosen item's
    // OnClick before returning.
    void PopupMenu(Menu& menu);

    void PaintBackground(HDC dc, const RECT& area) override;
    LRESULT WindowMessage(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) override;

    // How many forms are loaded in this program.
    static int LoadedCount();

protected:
    virtual void Form_Load() {}
    virtual void Form_QueryUnload(bool& cancel, int unloadMode) {}
    virtual void Form_Unload(bool& cancel) {}
    // button, shift, x, y; x and y in twips: the message's x and y times the screen's
    // twips per pixel (a notification-area callback sent as WM_MOUSEMOVE carries its
    // mouse message in x).
    virtual void Form_MouseDown(int button, int shift, double x, double y) {}
    virtual void Form_MouseMove(int button, int shift, double x, double y) {}
    virtual void Form_MouseUp(int button, int shift, double x, double y) {}
    virtual void Form_Click() {}
    // Sees every message of the window first; return true to stop it there.
    virtual bool Form_Message(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) { return false; }

    void SurfaceMouse(MouseEvent ev, int button, int shift, double x, double y) override;

private:
    DWORD Style() const;
    DWORD ExStyle() const;
    RECT OuterPixels() const;
    void CreateFormWindow();
    void CreateToolTips();
    void DestroyWindows();
    bool AskUnload(int unloadMode);

    std::string name_;
    HWND hwnd_ = nullptr;
    HWND tips_ = nullptr;  // owned by hwnd_, so it goes with it
    std::vector<std::unique_ptr<Control>> controls_;

    std::string caption_;
    HICON icon_ = nullptr;
    FormBorder border_ = FormBorder::FixedSingle;
    bool minButton_ = false;
    StartUpPosition startUp_ = StartUpPosition::WindowsDefault;
    unsigned long backColor_ = 0x8000000F;
    FontSpec font_;
    double clientW_ = 4800, clientH_ = 3600;  // twips, kept while there is no window
    double left_ = 0, top_ = 0;
    bool placed_ = false;  // Left/Top were set in code
    int pendingState_ = vbNormal;
    bool pendingSet_ = false;  // a state set while hidden, applied at the next Show
    bool loaded_ = false;
    bool loading_ = false;
    bool unloading_ = false;
    std::vector<const Control*> deferred_;
};

// Runs the message loop until no form is loaded any more or WM_QUIT arrives; returns
// the exit code. Tab and arrow keys move between the controls of the active form.
int RunMessageLoop();

}  // namespace gf
