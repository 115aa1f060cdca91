// A plain top-level window with the title given on the command line: another
// program's window for the boss key to hide and show. It ends on WM_CLOSE, or by
// itself after two minutes so that a failed test leaves nothing running.
#include <windows.h>

#include <string>

static LRESULT CALLBACK TargetProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_TIMER) DestroyWindow(hwnd);
    if (msg == WM_DESTROY) PostQuitMessage(0);
    return msg == WM_TIMER ? 0 : DefWindowProcA(hwnd, msg, wp, lp);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR cmdLine, int) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = &TargetProc;
    wc.hInstance = instance;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = "GfBossKeyTarget";
    RegisterClassA(&wc);
    std::string title = cmdLine ? cmdLine : "";  // without quotes or spaces around it
    title.erase(0, title.find_first_not_of(" \""));
    title.erase(title.find_last_not_of(" \"") + 1);
    HWND hwnd = CreateWindowExA(0, wc.lpszClassName, title.c_str(), WS_OVERLAPPEDWINDOW | WS_VISIBLE, 600, 300, 320,
                                200, nullptr, nullptr, instance, nullptr);
    if (!hwnd) return 1;
    SetTimer(hwnd, 1, 120000, nullptr);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
    return 0;
}
