#pragma once
// Four plain registry functions: one REG_SZ value or one key at a time. They never
// raise and never report: a failure shows only as an empty read or nothing changed.
#include <windows.h>

#include <string>

namespace Reg32 {

std::string GetRegString(HKEY root, const std::string& keyPath, const std::string& valueName);
void SaveRegString(HKEY root, const std::string& keyPath, const std::string& valueName,
                   const std::string& data);
void DeleteRegValue(HKEY root, const std::string& keyPath, const std::string& valueName);
void DeleteRegKey(HKEY root, const std::string& keyPath);

}  // namespace Reg32
