// Starts a command as Windows does. widestart.exe <command> <text>: a verb's command as
// Explorer runs it, the text put in place of %1 character for character; widestart.exe
// <command>: a Run value as Windows runs it at log-on, as it stands. Its exit code.
#include <windows.h>
#include <shellapi.h>

#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    int argc = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (!argv || argc < 2 || argc > 3) return 2;
    std::wstring line = argv[1];
    if (argc == 3) {
        if (line.find(L"%1") == std::wstring::npos) return 2;
        line.replace(line.find(L"%1"), 2, argv[2]);
    }
    STARTUPINFOW si{sizeof si};
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return 1;
    DWORD code = 1;
    WaitForSingleObject(pi.hProcess, INFINITE);
    GetExitCodeProcess(pi.hProcess, &code);
    return static_cast<int>(code);  // the handles close with this process
}
