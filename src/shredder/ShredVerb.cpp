#include "shredder/ShredVerb.h"

#include <windows.h>

#include "framework/App.h"
#include "framework/Handles.h"
#include "framework/Text.h"

namespace shredder {

namespace {

const std::string kCommandKey = std::string(kShredVerbKey) + "\\command";

}  // namespace

std::wstring ShredVerbCommand() {
    return L"\"" + gf::App::FileW() + L"\" %1";
}

void RegisterShredVerb() {
    gf::RegKey verb, command;
    RegCreateKeyA(HKEY_CLASSES_ROOT, kShredVerbKey, verb.Receive());
    RegCreateKeyA(HKEY_CLASSES_ROOT, kCommandKey.c_str(), command.Receive());
    // The ANSI call while the code page holds every letter, so the stored bytes stay as
    // they always were; the wide one otherwise, so that Explorer finds the program.
    std::wstring text = ShredVerbCommand();
    if (std::string ansi = gf::Narrow(text); !ansi.empty())
        RegSetValueA(HKEY_CLASSES_ROOT, kCommandKey.c_str(), REG_SZ, ansi.c_str(), static_cast<DWORD>(ansi.size()));
    else
        RegSetValueW(HKEY_CLASSES_ROOT, gf::Widen(kCommandKey).c_str(), REG_SZ, text.c_str(),
                     static_cast<DWORD>(text.size() * sizeof(wchar_t)));
}

bool UnregisterShredVerb() {
    if (RegDeleteKeyA(HKEY_CLASSES_ROOT, kCommandKey.c_str()) != ERROR_SUCCESS) return false;
    return RegDeleteKeyA(HKEY_CLASSES_ROOT, kShredVerbKey) == ERROR_SUCCESS;
}

}  // namespace shredder
