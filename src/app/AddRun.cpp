#include "app/AddRun.h"

#include <windows.h>

#include "framework/App.h"
#include "framework/Text.h"
#include "registry/Reg32.h"

namespace AddRun {

void AddRunEntry(const std::string& name, const std::wstring& command) {
    // The ANSI call while the code page holds every letter, so the stored bytes stay as
    // they always were; the wide one otherwise, so that Windows finds the program.
    if (std::string ansi = gf::Narrow(command); !ansi.empty() || command.empty())
        Reg32::SaveRegString(HKEY_LOCAL_MACHINE, kRunKey, name, ansi);
    else
        Reg32::SaveRegStringW(HKEY_LOCAL_MACHINE, gf::Widen(kRunKey), gf::Widen(name), command);
}

void RemoveRunEntry(const std::string& name) {
    Reg32::DeleteRegValue(HKEY_LOCAL_MACHINE, kRunKey, name);
}

std::wstring RunCommand() { return L"\"" + gf::App::FileW() + L"\""; }

}  // namespace AddRun
