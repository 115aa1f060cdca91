#include "app/AppSettings.h"

#include <cctype>
#include <cmath>
#include <cstdlib>

#include "framework/App.h"
#include "framework/Settings.h"

namespace AppSettings {

namespace {

std::string Trim(const std::string& s) {
    size_t b = 0, e = s.size();
    while (b < e && std::isspace(static_cast<unsigned char>(s[b]))) ++b;
    while (e > b && std::isspace(static_cast<unsigned char>(s[e - 1]))) --e;
    return s.substr(b, e - b);
}

bool EqualsNoCase(const std::string& a, const char* b) {
    size_t i = 0;
    for (; i < a.size() && b[i]; ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return i == a.size() && b[i] == '\0';
}

}  // namespace

std::string Get(const std::string& section, const std::string& key, const std::string& def) {
    return gf::GetSetting(gf::App::EXEName(), section, key, def);
}

void Save(const std::string& section, const std::string& key, const std::string& value) {
    gf::SaveSetting(gf::App::EXEName(), section, key, value);
}

bool ParseNumber(const std::string& text, double& value) {
    std::string t = Trim(text);
    if (t.empty()) return false;
    // Plain decimal only: no hex, no "inf", no "nan".
    for (char c : t)
        if (!(std::isdigit(static_cast<unsigned char>(c)) || c == '.' || c == '-' || c == '+' ||
              c == 'e' || c == 'E'))
            return false;
    char* end = nullptr;
    double v = std::strtod(t.c_str(), &end);
    if (end == t.c_str() || *end != '\0' || !std::isfinite(v)) return false;
    value = v;
    return true;
}

long RoundHalfEven(double v) {
    double r = std::nearbyint(v);  // the default rounding mode rounds halves to even
    return static_cast<long>(r);
}

namespace {

bool TruthOf(const std::string& text) {
    double v = 0;
    if (ParseNumber(text, v)) return v != 0;
    return EqualsNoCase(Trim(text), "True");
}

int BoxValue(const std::string& text) {
    double v = 0;
    if (!ParseNumber(text, v)) return 0;
    if (v < -0.5 || v > 2.5) return 0;
    long n = RoundHalfEven(v);
    return n >= 0 && n <= 2 ? static_cast<int>(n) : 0;
}

}  // namespace

gf::SettingsSection OpenSection(const std::string& section, gf::SettingsSection::Access access) {
    return {gf::App::EXEName(), section, access};
}

bool ReadTruth(const std::string& section, const std::string& key) { return TruthOf(Get(section, key, "0")); }

bool ReadTruth(const gf::SettingsSection& section, const std::string& key) { return TruthOf(section.Get(key, "0")); }

int ReadBoxValue(const std::string& section, const std::string& key) { return BoxValue(Get(section, key, "0")); }

int ReadBoxValue(const gf::SettingsSection& section, const std::string& key) { return BoxValue(section.Get(key, "0")); }

}  // namespace AppSettings
