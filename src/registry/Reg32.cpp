#include "registry/Reg32.h"

namespace Reg32 {

std::string GetRegString(HKEY root, const std::string& keyPath, const std::string& valueName) {
    HKEY key = nullptr;
    RegOpenKeyA(root, keyPath.c_str(), &key);  // a failed open leaves 0: the reads fail
    std::string result;
    DWORD type = 0, size = 0;
    RegQueryValueExA(key, valueName.c_str(), nullptr, &type, nullptr, &size);
    if (type == REG_SZ) {
        std::string text(size, ' ');
        if (RegQueryValueExA(key, valueName.c_str(), nullptr, &type,
                             reinterpret_cast<BYTE*>(text.data()), &size) == ERROR_SUCCESS) {
            auto nul = text.find('\0');
            result = nul == std::string::npos ? text : text.substr(0, nul);
        }
    }
    if (key) RegCloseKey(key);
    return result;
}

void SaveRegString(HKEY root, const std::string& keyPath, const std::string& valueName,
                   const std::string& data) {
    HKEY key = nullptr;
    RegCreateKeyA(root, keyPath.c_str(), &key);
    // The length in characters: no terminating NUL is stored.
    RegSetValueExA(key, valueName.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.data()),
                   static_cast<DWORD>(data.size()));
    if (key) RegCloseKey(key);
}

void DeleteRegValue(HKEY root, const std::string& keyPath, const std::string& valueName) {
    HKEY key = nullptr;
    RegOpenKeyA(root, keyPath.c_str(), &key);
    RegDeleteValueA(key, valueName.c_str());
    if (key) RegCloseKey(key);
}

void DeleteRegKey(HKEY root, const std::string& keyPath) {
    RegDeleteKeyA(root, keyPath.c_str());  // one key: a key with subkeys stays
}

}  // namespace Reg32
