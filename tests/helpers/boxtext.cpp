// Writes what a message box of another program says: boxtext.exe <title> <file> puts the
// texts of the box's static controls, in UTF-8, into the file. 1 when no such box shows.
#include <windows.h>
#include <shellapi.h>

#include <string>

namespace {

BOOL CALLBACK AddStaticText(HWND child, LPARAM out) {
    wchar_t cls[16] = {};
    GetClassNameW(child, cls, 16);
    if (lstrcmpiW(cls, L"Static")) return TRUE;
    wchar_t text[4096] = {};
    DWORD_PTR got = 0;
    // The message is carried across processes; GetWindowText would not ask the box.
    SendMessageTimeoutW(child, WM_GETTEXT, 4096, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 5000, &got);
    *reinterpret_cast<std::wstring*>(out) += text;
    return TRUE;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    int argc = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (!argv || argc != 3) return 2;
    HWND box = FindWindowW(L"#32770", argv[1]);
    if (!box) return 1;
    std::wstring text;
    EnumChildWindows(box, AddStaticText, reinterpret_cast<LPARAM>(&text));
    std::string utf8(WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, utf8.data(), static_cast<int>(utf8.size()), nullptr, nullptr);
    HANDLE file = CreateFileW(argv[2], GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 1;
    DWORD written = 0;
    WriteFile(file, utf8.data(), static_cast<DWORD>(utf8.size() - 1), &written, nullptr);
    CloseHandle(file);
    return 0;
}
