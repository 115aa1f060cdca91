#include "bosskey/CaptionList.h"

#include <windows.h>

#include <cstdlib>

#include "bosskey/CaptionFile.h"
#include "framework/App.h"
#include "framework/Settings.h"
#include "framework/Text.h"

namespace bosskey {

namespace {
constexpr const char* kSection = "ProgramSettings";
}

bool TruthFromText(const std::string& text) {
    auto first = text.find_first_not_of(' ');
    if (first == std::string::npos) return false;
    std::string t = text.substr(first, text.find_last_not_of(' ') - first + 1);
    if (lstrcmpiA(t.c_str(), "True") == 0) return true;
    if (lstrcmpiA(t.c_str(), "False") == 0) return false;
    char* end = nullptr;
    double value = std::strtod(t.c_str(), &end);
    if (end == t.c_str() || *end != '\0') return false;
    return value != 0.0;
}

void StoreTick(const std::string& caption, bool ticked) {
    gf::SaveSetting(gf::App::EXEName(), kSection, caption, ticked ? "True" : "False");
}

std::optional<std::vector<CaptionEntry>> LoadCaptionEntries(const std::wstring& path,
                                                            const std::string& newCaption) {
    auto lines = ReadCaptionFile(path);
    if (!lines) return std::nullopt;
    std::vector<CaptionEntry> entries;
    entries.reserve(lines->size());
    const gf::SettingsSection ticks(gf::App::EXEName(), kSection);  // opened once for every line
    for (auto& line : *lines) {
        bool ticked = !line.empty() && (line == newCaption || TruthFromText(ticks.Get(line, "False")));
        entries.push_back({std::move(line), ticked});
    }
    return entries;
}

std::optional<std::string> StorableCaption(const std::wstring& typed) {
    if (typed.size() <= 2) return std::nullopt;
    // Written through the code page a letter it lacks would become '?': refused instead.
    std::string caption = gf::Narrow(typed);
    if (caption.empty()) return std::nullopt;
    return caption;
}

}  // namespace bosskey
