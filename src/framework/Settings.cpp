#include "framework/Settings.h"

#include <windows.h>

namespace gf {

std::string SettingsKeyPath(const std::string& appName, const std::string& section) {
    return "Software\\" + appName + "\\" + section;
}

std::string GetSetting(const std::string& appName, const std::string& section,
                       const std::string& key, const std::string& defaultValue) {
    HKEY h = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, SettingsKeyPath(appName, section).c_str(), 0,
                      KEY_QUERY_VALUE, &h) != ERROR_SUCCESS)
        return defaultValue;
    std::string result = defaultValue;
    DWORD type = 0, size = 0;
    if (RegQueryValueExA(h, key.c_str(), nullptr, &type, nullptr, &size) == ERROR_SUCCESS &&
        type == REG_SZ) {
        std::string text(size, '\0');
        if (RegQueryValueExA(h, key.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(text.data()),
                             &size) == ERROR_SUCCESS) {
            text.resize(size);
            auto nul = text.find('\0');
            result = nul == std::string::npos ? text : text.substr(0, nul);
        }
    }
    RegCloseKey(h);
    return result;
}

void SaveSetting(const std::string& appName, const std::string& section, const std::string& key,
                 const std::string& value) {
    HKEY h = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, SettingsKeyPath(appName, section).c_str(), 0, nullptr, 0,
                        KEY_SET_VALUE, nullptr, &h, nullptr) != ERROR_SUCCESS)
        return;
    RegSetValueExA(h, key.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>(value.size() + 1));
    RegCloseKey(h);
}

void DeleteSetting(const std::string& appName, const std::string& section, const std::string& key) {
    std::string path = SettingsKeyPath(appName, section);
    if (key.empty()) {
        RegDeleteKeyA(HKEY_CURRENT_USER, path.c_str());
        return;
    }
    HKEY h = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_SET_VALUE, &h) != ERROR_SUCCESS) return;
    RegDeleteValueA(h, key.c_str());
    RegCloseKey(h);
}

}  // namespace gf
