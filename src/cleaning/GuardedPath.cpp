#include "cleaning/GuardedPath.h"

#include <windows.h>

#include <algorithm>

namespace guarded {
namespace {

bool IsWildcard(wchar_t c) { return c == L'*' || c == L'?'; }

// A part made of dots and spaces alone ("." , "..", "...", " ") means something else
// to the system than its text says: refused.
bool IsDotsAndSpaces(std::wstring_view part) {
    return std::all_of(part.begin(), part.end(), [](wchar_t c) { return c == L'.' || c == L' '; });
}

bool HasForbiddenChar(std::wstring_view part) {
    return std::any_of(part.begin(), part.end(), [](wchar_t c) {
        return c < 32 || c == L':' || c == L'"' || c == L'<' || c == L'>' || c == L'|';
    });
}

bool SameText(std::wstring_view a, std::wstring_view b) {
    return CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(),
                                static_cast<int>(b.size()), TRUE) == CSTR_EQUAL;
}

// Splits the text after the root into parts; false when a part is not acceptable.
bool SplitParts(std::wstring_view rest, std::vector<std::wstring>& parts) {
    size_t start = 0;
    while (start <= rest.size()) {
        size_t end = rest.find(L'\\', start);
        if (end == std::wstring_view::npos) end = rest.size();
        std::wstring_view part = rest.substr(start, end - start);
        if (!part.empty()) {
            if (IsDotsAndSpaces(part) || HasForbiddenChar(part)) return false;
            parts.emplace_back(part);
        }
        start = end + 1;
    }
    for (size_t i = 0; i + 1 < parts.size(); ++i)
        if (std::any_of(parts[i].begin(), parts[i].end(), IsWildcard)) return false;
    return true;
}

std::optional<Path> ParseShare(std::wstring_view text) {
    // "\\server\share\..."; "\\?\..." and "\\.\..." are device paths.
    std::wstring_view rest = text.substr(2);
    size_t serverEnd = rest.find(L'\\');
    if (serverEnd == std::wstring_view::npos) return std::nullopt;
    std::wstring_view server = rest.substr(0, serverEnd);
    if (server.empty() || server == L"?" || server == L"." || IsDotsAndSpaces(server) ||
        HasForbiddenChar(server) || std::any_of(server.begin(), server.end(), IsWildcard))
        return std::nullopt;
    rest = rest.substr(serverEnd + 1);
    size_t shareEnd = rest.find(L'\\');
    std::wstring_view share = rest.substr(0, shareEnd);
    if (share.empty() || IsDotsAndSpaces(share) || HasForbiddenChar(share) ||
        std::any_of(share.begin(), share.end(), IsWildcard))
        return std::nullopt;
    Path path;
    path.root = L"\\\\" + std::wstring(server) + L"\\" + std::wstring(share);
    if (shareEnd != std::wstring_view::npos && !SplitParts(rest.substr(shareEnd + 1), path.parts))
        return std::nullopt;
    return path;
}

bool Match(std::wstring_view name, std::wstring_view pattern) {
    // Iterative glob with one back-tracking point for the last "*".
    size_t n = 0, p = 0, starP = std::wstring_view::npos, starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == L'*') {
            starP = p++;
            starN = n;
        } else if (p < pattern.size() &&
                   (pattern[p] == L'?' || SameText(name.substr(n, 1), pattern.substr(p, 1)))) {
            ++p;
            ++n;
        } else if (starP != std::wstring_view::npos) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == L'*') ++p;
    return p == pattern.size();
}

}  // namespace

bool Path::HasWildcard() const {
    return !parts.empty() && std::any_of(parts.back().begin(), parts.back().end(), IsWildcard);
}

Path Path::Parent() const {
    Path parent = *this;
    if (!parent.parts.empty()) parent.parts.pop_back();
    return parent;
}

std::wstring Path::Long() const {
    std::wstring text = root.size() == 2 ? L"\\\\?\\" + root : L"\\\\?\\UNC" + root.substr(1);
    if (parts.empty()) return text + L"\\";
    for (const auto& part : parts) text += L"\\" + part;
    return text;
}

std::wstring Path::Plain() const {
    std::wstring text = root;
    if (parts.empty()) return text + L"\\";
    for (const auto& part : parts) text += L"\\" + part;
    return text;
}

std::optional<Path> Parse(std::wstring_view input) {
    std::wstring text(input);
    std::replace(text.begin(), text.end(), L'/', L'\\');
    if (text.size() >= 2 && text[0] == L'\\' && text[1] == L'\\') return ParseShare(text);
    bool drive = text.size() >= 2 && text[1] == L':' &&
                 ((text[0] >= L'A' && text[0] <= L'Z') || (text[0] >= L'a' && text[0] <= L'z'));
    if (!drive) return std::nullopt;  // relative, or rooted without a drive
    // "C:" and "C:x" are relative to the drive's current folder.
    if (text.size() == 2 || text[2] != L'\\') return std::nullopt;
    Path path;
    path.root = {static_cast<wchar_t>(towupper(text[0])), L':'};
    if (!SplitParts(std::wstring_view(text).substr(3), path.parts))
        return std::nullopt;
    return path;
}

bool MatchesPattern(std::wstring_view name, std::wstring_view pattern) {
    if (Match(name, pattern)) return true;
    // "x.*" also names "x", as the system's own wildcards do.
    if (pattern.size() >= 2 && pattern.substr(pattern.size() - 2) == L".*")
        return Match(name, pattern.substr(0, pattern.size() - 2));
    return false;
}

}  // namespace guarded
