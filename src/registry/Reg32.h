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

// The same rules through the wide calls: a path read or written this way keeps every
// letter, also those the ANSI code page lacks (which the ANSI calls turn into
// look-alikes, naming another folder).
std::wstring GetRegStringW(HKEY root, const std::wstring& keyPath, const std::wstring& valueName);
void SaveRegStringW(HKEY root, const std::wstring& keyPath, const std::wstring& valueName,
                    const std::wstring& data);

}  // namespace Reg32
