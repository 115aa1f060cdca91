#pragma once
// Shared pieces of the boss-key tests: a window of this process standing in for the
// main window, a host that records what the hot keys asked of it, and hot-key probes.
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "TestSupport.h"
#include "bosskey/HotKeys.h"

namespace bosskey_testing {

// A top-level window whose procedure answers WM_APP with wParam * 1000 + lParam: the
// procedure the hot keys must pass other messages to.
class PlainWindow {
public:
    explicit PlainWindow(const std::string& title, bool visible = true, int x = 80, int y = 80) {
        WNDCLASSA wc{};
        wc.lpfnWndProc = [](HWND h, UINT msg, WPARAM wp, LPARAM lp) -> LRESULT {
            return msg == WM_APP ? static_cast<LRESULT>(wp * 1000 + lp) : DefWindowProcA(h, msg, wp, lp);
        };
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        wc.lpszClassName = "GfBossKeyTestWindow";
        RegisterClassA(&wc);
        hwnd_ = CreateWindowExA(0, wc.lpszClassName, title.c_str(), WS_OVERLAPPEDWINDOW | (visible ? WS_VISIBLE : 0), x,
                                y, 300, 160, nullptr, nullptr, wc.hInstance, nullptr);
        testing_support::PumpFor(50);
    }
    ~PlainWindow() { DestroyWindow(hwnd_); }
    PlainWindow(const PlainWindow&) = delete;
    PlainWindow& operator=(const PlainWindow&) = delete;
    HWND hwnd() const { return hwnd_; }

private:
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

// The combination is free when another registration of it succeeds (and is undone).
inline bool ComboIsFree(UINT modifiers, UINT vk) {
    if (!RegisterHotKey(nullptr, 0xBF00, modifiers, vk)) return false;
    UnregisterHotKey(nullptr, 0xBF00);
    return true;
}

inline std::string Lower(std::string text) {
    if (!text.empty()) CharLowerBuffA(text.data(), static_cast<DWORD>(text.size()));
    return text;
}

}  // namespace bosskey_testing
