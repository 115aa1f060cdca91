#pragma once
// The Explorer verb "Glimmerfold-Shred File" on every file: HKCR\*\shell\<verb> with a
// "command" subkey that starts this program with the chosen file as its command line.
#include <string>

namespace shredder {

// The verb key below HKEY_CLASSES_ROOT; its name is the menu text Explorer shows.
inline constexpr const char* kShredVerbKey = "*\\shell\\Glimmerfold-Shred File";

// The command Explorer runs: this executable's path in double quotes (a folder with
// spaces must not let Windows start some other program), then " %1", unquoted, since
// start-up takes the whole command line as the path.
std::wstring ShredVerbCommand();

// Creates (or re-writes) the verb and its command. Failures are not reported.
void RegisterShredVerb();
// Deletes the command subkey, then, only if that went, the verb key. True when both went.
bool UnregisterShredVerb();

}  // namespace shredder
