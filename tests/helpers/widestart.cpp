// Starts a verb's command as Explorer does: widestart.exe <command> <text> puts the text in
// place of %1 character for character and runs the result as it stands. Its exit code.
#include <windows.h>
#include <shellapi.h>

#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    int argc = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    std::wstring line = argv && argc == 3 ? argv[1] : L"";
    if (line.find(L"%1") == std::wstring::npos) return 2;
    line.replace(line.find(L"%1"), 2, argv[2]);
    STARTUPINFOW si{sizeof si};
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return 1;
    DWORD code = 1;
    WaitForSingleObject(pi.hProcess, INFINITE);
    GetExitCodeProcess(pi.hProcess, &code);
    return static_cast<int>(code);  // the handles close with this process
}
