#pragma once
// Shared by the cleaning tests: files and keys they plant, scoped changes of the
// environment and the working folder. Every file a test makes is first checked to lie
// inside the sandbox (the test executables' folder on D:, or the prefix's C:\users).
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "TestSupport.h"

namespace cleaning_test {

inline std::wstring W(const std::string& ansi) {
    std::wstring wide(ansi.size(), L'\0');
    int n = MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), wide.data(),
                                static_cast<int>(wide.size()));
    wide.resize(static_cast<size_t>(n));
    return wide;
}

using testing_support::ExeFolder;
using testing_support::KeyExists;

inline std::wstring Long(const std::wstring& path) {
    return path.rfind(L"\\\\?\\", 0) == 0 ? path : L"\\\\?\\" + path;
}

// Ends the run outright before a test makes anything outside the sandbox.
inline void RequireSandbox(const std::wstring& path) {
    std::wstring p = Long(path).substr(4);
    for (const std::wstring& base : {W(ExeFolder()) + L"\\", std::wstring(L"C:\\users\\")})
        if (CompareStringOrdinal(p.c_str(), static_cast<int>(std::min(p.size(), base.size())),
                                 base.c_str(), static_cast<int>(base.size()), TRUE) == CSTR_EQUAL)
            return;
    fprintf(stderr, "test path outside the sandbox: %ls\n", p.c_str());
    std::abort();
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
inline void MakeDirs(const std::string& path) { MakeDirs(W(path)); }

// A small file (and its folders); attributes are set after writing.
inline void MakeFile(const std::wstring& path, DWORD attributes = 0) {
    MakeDirs(path.substr(0, path.find_last_of(L'\\')));
    HANDLE h = CreateFileW(Long(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    DWORD written;
    WriteFile(h, "trace", 5, &written, nullptr);
    CloseHandle(h);
    if (attributes) SetFileAttributesW(Long(path).c_str(), attributes);
}
inline void MakeFile(const std::string& path, DWORD attributes = 0) { MakeFile(W(path), attributes); }

// Removes a tree a test made outside its ScratchDir; links are left alone.
inline void RemoveMadeTree(const std::wstring& path) {
    RequireSandbox(path);
    WIN32_FIND_DATAW fd;
    HANDLE h = FindFirstFileW((Long(path) + L"\\*").c_str(), &fd);
    for (BOOL more = h != INVALID_HANDLE_VALUE; more; more = FindNextFileW(h, &fd)) {
        std::wstring name = fd.cFileName, child = Long(path) + L"\\" + name;
        if (name == L"." || name == L".." || (fd.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
            continue;
        SetFileAttributesW(child.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            RemoveMadeTree(child);
        else
            DeleteFileW(child.c_str());
    }
    if (h != INVALID_HANDLE_VALUE) FindClose(h);
    RemoveDirectoryW(Long(path).c_str());
}

// An environment variable of this process for the scope (empty: unset).
class EnvOverride {
public:
    EnvOverride(const char* name, const std::string& value) : name_(name) {
        char buffer[32768];
        DWORD n = GetEnvironmentVariableA(name, buffer, sizeof buffer);
        if ((had_ = n > 0 && n < sizeof buffer)) old_.assign(buffer, n);
        SetEnvironmentVariableA(name, value.empty() ? nullptr : value.c_str());
    }
    ~EnvOverride() { SetEnvironmentVariableA(name_.c_str(), had_ ? old_.c_str() : nullptr); }

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
        old_.assign(buffer, GetCurrentDirectoryA(MAX_PATH, buffer));
        SetCurrentDirectoryA(path.c_str());
    }
    ~WorkingFolder() { SetCurrentDirectoryA(old_.c_str()); }

private:
    std::string old_;
};

// Registry keys a test makes outside its ScratchKey: of each path, the topmost key that
// did not exist before is removed with its tree when the test ends.
class PlantedKeys {
public:
    ~PlantedKeys() {
        for (auto it = made_.rbegin(); it != made_.rend(); ++it) RegDeleteTreeA(it->first, it->second.c_str());
    }
    // The key, with one value so that it is not an empty key by accident.
    void Create(HKEY root, const std::string& path) {
        size_t i = 0;
        do {
            i = path.find('\\', i + 1);
            if (!KeyExists(root, path.substr(0, i))) {
                made_.emplace_back(root, path.substr(0, i));
                break;
            }
        } while (i != std::string::npos);
        ASSERT_EQ(RegSetKeyValueA(root, path.c_str(), "trace", REG_SZ, "x", 2), ERROR_SUCCESS) << path;
    }

private:
    std::vector<std::pair<HKEY, std::string>> made_;
};

}  // namespace cleaning_test
