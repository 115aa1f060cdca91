#include "registry/Reg32.h"

#include "framework/Handles.h"

namespace Reg32 {

std::string GetRegString(HKEY root, const std::string& keyPath, const std::string& valueName) {
    gf::RegKey key;
    RegOpenKeyA(root, keyPath.c_str(), key.Receive());  // a failed open leaves 0: the reads fail
    std::string result;
    DWORD type = 0, size = 0;
    RegQueryValueExA(key.Get(), valueName.c_str(), nullptr, &type, nullptr, &size);
    if (type == REG_SZ) {
        std::string text(size, ' ');
        if (RegQueryValueExA(key.Get(), valueName.c_str(), nullptr, &type,
                             reinterpret_cast<BYTE*>(text.data()), &size) == ERROR_SUCCESS) {
            auto nul = text.find('\0');
            result = nul == std::string::npos ? text : text.substr(0, nul);
        }
    }
    return result;
}

void SaveRegString(HKEY root, const std::string& keyPath, const std::string& valueName,
                   const std::string& data) {
    gf::RegKey key;
    RegCreateKeyA(root, keyPath.c_str(), key.Receive());
    // The length in characters: no terminating NUL is stored. The system counts a NUL
    // that happens to follow the data in memory, as a string's always does; a byte that
    // is not NUL after the text keeps the stored size to the text's length.
    std::string bytes = data + '\x01';
    RegSetValueExA(key.Get(), valueName.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(bytes.data()),
                   static_cast<DWORD>(data.size()));
}

void DeleteRegValue(HKEY root, const std::string& keyPath, const std::string& valueName) {
    gf::RegKey key;
    RegOpenKeyA(root, keyPath.c_str(), key.Receive());
    RegDeleteValueA(key.Get(), valueName.c_str());
}

void DeleteRegKey(HKEY root, const std::string& keyPath) {
    RegDeleteKeyA(root, keyPath.c_str());  // one key: a key with subkeys stays
}

}  // namespace Reg32
