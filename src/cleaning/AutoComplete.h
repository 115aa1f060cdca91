#pragma once
// The Internet Explorer AutoComplete clean: the user's Protected Storage registry tree
// is opened to the current user, its AutoComplete subkeys are deleted, and last the
// top key itself when nothing is left below it.
#include <windows.h>

#include <string>

namespace ModCleaning {

// HKCU "Software\Microsoft\Protected Storage System Provider". Ignores its failures.
void ClearProtectedStorage();

}  // namespace ModCleaning

namespace AutoComplete {

// Adds to the key's DACL an entry that grants the named account full control,
// keeping the entries already there. The key is opened as root\path.
void GrantKeyAccess(HKEY root, const std::string& path, const std::string& user);

// The same for every key below root\path, depth first, a key before its subkeys; lets
// the message loop run once per subkey visited.
void GrantSubkeyAccess(HKEY root, const std::string& path, const std::string& user);

// The single place where a failure of the security change ends up; it keeps nothing.
void ReportRegError(long code, const std::string& callName);

}  // namespace AutoComplete

namespace Reg32 {

// Deletes, depth first, every subkey below root\path whose whole name is one of the
// AutoComplete names (letter case ignored); a named key that still has subkeys stays.
void DeleteNamedSubkeys(HKEY root, const std::string& path);

}  // namespace Reg32
