#include "app/StatusText.h"

namespace StatusText {

std::string GeneralDate(const SYSTEMTIME& t) {
    char date[128] = "", time[128] = "";
    GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &t, nullptr, date, sizeof date);
    std::string text = date;
    if (t.wHour == 0 && t.wMinute == 0 && t.wSecond == 0) return text;
    GetTimeFormatA(LOCALE_USER_DEFAULT, 0, &t, nullptr, time, sizeof time);
    return text + " " + time;
}

std::string Now() {
    SYSTEMTIME t;
    GetLocalTime(&t);
    t.wMilliseconds = 0;
    return GeneralDate(t);
}

std::string AutoClean(const std::string& browseFlag, const std::string& timeFlag,
                      const std::string& minutes) {
    std::string text;
    if (browseFlag != "0") text += "Clean After Browsing, ";
    if (timeFlag != "0" && !minutes.empty()) text += "Clean every " + minutes + " Minute(s), ";
    if (text.empty()) return "Off";
    return text.substr(0, text.size() - 2);
}

std::string HotKey(const std::string& modifier, const std::string& key) { return modifier + "+" + key; }

std::string HotKeyRow(const std::string& modifier, const std::string& key, const bosskey::HotKeyResult& registered) {
    using bosskey::HotKeyState;
    const std::string shown = HotKey(modifier, key);
    if (registered.choice.modifier != modifier || registered.choice.key != key) return shown + " (not in use)";
    // Short enough for one line of the display with the longest names (Shift+Space).
    static const char* const kRows[] = {"Clean", "Hide", "Show"};
    switch (registered.state) {
    case HotKeyState::Registered: return shown;
    case HotKeyState::SameAsRow:
        if (registered.sameAs >= 0 && registered.sameAs < 3)
            return std::string("not in use: ") + kRows[registered.sameAs] + " has " + shown;
        break;
    case HotKeyState::Taken: return "not in use: " + shown + " is taken";
    case HotKeyState::NoModifier: return "not in use: no Ctrl, Alt or Shift";
    case HotKeyState::UnknownName: return "not in use: " + shown + " is no key";
    }
    return shown + " (not in use)";
}

std::string BossKey(const std::string& clean, const std::string& hide, const std::string& show) {
    return "Clean:                   " + clean + "\r\n" + "Hide Windows:     " + hide + "\r\n" +
           "Show Windows:    " + show;
}

}  // namespace StatusText
