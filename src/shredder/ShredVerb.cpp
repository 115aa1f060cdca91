#include "shredder/ShredVerb.h"

#include <windows.h>

#include "framework/App.h"
#include "framework/Handles.h"

namespace shredder {

namespace {

const std::string kCommandKey = std::string(kShredVerbKey) + "\\command";

}  // namespace

std::string ShredVerbCommand() {
    std::string folder = gf::App::Path();
    if (folder.empty() || folder.back() != '\\') folder += '\\';  // a drive root keeps its "\"
    return "\"" + folder + gf::App::EXEName() + ".exe\" %1";
}

void RegisterShredVerb() {
    gf::RegKey verb, command;
    RegCreateKeyA(HKEY_CLASSES_ROOT, kShredVerbKey, verb.Receive());
    RegCreateKeyA(HKEY_CLASSES_ROOT, kCommandKey.c_str(), command.Receive());
    std::string text = ShredVerbCommand();
    RegSetValueA(HKEY_CLASSES_ROOT, kCommandKey.c_str(), REG_SZ, text.c_str(),
                 static_cast<DWORD>(text.size()));
}

bool UnregisterShredVerb() {
    if (RegDeleteKeyA(HKEY_CLASSES_ROOT, kCommandKey.c_str()) != ERROR_SUCCESS) return false;
    return RegDeleteKeyA(HKEY_CLASSES_ROOT, kShredVerbKey) == ERROR_SUCCESS;
}

}  // namespace shredder
