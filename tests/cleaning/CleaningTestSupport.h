#pragma once
// Shared by the cleaning tests: files and keys they plant, and scoped changes of the
// environment and of the working folder. Every file path is checked to lie inside the
// sandbox (the test executables' folder on D:, or the prefix's own C:) before
// anything is made there.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "TestSupport.h"

namespace cleaning_test {

inline std::wstring W(const std::string& ansi) {
    int n = MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), wide.data(), n);
    return wide;
}

inline std::string ExeFolder() {
    char exe[MAX_PATH];
    GetModuleFileNameA(nullptr, exe, MAX_PATH);
    std::string dir = exe;
    return dir.substr(0, dir.find_last_of('\\'));
}

// Stops the test run outright if a test is about to make or look for something
// outside the sandbox.
inline void RequireSandbox(const std::wstring& path) {
    std::wstring p = path.rfind(L"\\\\?\\", 0) == 0 ? path.substr(4) : path;
    auto under = [&](const std::wstring& base) {
        return p.size() > base.size() && CompareStringOrdinal(p.c_str(), static_cast<int>(base.size()),
                                                              base.c_str(), static_cast<int>(base.size()),
                                                              TRUE) == CSTR_EQUAL &&
               p[base.size()] == L'\\';
    };
    if (!under(W(ExeFolder())) && !under(L"C:\\users")) {
        fprintf(stderr, "test path outside the sandbox: %ls\n", p.c_str());
        std::abort();
    }
}

inline std::wstring Long(const std::wstring& path) {
    return path.rfind(L"\\\\?\\", 0) == 0 ? path : L"\\\\?\\" + path;
}

inline DWORD Attrs(const std::wstring& path) { return GetFileAttributesW(Long(path).c_str()); }
inline bool Exists(const std::wstring& path) { return Attrs(path) != INVALID_FILE_ATTRIBUTES; }
inline bool Exists(const std::string& path) { return Exists(W(path)); }

inline void MakeDirs(const std::wstring& path) {
    RequireSandbox(path);
    std::wstring p = Long(path);
    for (size_t i = 7; i <= p.size(); ++i)  // after "\\?\C:\"
        if (i == p.size() || p[i] == L'\\') CreateDirectoryW(p.substr(0, i).c_str(), nullptr);
}

// A file (and its folder) with some text; attributes are set after writing.
inline void MakeFile(const std::wstring& path, DWORD attributes = 0) {
    RequireSandbox(path);
    MakeDirs(path.substr(0, path.find_last_of(L'\\')));
    HANDLE h = CreateFileW(Long(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE) << "cannot make " << std::string(path.begin(), path.end());
    DWORD written;
    WriteFile(h, "trace", 5, &written, nullptr);
    CloseHandle(h);
    if (attributes) SetFileAttributesW(Long(path).c_str(), attributes);
}
inline void MakeFile(const std::string& path, DWORD attributes = 0) { MakeFile(W(path), attributes); }
inline void MakeDirs(const std::string& path) { MakeDirs(W(path)); }

// Removes what a test made outside a ScratchDir (links are left alone).
inline void RemoveMadeTree(const std::wstring& path) {
    RequireSandbox(path);
    std::wstring p = Long(path);
    WIN32_FIND_DATAW fd;
    HANDLE h = FindFirstFileW((p + L"\\*").c_str(), &fd);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            std::wstring name = fd.cFileName;
            if (name == L"." || name == L"..") continue;
            std::wstring child = p + L"\\" + name;
            if (fd.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) continue;
            SetFileAttributesW(child.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveMadeTree(child);
            else
                DeleteFileW(child.c_str());
        } while (FindNextFileW(h, &fd));
        FindClose(h);
    }
    RemoveDirectoryW(p.c_str());
}

// Sets an environment variable of this process for the scope (empty: unset).
class EnvOverride {
public:
    EnvOverride(const char* name, const std::string& value) : name_(name) {
        char buffer[32768];
        DWORD n = GetEnvironmentVariableA(name, buffer, sizeof buffer);
        had_ = n > 0 && n < sizeof buffer;
        if (had_) old_.assign(buffer, n);
        SetEnvironmentVariableA(name, value.empty() ? nullptr : value.c_str());
    }
    ~EnvOverride() { SetEnvironmentVariableA(name_.c_str(), had_ ? old_.c_str() : nullptr); }
    EnvOverride(const EnvOverride&) = delete;
    EnvOverride& operator=(const EnvOverride&) = delete;

private:
    std::string name_, old_;
    bool had_ = false;
};

// The working folder for the scope.
class WorkingFolder {
public:
    explicit WorkingFolder(const std::string& path) {
        RequireSandbox(W(path));
        char buffer[MAX_PATH];
        GetCurrentDirectoryA(MAX_PATH, buffer);
        old_ = buffer;
        SetCurrentDirectoryA(path.c_str());
    }
    ~WorkingFolder() { SetCurrentDirectoryA(old_.c_str()); }
    WorkingFolder(const WorkingFolder&) = delete;
    WorkingFolder& operator=(const WorkingFolder&) = delete;

private:
    std::string old_;
};

inline bool KeyExists(HKEY root, const std::string& path) {
    HKEY h;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &h) != ERROR_SUCCESS) return false;
    RegCloseKey(h);
    return true;
}

// Registry keys a test makes outside its ScratchKey: for each, the topmost key of the
// path that did not exist before is removed with its tree when the test ends.
class PlantedKeys {
public:
    PlantedKeys() = default;
    PlantedKeys(const PlantedKeys&) = delete;
    PlantedKeys& operator=(const PlantedKeys&) = delete;
    ~PlantedKeys() {
        for (auto it = made_.rbegin(); it != made_.rend(); ++it)
            RegDeleteTreeA(it->first, it->second.c_str());
    }
    // Makes the key with one value, so that it is not an empty key by accident.
    void Create(HKEY root, const std::string& path) {
        std::string first;
        for (size_t i = 0; i <= path.size(); ++i) {
            if (i < path.size() && path[i] != '\\') continue;
            std::string prefix = path.substr(0, i);
            if (!prefix.empty() && prefix.back() != '\\' && !KeyExists(root, prefix)) {
                first = prefix;
                break;
            }
        }
        if (!first.empty()) made_.emplace_back(root, first);
        HKEY h = nullptr;
        RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &h, nullptr);
        ASSERT_NE(h, nullptr) << path;
        RegSetValueExA(h, "trace", 0, REG_SZ, reinterpret_cast<const BYTE*>("x"), 2);
        RegCloseKey(h);
    }

private:
    std::vector<std::pair<HKEY, std::string>> made_;
};

}  // namespace cleaning_test
