#pragma once
// The deletion guard: the only paths the cleaning ever deletes under. A path passes
// when it is absolute on a drive letter ("C:\...") or a share ("\\server\share\..."),
// holds no "." or ".." part (nothing can lead out of the folder it names), no
// characters that are not allowed in names, and wildcards at most in its last part.
// Relative paths, rooted paths without a drive ("\x"), drive-relative paths ("C:x"),
// and \\?\, \\.\ or \??\ device paths are refused. Whether a root itself may be acted
// on is the caller's question (IsRoot); which folder a path reaches, whatever its text,
// is the file system's (filesys::IsProtected).
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace guarded {

struct Path {
    std::wstring root;                // L"C:" or L"\\server\share"
    std::vector<std::wstring> parts;  // below the root; never empty strings

    bool IsRoot() const { return parts.empty(); }
    bool HasWildcard() const;  // in the last part
    Path Parent() const;       // the root's parent is the root
    // "\\?\C:\a\b" or "\\?\UNC\server\share\a\b": no length limit, no reinterpretation.
    std::wstring Long() const;
    // "C:\a\b", as people write it.
    std::wstring Plain() const;
};

std::optional<Path> Parse(std::wstring_view text);

// Wildcard match of one name, letters compared without regard to case: "*" any run,
// "?" one character; a pattern ending in ".*" also matches names without a dot, so
// "*.*" matches every name.
bool MatchesPattern(std::wstring_view name, std::wstring_view pattern);


}  // namespace guarded
