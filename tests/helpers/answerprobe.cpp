// Asks a window, found by its title, to answer a message every 100 ms, waiting at most a
// second each time, until the window is gone: answerprobe.exe <title> <result file>. After
// each ask the file holds "<asks> <unanswered> <slowest answer in ms>".
#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <cstdio>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    int argc = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (!argv || argc < 3) return 2;
    HWND window = nullptr;
    for (int i = 0; i < 300 && !(window = FindWindowW(nullptr, argv[1])); ++i) Sleep(50);
    if (!window) return 1;
    unsigned asks = 0, unanswered = 0;
    DWORD slowest = 0;
    while (IsWindow(window)) {
        DWORD start = GetTickCount();
        DWORD_PTR result = 0;
        LRESULT answered = SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 1000, &result);
        DWORD took = GetTickCount() - start;
        if (!IsWindow(window)) break;  // it went while asked
        ++asks;
        if (!answered) ++unanswered;
        slowest = std::max(slowest, took);
        if (FILE* out = _wfopen(argv[2], L"w")) {
            std::fprintf(out, "%u %u %lu\n", asks, unanswered, slowest);
            std::fclose(out);
        }
        Sleep(100);
    }
    return 0;
}
