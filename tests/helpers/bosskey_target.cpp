// A plain top-level window with the title given on the command line: another
// program's window for the boss key to hide and show. It ends on WM_CLOSE, or by
// itself after two minutes so that a failed test leaves nothing running.
#include <windows.h>

#include <string>

namespace {

constexpr UINT_PTR kLifetimeTimer = 1;

LRESULT CALLBACK TargetProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_TIMER:
            if (wp == kLifetimeTimer) DestroyWindow(hwnd);
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcA(hwnd, msg, wp, lp);
    }
}

std::string Unquoted(std::string text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '"')) text.erase(0, 1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '"')) text.pop_back();
    return text;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR cmdLine, int) {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = TargetProc;
    wc.hInstance = instance;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.lpszClassName = "GfBossKeyTarget";
    RegisterClassA(&wc);
    std::string title = Unquoted(cmdLine ? cmdLine : "");
    HWND hwnd = CreateWindowExA(0, wc.lpszClassName, title.c_str(), WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                600, 300, 320, 200, nullptr, nullptr, instance, nullptr);
    if (!hwnd) return 1;
    SetTimer(hwnd, kLifetimeTimer, 120000, nullptr);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}
