#include "framework/App.h"

#include <windows.h>

#include <algorithm>
#include <cctype>

namespace gf {

namespace {

std::string ModulePath() {
    std::string path(MAX_PATH, '\0');
    for (;;) {
        DWORD n = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n < path.size()) {
            path.resize(n);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

std::string& TitleStore() {
    static std::string title;
    return title;
}

}  // namespace

std::string App::Path() {
    std::string path = ModulePath();
    auto slash = path.find_last_of("\\/");
    if (slash == std::string::npos) return {};
    if (slash == 2 && path[1] == ':') return path.substr(0, 3);
    return path.substr(0, slash);
}

std::string App::EXEName() {
    std::string path = ModulePath();
    auto slash = path.find_last_of("\\/");
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    auto dot = name.find_last_of('.');
    if (dot != std::string::npos) name.resize(dot);
    return name;
}

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
