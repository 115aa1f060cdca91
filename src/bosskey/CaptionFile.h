#pragma once
// The caption file "HWD.dat" in the program's folder: ANSI text, one caption per line,
// each followed by CR LF, in the order added. Duplicates and empty lines are allowed.
// A UTF-8 byte-order mark at its start (an editor's) is no part of the first caption.
// Its path is wide, exact whatever letters the program's folder has.
#include <optional>
#include <string>
#include <vector>

namespace bosskey {

inline constexpr const wchar_t* kCaptionFileName = L"HWD.dat";
// The file being rewritten during a removal, beside the real one.
inline constexpr const wchar_t* kCaptionTempName = L"HWD3.dat";

// folder + "\" + name; the folder defaults to the program's own.
std::wstring CaptionFilePath(const std::wstring& folder);
std::wstring CaptionFilePath();

// Splits file text into lines: CR LF, CR or LF end a line; a last line without an
// ending counts, an ending at the very end adds no empty line.
std::vector<std::string> SplitLines(const std::string& text);

// The file's lines, or nothing when it cannot be read (a missing file).
std::optional<std::vector<std::string>> ReadCaptionFile(const std::wstring& path);

// Appends caption and CR LF, creating the file if needed. A last line that lacks its
// ending gets one first, so the two captions stay apart. False when nothing was written.
bool AppendCaption(const std::wstring& path, const std::string& caption);

// Drops exactly one line: the one at index when it holds text, else the first line
// equal to text. The rest is written to the temporary file beside path, which then
// replaces path in one step, so a failure leaves the old file whole; a byte-order mark
// stays. True when a line was removed.
bool RemoveCaptionLine(const std::wstring& path, int index, const std::string& text);

}  // namespace bosskey
