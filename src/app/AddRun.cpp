#include "app/AddRun.h"

#include <windows.h>

#include "framework/App.h"
#include "registry/Reg32.h"

namespace AddRun {

void AddRunEntry(const std::string& name, const std::string& command) {
    Reg32::SaveRegString(HKEY_LOCAL_MACHINE, kRunKey, name, command);
}

void RemoveRunEntry(const std::string& name) {
    Reg32::DeleteRegValue(HKEY_LOCAL_MACHINE, kRunKey, name);
}

std::string RunCommand() {
    // The folder as reported: a drive root already ends in "\" and gives "\\", which
    // Windows reads as one separator.
    // Appended piece by piece: GCC's -Wrestrict misreads "literal" + std::string&&.
    std::string command = "\"";
    command.append(gf::App::Path()).append("\\").append(gf::App::EXEName()).append("\"");
    return command;
}

}  // namespace AddRun
