#pragma once
// The caption list's data: which captions the file holds and which are ticked. A tick
// is kept in the settings store, section "ProgramSettings", under the caption itself,
// as "True" or "False"; a missing key means not ticked.
#include <optional>
#include <string>
#include <vector>

namespace bosskey {

struct CaptionEntry {
    std::string text;
    bool ticked = false;
};

// A stored text read as a truth value: "True"/"False" in any case, or a number (not 0
// is true). Anything else is not a truth value and counts as false, so one odd value
// (a caption named like an option key) cannot cut the list short.
bool TruthFromText(const std::string& text);

void StoreTick(const std::string& caption, bool ticked);

// The entries of the caption file in file order, or nothing when there is no file. An
// entry is ticked when it is not empty and either equals newCaption exactly (the one
// just added) or has a stored tick.
std::optional<std::vector<CaptionEntry>> LoadCaptionEntries(const std::wstring& path,
                                                            const std::string& newCaption);

// What the dialog's "Add" writes for the text typed: its ANSI form, or nothing when the
// dialog refuses it, for two characters or fewer (spaces count) or for a letter that the
// code page lacks (it would be stored as '?', a caption matching other titles).
std::optional<std::string> StorableCaption(const std::wstring& typed);

}  // namespace bosskey
