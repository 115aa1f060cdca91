#pragma once
// The per-user settings store: HKEY_CURRENT_USER\Software\<application>\<section>,
// one REG_SZ value per key. Texts only; a missing key reads as the caller's default.
// Keys and sections match without regard to case, as the registry does.
#include <windows.h>

#include <string>

#include "framework/Handles.h"

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

// One section held open for a run of reads or writes (a window restoring or storing a
// dozen values): Get reads as GetSetting does and Save writes as SaveSetting does,
// without opening the section each time. Opened for reading, a section that is missing
// reads every key as its default; opened for writing, it is created.
class SettingsSection {
public:
    enum Access { ForReading, ForWriting };
    SettingsSection(const std::string& appName, const std::string& section, Access access = ForReading);
    SettingsSection(const SettingsSection&) = delete;
    SettingsSection& operator=(const SettingsSection&) = delete;

    std::string Get(const std::string& key, const std::string& defaultValue = "") const;
    void Save(const std::string& key, const std::string& value) const;

private:
    RegKey key_;
};

}  // namespace gf
