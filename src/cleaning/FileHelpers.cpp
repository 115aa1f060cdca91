#include "cleaning/FileHelpers.h"

namespace ModCleaning {

// Not written yet: until the guarded deletion is in place these find and delete nothing.
std::string GetAOLPath() { return "\\"; }
std::string GetTempFolder() { return {}; }
std::string GetFirefoxProfile(const std::string&) { return {}; }
void DeleteFileIfExists(const std::string&) {}
void DeleteFolderEntries(const std::string&) {}
bool RemoveFolder(std::string) { return false; }

}  // namespace ModCleaning
