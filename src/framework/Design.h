#pragma once
// A window's design as data: one row per control (kind, name, index, container,
// position and size in twips, caption, tag and further properties), kept in one place
// per window and turned into controls by Form::Build.
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "framework/Control.h"

namespace gf {

struct DesignRow {
    const char* type;             // "CheckBox", "Frame", "ButtonEx", ...
    const char* name;             // "chkInternet"
    int index = -1;               // position in a control array, -1 for a single control
    const char* container = "";   // "" for the form; "fraWindow(1)" names an array element
    int left = 0, top = 0, width = 0, height = 0;  // twips, in the container's coordinates
    const char* caption = "";     // the caption, or a text box's text
    const char* tag = "";
    const char* props = "";       // "Visible=0; Alignment=2; FontBold=1" (see DesignProperties)
};

// Named design values, keys matched without regard to case. Parsed from "Key=Value"
// pairs separated by ";"; spaces around keys and values are dropped, and ";;" stands
// for a ";" inside a value.
class DesignProperties {
public:
    DesignProperties() = default;
    explicit DesignProperties(std::string_view text);

    bool Has(const std::string& key) const;
    std::string Get(const std::string& key, const std::string& fallback = "") const;
    long GetLong(const std::string& key, long fallback) const;
    double GetDouble(const std::string& key, double fallback) const;
    // "1", "-1", "True" are true; "0", "False" false.
    bool GetBool(const std::string& key, bool fallback) const;
    // "&H00BBGGRR" (hexadecimal, red in the low byte), "#RRGGBB" or a decimal number.
    unsigned long GetColor(const std::string& key, unsigned long fallback) const;
    void Set(const std::string& key, std::string value);
    // Every entry, in key order (keys as first written).
    std::vector<std::pair<std::string, std::string>> Entries() const;

private:
    struct NoCase {
        bool operator()(const std::string& a, const std::string& b) const;
    };
    std::map<std::string, std::pair<std::string, std::string>, NoCase> values_;
};

// Parses a colour text as DesignProperties::GetColor does; false when it is not one.
bool ParseColor(std::string_view text, unsigned long& color);

// Makes the controls of one kind for Form::Build. The standard controls are known;
// user controls ("ButtonEx", "KivoXPButton") are registered by the program at start.
using ControlFactory = std::function<std::unique_ptr<Control>(const std::string& name, int index)>;

class ControlTypes {
public:
    static void Register(const std::string& type, ControlFactory factory);
    // nullptr when the type is unknown.
    static std::unique_ptr<Control> Make(const std::string& type, const std::string& name, int index);
};

}  // namespace gf
