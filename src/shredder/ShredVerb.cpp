#include "shredder/ShredVerb.h"

#include <windows.h>

#include "framework/App.h"

namespace shredder {

namespace {

const std::string kCommandKey = std::string(kShredVerbKey) + "\\command";

struct RegKey {
    HKEY h = nullptr;
    ~RegKey() {
        if (h) RegCloseKey(h);
    }
};

}  // namespace

std::string ShredVerbCommand() {
    std::string folder = gf::App::Path();
    if (folder.empty() || folder.back() != '\\') folder += '\\';  // a drive root keeps its "\"
    return "\"" + folder + gf::App::EXEName() + ".exe\" %1";
}

void RegisterShredVerb() {
    RegKey verb, command;
    RegCreateKeyA(HKEY_CLASSES_ROOT, kShredVerbKey, &verb.h);
    RegCreateKeyA(HKEY_CLASSES_ROOT, kCommandKey.c_str(), &command.h);
    std::string text = ShredVerbCommand();
    RegSetValueA(HKEY_CLASSES_ROOT, kCommandKey.c_str(), REG_SZ, text.c_str(),
                 static_cast<DWORD>(text.size()));
}

bool UnregisterShredVerb() {
    if (RegDeleteKeyA(HKEY_CLASSES_ROOT, kCommandKey.c_str()) != ERROR_SUCCESS) return false;
    return RegDeleteKeyA(HKEY_CLASSES_ROOT, kShredVerbKey) == ERROR_SUCCESS;
}

}  // namespace shredder
