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
    if (timeFlag != "0") text += "Clean every " + minutes + " Minute(s), ";
    if (text.empty()) return "Off";
    return text.substr(0, text.size() - 2);
}

std::string HotKey(const std::string& modifier, const std::string& key) { return modifier + "+" + key; }

std::string BossKey(const std::string& clean, const std::string& hide, const std::string& show) {
    return "Clean:                   " + clean + "\r\n" + "Hide Windows:     " + hide + "\r\n" +
           "Show Windows:    " + show;
}

}  // namespace StatusText
