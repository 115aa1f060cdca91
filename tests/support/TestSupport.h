#pragma once
// Helpers shared by the tests: scratch registry keys, scratch folders inside the
// sandbox, raw registry access, pumping messages, reading pixels.
#include <windows.h>

#include <filesystem>
#include <functional>
#include <string>

namespace testing_support {

// A registry key under HKCU\Software\GlimmerfoldTests\<unique>, removed with its tree
// when it goes out of scope.
class ScratchKey {
public:
    explicit ScratchKey(HKEY root = HKEY_CURRENT_USER);
    ~ScratchKey();
    ScratchKey(const ScratchKey&) = delete;
    const std::string& Path() const { return path_; }
    HKEY Root() const { return root_; }

private:
    HKEY root_;
    std::string path_;
};

// A folder of its own below the test executable's folder (inside the sandbox's D:),
// removed with its contents at the end.
class ScratchDir {
public:
    ScratchDir();
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    const std::string& Path() const { return path_; }
    std::string operator/(const std::string& name) const { return path_ + "\\" + name; }

private:
    std::string path_;
};

// A top-level window with a title, to be hidden and shown, or to hold hot keys.
struct PlainWindow {
    explicit PlainWindow(const std::string& title, bool visible = true, int x = 80, int y = 80)
        : hwnd(CreateWindowExA(0, "STATIC", title.c_str(), WS_OVERLAPPEDWINDOW | (visible ? WS_VISIBLE : 0), x, y, 300,
                               160, nullptr, nullptr, nullptr, nullptr)) {}
    // A title with letters that the code page lacks.
    explicit PlainWindow(const std::wstring& title, int x = 80, int y = 80)
        : hwnd(CreateWindowExW(0, L"STATIC", title.c_str(), WS_OVERLAPPEDWINDOW | WS_VISIBLE, x, y, 300, 160, nullptr,
                               nullptr, nullptr, nullptr)) {}
    ~PlainWindow() { DestroyWindow(hwnd); }
    PlainWindow(const PlainWindow&) = delete;
    const HWND hwnd;
};

// A name unique within this run (process id, tick count and a counter).
std::string UniqueName(const std::string& stem);

// Two numbers as "x,y", to compare positions and sizes in one expectation.
inline std::string Xy(long x, long y) { return std::to_string(x) + "," + std::to_string(y); }

// The folder of the running test executable (the helper programs lie beside it).
std::string ExeFolder();

// Test texts are UTF-8, so that names may hold letters the ANSI code page lacks.
std::wstring Wide(const std::string& utf8);
std::string Utf8(const std::wstring& wide);
// Removes a folder a test made, with everything in it, long and non-ANSI names too;
// folder links are neither entered nor removed (removing one under Wine can reach its
// target).
void RemoveTree(const std::wstring& path);

// Moves a file to the recycle bin, as Explorer's Delete does.
bool Recycle(const std::string& path);
void WriteFileText(const std::filesystem::path& path, const std::string& text);
std::string ReadFileText(const std::filesystem::path& path);
bool PathExists(const std::filesystem::path& path);

// A key opens for reading (view: KEY_WOW64_64KEY for the 64-bit one).
bool KeyExists(HKEY root, const std::string& path, REGSAM view = 0);
// This executable's part of the settings store (Software\<exe name>): a value ("<none>"
// when missing), a value written, all of it removed.
std::string Stored(const std::string& section, const std::string& key);
void Store(const std::string& section, const std::string& key, const std::string& value);
void ClearAppSettings();
// Some window holds the hot key when another registration of it is refused.
bool HotKeyHeld(UINT modifiers, UINT vk);

// Runs the message loop for about ms milliseconds.
void PumpFor(DWORD ms);
// Runs the message loop until pred() is true or ms pass; returns pred().
template <typename Pred>
bool PumpUntil(Pred pred, DWORD ms = 5000) {
    DWORD start = GetTickCount();
    while (!pred()) {
        if (GetTickCount() - start > ms) return pred();
        PumpFor(10);
    }
    return true;
}

// A message-only window that calls onApp for every WM_APP it handles: a probe for
// whether and when the message loop ran.
class MessageProbe {
public:
    explicit MessageProbe(std::function<void()> onApp);
    ~MessageProbe();
    MessageProbe(const MessageProbe&) = delete;
    void Post() const { PostMessageA(hwnd_, WM_APP, 0, 0); }

private:
    static LRESULT CALLBACK Proc(HWND, UINT, WPARAM, LPARAM);
    std::function<void()> onApp_;
    HWND hwnd_ = nullptr;
};

// The colour of one pixel of the screen, as the X server shows it.
COLORREF ScreenPixel(int x, int y);

}  // namespace testing_support
