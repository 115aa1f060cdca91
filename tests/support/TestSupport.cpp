#include "TestSupport.h"

#include <shellapi.h>

#include <atomic>
#include <fstream>
#include <sstream>

#include "framework/App.h"
#include "framework/Handles.h"
#include "framework/Settings.h"

namespace testing_support {

std::string UniqueName(const std::string& stem) {
    static std::atomic<int> counter{0};
    return stem + "_" + std::to_string(GetCurrentProcessId()) + "_" + std::to_string(GetTickCount()) +
           "_" + std::to_string(++counter);
}

ScratchKey::ScratchKey(HKEY root) : root_(root), path_("Software\\GlimmerfoldTests\\" + UniqueName("key")) {
    gf::RegKey key;
    RegCreateKeyA(root_, path_.c_str(), key.Receive());
}

ScratchKey::~ScratchKey() { RegDeleteTreeA(root_, path_.c_str()); }

std::wstring Wide(const std::string& utf8) {
    std::wstring wide(utf8.size(), L'\0');
    wide.resize(MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), wide.data(), int(wide.size())));
    return wide;
}

std::string Utf8(const std::wstring& wide) {
    std::string utf8(wide.size() * 3, '\0');
    utf8.resize(WideCharToMultiByte(CP_UTF8, 0, wide.data(), int(wide.size()), utf8.data(), int(utf8.size()),
                                    nullptr, nullptr));
    return utf8;
}

void RemoveTree(const std::wstring& path) {
    const std::wstring p = path.rfind(L"\\\\?\\", 0) == 0 ? path : L"\\\\?\\" + path;
    WIN32_FIND_DATAW fd;
    HANDLE h = FindFirstFileW((p + L"\\*").c_str(), &fd);
    for (BOOL more = h != INVALID_HANDLE_VALUE; more; more = FindNextFileW(h, &fd)) {
        const std::wstring name = fd.cFileName, child = p + L"\\" + name;
        const bool folder = fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY;
        if (name == L"." || name == L".." || (folder && (fd.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))) continue;
        SetFileAttributesW(child.c_str(), FILE_ATTRIBUTE_NORMAL);
        folder ? RemoveTree(child) : void(DeleteFileW(child.c_str()));
    }
    if (h != INVALID_HANDLE_VALUE) FindClose(h);
    RemoveDirectoryW(p.c_str());
}

ScratchDir::ScratchDir() {
    CreateDirectoryA((ExeFolder() + "\\scratch").c_str(), nullptr);
    path_ = ExeFolder() + "\\scratch\\" + UniqueName("dir");
    CreateDirectoryA(path_.c_str(), nullptr);
}

ScratchDir::~ScratchDir() { RemoveTree(Wide(path_)); }

std::string ExeFolder() {
    char exe[MAX_PATH];
    std::string path(exe, GetModuleFileNameA(nullptr, exe, MAX_PATH));
    return path.substr(0, path.find_last_of('\\'));
}

bool Recycle(const std::string& path) {
    const std::string from = path + '\0';
    SHFILEOPSTRUCTA op = {nullptr, FO_DELETE, from.c_str(), nullptr,
                          FOF_ALLOWUNDO | FOF_NOCONFIRMATION | FOF_SILENT | FOF_NOERRORUI};
    return SHFileOperationA(&op) == 0;
}

void WriteFileText(const std::filesystem::path& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary);
    out << text;
}

std::string ReadFileText(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

bool PathExists(const std::filesystem::path& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool KeyExists(HKEY root, const std::string& path, REGSAM view) {
    gf::RegKey key;
    return RegOpenKeyExA(root, path.c_str(), 0, KEY_READ | view, key.Receive()) == ERROR_SUCCESS;
}

std::string Stored(const std::string& section, const std::string& key) {
    return gf::GetSetting(gf::App::EXEName(), section, key, "<none>");
}

void Store(const std::string& section, const std::string& key, const std::string& value) {
    gf::SaveSetting(gf::App::EXEName(), section, key, value);
}

void ClearAppSettings() { RegDeleteTreeA(HKEY_CURRENT_USER, ("Software\\" + gf::App::EXEName()).c_str()); }

bool HotKeyHeld(UINT modifiers, UINT vk) {
    if (!RegisterHotKey(nullptr, 0xBF00, modifiers, vk)) return true;
    UnregisterHotKey(nullptr, 0xBF00);
    return false;
}

void PumpFor(DWORD ms) {
    DWORD start = GetTickCount();
    do {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    } while (GetTickCount() - start < ms);
}

MessageProbe::MessageProbe(std::function<void()> onApp) : onApp_(std::move(onApp)) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = Proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "GfTestMessageProbe";
    RegisterClassA(&wc);
    hwnd_ = CreateWindowExA(0, wc.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
    SetWindowLongPtrA(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

MessageProbe::~MessageProbe() { DestroyWindow(hwnd_); }

LRESULT CALLBACK MessageProbe::Proc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
    auto* self = reinterpret_cast<MessageProbe*>(GetWindowLongPtrA(h, GWLP_USERDATA));
    if (msg != WM_APP || !self) return DefWindowProcA(h, msg, wp, lp);
    self->onApp_();
    return 0;
}

COLORREF ScreenPixel(int x, int y) {
    HDC screen = GetDC(nullptr);
    COLORREF c = GetPixel(screen, x, y);
    ReleaseDC(nullptr, screen);
    return c;
}

}  // namespace testing_support
