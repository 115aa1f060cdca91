#pragma once
// The saved properties of a user control: named, typed entries in the order written.
// Names match without regard to letter case; a read takes a default for a missing
// name; a write whose value equals its default leaves the name out. Booleans read as
// numbers are -1 (True) and 0 (False).
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "framework/OleColor.h"
#include "framework/StdPicture.h"

namespace gf {

// No value (an absent entry or default), a 32-bit integer, a Boolean, a floating
// number, a text, a font or a picture reference.
using PropertyValue = std::variant<std::monostate, long, bool, double, std::string, StdFont, PictureRef>;

// Equality as the store sees it: numbers compare by value whatever their type (True
// equals -1), pictures by reference.
bool SamePropertyValue(const PropertyValue& a, const PropertyValue& b);

class PropertyBag {
public:
    struct Entry {
        std::string Name;
        PropertyValue Value;
    };

    // Stores the value under the name, replacing an entry of that name in its place;
    // a value equal to the default removes the entry instead.
    void WriteProperty(const std::string& name, PropertyValue value, const PropertyValue& defaultValue = {});
    // The stored value, or the default when the name is missing.
    PropertyValue ReadProperty(const std::string& name, const PropertyValue& defaultValue = {}) const;

    // Typed reads: the stored value converted to the type asked for, as a saved
    // property would be; error 13 "Type mismatch" when it does not convert.
    long ReadLong(const std::string& name, long defaultValue) const;
    // A colour in either form it is saved in: a signed 32-bit number (&H8000000F as
    // -2147483633) or an unsigned one (2147483663); error 6 "Overflow" beyond both.
    OLE_COLOR ReadColor(const std::string& name, OLE_COLOR defaultValue) const;
    bool ReadBool(const std::string& name, bool defaultValue) const;
    double ReadDouble(const std::string& name, double defaultValue) const;
    std::string ReadString(const std::string& name, const std::string& defaultValue) const;
    StdFont ReadFont(const std::string& name, const StdFont& defaultValue) const;
    PictureRef ReadPicture(const std::string& name, const PictureRef& defaultValue) const;

    bool Contains(const std::string& name) const;
    void Remove(const std::string& name);
    const std::vector<Entry>& Entries() const { return entries_; }

private:
    const Entry* Find(const std::string& name) const;

    std::vector<Entry> entries_;
};

}  // namespace gf
