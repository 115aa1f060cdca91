#include "framework/Settings.h"

namespace gf {

std::string SettingsKeyPath(const std::string& appName, const std::string& section) {
    return "Software\\" + appName + "\\" + section;
}

SettingsSection::SettingsSection(const std::string& appName, const std::string& section, Access access) {
    std::string path = SettingsKeyPath(appName, section);
    LSTATUS status = access == ForReading
                         ? RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_QUERY_VALUE, key_.Receive())
                         : RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                                           key_.Receive(), nullptr);
    if (status != ERROR_SUCCESS) key_.Release();
}

std::string SettingsSection::Get(const std::string& key, const std::string& defaultValue) const {
    if (!key_) return defaultValue;
    // Settings are short: one query into a small buffer reads most of them, a longer
    // one takes a second query with room for its size.
    std::string text(256, '\0');
    DWORD type = 0, size = static_cast<DWORD>(text.size());
    LSTATUS status = RegQueryValueExA(key_.Get(), key.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(text.data()), &size);
    if (status == ERROR_MORE_DATA && type == REG_SZ) {
        text.assign(size, '\0');
        status = RegQueryValueExA(key_.Get(), key.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(text.data()), &size);
    }
    if (status != ERROR_SUCCESS || type != REG_SZ) return defaultValue;
    text.resize(size);
    auto nul = text.find('\0');
    return nul == std::string::npos ? text : text.substr(0, nul);
}

void SettingsSection::Save(const std::string& key, const std::string& value) const {
    if (!key_) return;
    RegSetValueExA(key_.Get(), key.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>(value.size() + 1));
}

std::string GetSetting(const std::string& appName, const std::string& section,
                       const std::string& key, const std::string& defaultValue) {
    return SettingsSection(appName, section).Get(key, defaultValue);
}

void SaveSetting(const std::string& appName, const std::string& section, const std::string& key,
                 const std::string& value) {
    SettingsSection(appName, section, SettingsSection::ForWriting).Save(key, value);
}

void DeleteSetting(const std::string& appName, const std::string& section, const std::string& key) {
    std::string path = SettingsKeyPath(appName, section);
    if (key.empty()) {
        RegDeleteKeyA(HKEY_CURRENT_USER, path.c_str());
        return;
    }
    RegKey h;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_SET_VALUE, h.Receive()) != ERROR_SUCCESS) return;
    RegDeleteValueA(h.Get(), key.c_str());
}

}  // namespace gf
