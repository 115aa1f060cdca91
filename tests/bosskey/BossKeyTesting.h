#pragma once
// Shared pieces of the boss-key tests: a window of this process standing in for the
// main window, another program's window (tests/helpers/bosskey_target.exe), and a
// host that records what the hot keys asked of it.
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "TestSupport.h"
#include "bosskey/HotKeys.h"

namespace bosskey_testing {

// A top-level window whose procedure answers WM_APP with wParam * 1000 + lParam and
// remembers the last WM_APP it saw: the procedure the hot keys must pass things to.
class PlainWindow {
public:
    explicit PlainWindow(const std::string& title, bool visible = true, int x = 80, int y = 80);
    ~PlainWindow();
    PlainWindow(const PlainWindow&) = delete;
    PlainWindow& operator=(const PlainWindow&) = delete;
    HWND hwnd() const { return hwnd_; }
    static inline WPARAM lastAppWParam = 0;
    static inline LPARAM lastAppLParam = 0;

private:
    HWND hwnd_ = nullptr;
};

// Another process showing a window with the given title until it is closed.
class TargetProcess {
public:
    explicit TargetProcess(const std::string& title);
    ~TargetProcess();
    TargetProcess(const TargetProcess&) = delete;
    TargetProcess& operator=(const TargetProcess&) = delete;
    HWND hwnd() const { return hwnd_; }

private:
    PROCESS_INFORMATION pi_{};
    HWND hwnd_ = nullptr;
};

struct RecordingHost : bosskey::HotKeyHost {
    int cleans = 0;
    std::vector<std::pair<std::string, bool>> captions;  // text, ticked
    void Clean() override { ++cleans; }
    int CaptionCount() const override { return static_cast<int>(captions.size()); }
    std::string CaptionText(int i) const override { return captions.at(i).first; }
    bool CaptionTicked(int i) const override { return captions.at(i).second; }
};

}  // namespace bosskey_testing

// Each test file is its own program, so the definitions can live here, inline.
namespace bosskey_testing {

inline LRESULT CALLBACK PlainProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_APP) {
        PlainWindow::lastAppWParam = wp;
        PlainWindow::lastAppLParam = lp;
        return static_cast<LRESULT>(wp * 1000 + lp);
    }
    return DefWindowProcA(hwnd, msg, wp, lp);
}

inline PlainWindow::PlainWindow(const std::string& title, bool visible, int x, int y) {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = PlainProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = "GfBossKeyTestWindow";
    RegisterClassA(&wc);
    hwnd_ = CreateWindowExA(0, wc.lpszClassName, title.c_str(),
                            WS_OVERLAPPEDWINDOW | (visible ? WS_VISIBLE : 0), x, y, 300, 160, nullptr,
                            nullptr, wc.hInstance, nullptr);
    testing_support::PumpFor(50);
}

inline PlainWindow::~PlainWindow() {
    if (IsWindow(hwnd_)) DestroyWindow(hwnd_);
}

inline TargetProcess::TargetProcess(const std::string& title) {
    char exe[MAX_PATH];
    GetModuleFileNameA(nullptr, exe, MAX_PATH);
    std::string dir = exe;
    dir.resize(dir.find_last_of('\\'));
    std::string cmd = "\"" + dir + "\\bosskey_target.exe\" " + title;
    STARTUPINFOA si = {sizeof si};
    if (!CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, dir.c_str(), &si, &pi_))
        return;
    testing_support::PumpUntil(
        [&] {
            hwnd_ = FindWindowA("GfBossKeyTarget", title.c_str());
            return hwnd_ != nullptr && IsWindowVisible(hwnd_);
        },
        15000);
}

inline TargetProcess::~TargetProcess() {
    if (!pi_.hProcess) return;
    if (hwnd_) PostMessageA(hwnd_, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(pi_.hProcess, 10000) != WAIT_OBJECT_0) TerminateProcess(pi_.hProcess, 1);
    CloseHandle(pi_.hThread);
    CloseHandle(pi_.hProcess);
}

inline std::string Lower(std::string text) {
    if (!text.empty()) CharLowerBuffA(text.data(), static_cast<DWORD>(text.size()));
    return text;
}

}  // namespace bosskey_testing
