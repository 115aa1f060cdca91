#pragma once
// Registry class: eight operations on the local or a remote registry. Failed registry
// calls give fallback results; an error during an operation raises gf::Error 11001 to
// 11008 with source "clsRegistry" and the operation's name.
#include <windows.h>

#include <cstdint>
#include <string>
#include <variant>

#include "framework/Error.h"

// A value to write: text or number.
using RegValueArg = std::variant<std::string, long long>;

// What GetValue returns: empty, text, byte, 32-bit integer or 16-bit integer 0.
using RegVariant = std::variant<std::monostate, std::string, std::uint8_t, std::int32_t, std::int16_t>;

class clsRegistry {
public:
    bool SetValue(HKEY PredefinedKey, std::string KeyName, const std::string& ValueName,
                  const RegValueArg& value, const std::string& ComputerName = "");
    RegVariant GetValue(HKEY PredefinedKey, std::string KeyName, const std::string& ValueName,
                        const std::string& ComputerName = "");
    std::string ListSubKey(HKEY PredefinedKey, std::string KeyName, long Index,
                           const std::string& ComputerName = "");
    bool DeleteValue(HKEY PredefinedKey, std::string KeyName, const std::string& ValueName,
                     const std::string& ComputerName = "");
    bool CreateKey(HKEY PredefinedKey, std::string KeyName, const std::string& ComputerName = "");
    bool DeleteKey(HKEY PredefinedKey, std::string KeyName, const std::string& ComputerName = "");
    std::string ListSubValue(HKEY PredefinedKey, std::string KeyName, long Index,
                             const std::string& ComputerName = "");
    bool KeyExists(HKEY PredefinedKey, std::string KeyName, const std::string& ComputerName = "");
};

// The program-wide instance used by the cleaning, made on first use.
clsRegistry& objRegistry();
