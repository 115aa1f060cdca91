#include "framework/Design.h"

#include <algorithm>
#include <cstdlib>
#include <strings.h>

namespace gf {

namespace {

std::string Trim(std::string_view s) {
    size_t b = s.find_first_not_of(" \t\r\n");
    if (b == std::string_view::npos) return "";
    size_t e = s.find_last_not_of(" \t\r\n");
    return std::string(s.substr(b, e - b + 1));
}

std::map<std::string, ControlFactory>& Factories() {
    static std::map<std::string, ControlFactory> factories;
    return factories;
}

}  // namespace

void RegisterStandardControlTypes();  // Forms.cpp

bool DesignProperties::NoCase::operator()(const std::string& a, const std::string& b) const {
    return strcasecmp(a.c_str(), b.c_str()) < 0;
}

DesignProperties::DesignProperties(std::string_view text) {
    std::string entry;
    auto flush = [&] {
        size_t eq = entry.find('=');
        if (eq != std::string::npos) {
            std::string key = Trim(std::string_view(entry).substr(0, eq));
            if (!key.empty()) Set(key, Trim(std::string_view(entry).substr(eq + 1)));
        }
        entry.clear();
    };
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != ';') {
            entry += text[i];
        } else if (i + 1 < text.size() && text[i + 1] == ';') {
            entry += ';';
            ++i;
        } else {
            flush();
        }
    }
    flush();
}

bool DesignProperties::Has(const std::string& key) const { return values_.count(key) != 0; }

std::string DesignProperties::Get(const std::string& key, const std::string& fallback) const {
    auto it = values_.find(key);
    return it == values_.end() ? fallback : it->second.second;
}

long DesignProperties::GetLong(const std::string& key, long fallback) const {
    std::string v = Get(key);
    if (v.empty()) return fallback;
    char* end = nullptr;
    long n = std::strtol(v.c_str(), &end, 10);
    return (end && *end == '\0') ? n : fallback;
}

double DesignProperties::GetDouble(const std::string& key, double fallback) const {
    std::string v = Get(key);
    if (v.empty()) return fallback;
    char* end = nullptr;
    double d = std::strtod(v.c_str(), &end);
    return (end && *end == '\0') ? d : fallback;
}

bool DesignProperties::GetBool(const std::string& key, bool fallback) const {
    std::string v = Get(key);
    if (strcasecmp(v.c_str(), "true") == 0) return true;
    if (strcasecmp(v.c_str(), "false") == 0) return false;
    long n = GetLong(key, fallback ? 1 : 0);
    return n != 0;
}

bool ParseColor(std::string_view text, unsigned long& color) {
    std::string v = Trim(text);
    if (v.empty()) return false;
    const char* digits = v.c_str();
    int base = 10;
    bool rgbOrder = false;
    if (v.size() > 2 && v[0] == '&' && (v[1] == 'H' || v[1] == 'h')) {
        digits += 2;
        base = 16;
    } else if (v[0] == '#') {
        digits += 1;
        base = 16;
        rgbOrder = true;
    }
    std::string body = digits;
    if (!body.empty() && body.back() == '&') body.pop_back();  // "&H00FF00&"
    if (body.empty()) return false;
    char* end = nullptr;
    unsigned long n = std::strtoul(body.c_str(), &end, base);
    if (!end || *end != '\0') return false;
    if (rgbOrder) n = ((n & 0xFF) << 16) | (n & 0xFF00) | ((n >> 16) & 0xFF);
    color = n;
    return true;
}

unsigned long DesignProperties::GetColor(const std::string& key, unsigned long fallback) const {
    unsigned long c = fallback;
    return ParseColor(Get(key), c) ? c : fallback;
}

void DesignProperties::Set(const std::string& key, std::string value) {
    auto it = values_.find(key);
    if (it != values_.end())
        it->second.second = std::move(value);
    else
        values_.emplace(key, std::make_pair(key, std::move(value)));
}

std::vector<std::pair<std::string, std::string>> DesignProperties::Entries() const {
    std::vector<std::pair<std::string, std::string>> out;
    for (const auto& [k, v] : values_) out.push_back(v);
    return out;
}

void ControlTypes::Register(const std::string& type, ControlFactory factory) {
    Factories()[type] = std::move(factory);
}

std::unique_ptr<Control> ControlTypes::Make(const std::string& type, const std::string& name,
                                            int index) {
    static const bool standard = (RegisterStandardControlTypes(), true);
    (void)standard;
    auto it = Factories().find(type);
    return it == Factories().end() ? nullptr : it->second(name, index);
}

}  // namespace gf
