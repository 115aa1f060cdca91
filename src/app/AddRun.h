#pragma once
// Starting with Windows: the value "Glimmerfold" under HKLM's Run key.
#include <string>

namespace AddRun {

inline constexpr const char* kRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr const char* kRunName = "Glimmerfold";

// Through the ANSI call where the code page holds every letter of the command (the
// bytes stored as ever), else through the wide one.
void AddRunEntry(const std::string& name, const std::wstring& command);
void RemoveRunEntry(const std::string& name);

// The command stored for this program: the executable's full path, extension included,
// in double quotes so that a folder with spaces cannot start another program. Windows
// adds ".exe" only to a name without an extension, so a copy named "Glimmerfold-1.2"
// would never start by its name alone.
std::wstring RunCommand();

}  // namespace AddRun
