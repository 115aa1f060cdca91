#pragma once
// The per-user settings store: HKEY_CURRENT_USER\Software\<application>\<section>,
// one REG_SZ value per key. Texts only; a missing key reads as the caller's default.
// Keys and sections match without regard to case, as the registry does.
#include <string>

namespace gf {

std::string GetSetting(const std::string& appName, const std::string& section,
                       const std::string& key, const std::string& defaultValue = "");
void SaveSetting(const std::string& appName, const std::string& section, const std::string& key,
                 const std::string& value);
// Deletes one key, or the whole section when key is empty. Missing items are fine.
void DeleteSetting(const std::string& appName, const std::string& section,
                   const std::string& key = "");

// The store's registry path of one section, below HKEY_CURRENT_USER.
std::string SettingsKeyPath(const std::string& appName, const std::string& section);

}  // namespace gf
