#pragma once
// The texts of the status display and of the time of the last clean.
#include <windows.h>

#include <string>

#include "bosskey/HotKeys.h"

namespace StatusText {

// The date and time as the user's short date followed by the long time; the date alone
// at exactly midnight.
std::string GeneralDate(const SYSTEMTIME& t);
std::string Now();

// "Clean After Browsing", "Clean every N Minute(s)", both joined by ", ", or "Off".
// A flag is on when its stored text is anything but "0"; without minutes (none that the
// timer runs) the interval is left out.
std::string AutoClean(const std::string& browseFlag, const std::string& timeFlag,
                      const std::string& minutes);

// One row of the hot-key display, e.g. "Ctrl+F1".
std::string HotKey(const std::string& modifier, const std::string& key);
// The same, for a row whose hot key was registered as `registered` says: a combination
// that does nothing says so, and why ("not in use: Clean has Ctrl+F1", "not in use:
// Alt+F7 is taken"); one other than the names it was registered from is marked
// "(not in use)".
std::string HotKeyRow(const std::string& modifier, const std::string& key, const bosskey::HotKeyResult& registered);

// The three rows under their labels, joined by CR LF.
std::string BossKey(const std::string& clean, const std::string& hide, const std::string& show);

}  // namespace StatusText
