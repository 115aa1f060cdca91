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

// The dialog refuses captions of two characters or fewer (spaces count).
bool IsAcceptableCaption(const std::string& caption);

enum class AddOutcome { Refused, Added, NotWritten };
// The dialog's "Add": refuses a caption that is too short, otherwise appends it to the
// caption file at path (created when missing).
AddOutcome AddCaption(const std::wstring& path, const std::string& caption);

}  // namespace bosskey
