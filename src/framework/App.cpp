#include "framework/App.h"

#include <windows.h>

#include <algorithm>
#include <cctype>

namespace gf {

namespace {

// The executable's full path, read through the ANSI or the wide call.
template <typename Char, typename Read>
std::basic_string<Char> ModulePath(Read read) {
    std::basic_string<Char> path(MAX_PATH, Char(0));
    for (;;) {
        DWORD n = read(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n < path.size()) {
            path.resize(n);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

std::string ModulePath() { return ModulePath<char>(GetModuleFileNameA); }
std::wstring ModulePathW() { return ModulePath<wchar_t>(GetModuleFileNameW); }

template <typename Char>
size_t LastSlash(const std::basic_string<Char>& path) {
    const Char slashes[] = {Char('\\'), Char('/'), Char(0)};
    return path.find_last_of(slashes);
}

template <typename Char>
std::basic_string<Char> FolderOf(const std::basic_string<Char>& path) {
    auto slash = LastSlash(path);
    if (slash == path.npos) return {};
    if (slash == 2 && path[1] == Char(':')) return path.substr(0, 3);
    return path.substr(0, slash);
}

template <typename Char>
std::basic_string<Char> NameOf(const std::basic_string<Char>& path) {
    auto slash = LastSlash(path);
    std::basic_string<Char> name = slash == path.npos ? path : path.substr(slash + 1);
    auto dot = name.find_last_of(Char('.'));
    if (dot != name.npos) name.resize(dot);
    return name;
}

std::string& TitleStore() {
    static std::string title;
    return title;
}

}  // namespace

std::string App::Path() { return FolderOf(ModulePath()); }
std::wstring App::PathW() { return FolderOf(ModulePathW()); }
std::string App::EXEName() { return NameOf(ModulePath()); }
std::wstring App::FileW() { return ModulePathW(); }

std::string App::Title() {
    return TitleStore().empty() ? EXEName() : TitleStore();
}

void App::SetTitle(const std::string& title) { TitleStore() = title; }

bool App::PrevInstance() {
    // A named mutex per executable name, held for the life of the process.
    static const bool previous = [] {
        std::string name = EXEName();
        std::transform(name.begin(), name.end(), name.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        HANDLE mutex = CreateMutexA(nullptr, FALSE, ("Local\\Glimmerfold.Instance." + name).c_str());
        return mutex != nullptr && GetLastError() == ERROR_ALREADY_EXISTS;
    }();
    return previous;
}

}  // namespace gf
