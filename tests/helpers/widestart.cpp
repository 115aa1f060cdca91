// Starts a program with a command line made character for character, as Explorer's
// verb does: widestart.exe <program> <text> runs "<program>" <text>, the text unquoted
// whatever quotes the caller needed to hand it over (a trailing space, say), and
// characters outside the ANSI code page kept. Waits for the program; its exit code.
#include <windows.h>
#include <shellapi.h>

#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    int argc = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (!argv || argc < 3) return 2;
    std::wstring line = L"\"" + std::wstring(argv[1]) + L"\" " + argv[2];
    STARTUPINFOW si{sizeof si};
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(argv[1], line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return 1;
    WaitForSingleObject(pi.hProcess, INFINITE);
    DWORD code = 1;
    GetExitCodeProcess(pi.hProcess, &code);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    LocalFree(argv);
    return static_cast<int>(code);
}
