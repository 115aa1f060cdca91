#pragma once
// The program's settings store, addressed by the executable's name, and the ways the
// program reads its texts back (truth values, whole numbers).
#include <string>

#include "framework/Settings.h"

namespace AppSettings {

inline constexpr const char* kProgram = "ProgramSettings";
inline constexpr const char* kItems = "Settings";
inline constexpr const char* kSystemInfo = "SystemInfo";
inline constexpr const char* kFirstRun = "FirstRun";

std::string Get(const std::string& section, const std::string& key, const std::string& def);
void Save(const std::string& section, const std::string& key, const std::string& value);

// The number a stored text holds: the whole text, blanks around it allowed, in
// decimal (sign and fraction allowed). Nothing when it is not a number.
bool ParseNumber(const std::string& text, double& value);

// A stored flag: any number but 0 is true, and so is the word "True"; anything else
// (0, "False", an empty or unreadable text) is false.
bool ReadTruth(const std::string& section, const std::string& key);

// A stored check-box value: a whole number 0 to 2 (a fraction rounds half to even);
// what is no such number counts as 0, so the box stays clear.
int ReadBoxValue(const std::string& section, const std::string& key);
int ReadBoxValue(const gf::SettingsSection& section, const std::string& key);

// One section of this program's store, opened once for many reads or writes.
gf::SettingsSection OpenSection(const std::string& section,
                                gf::SettingsSection::Access access = gf::SettingsSection::ForReading);
bool ReadTruth(const gf::SettingsSection& section, const std::string& key);

// Rounds half to even, as the program's number conversions do.
long RoundHalfEven(double v);

}  // namespace AppSettings
