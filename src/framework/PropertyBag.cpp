#include "framework/PropertyBag.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "framework/Error.h"

namespace gf {

namespace {

bool NamesMatch(const std::string& a, const std::string& b) { return _stricmp(a.c_str(), b.c_str()) == 0; }

[[noreturn]] void TypeMismatch() { throw Error(13, "PropertyBag", "Type mismatch"); }

bool IsNumber(const PropertyValue& v) {
    return std::holds_alternative<long>(v) || std::holds_alternative<bool>(v) || std::holds_alternative<double>(v);
}

double NumberOf(const PropertyValue& v) {
    if (auto p = std::get_if<long>(&v)) return static_cast<double>(*p);
    if (auto p = std::get_if<bool>(&v)) return *p ? -1.0 : 0.0;
    if (auto p = std::get_if<double>(&v)) return *p;
    if (auto p = std::get_if<std::string>(&v)) {
        if (NamesMatch(*p, "True")) return -1.0;
        if (NamesMatch(*p, "False")) return 0.0;
        char* end = nullptr;
        double d = std::strtod(p->c_str(), &end);
        if (!p->empty() && end && *end == '\0') return d;
    }
    TypeMismatch();
}

std::string TextOf(const PropertyValue& v) {
    if (auto p = std::get_if<std::string>(&v)) return *p;
    if (auto p = std::get_if<long>(&v)) return std::to_string(*p);
    if (auto p = std::get_if<bool>(&v)) return *p ? "True" : "False";
    if (auto p = std::get_if<double>(&v)) {
        char buffer[64];
        snprintf(buffer, sizeof buffer, "%.15g", *p);
        return buffer;
    }
    TypeMismatch();
}

}  // namespace

bool SamePropertyValue(const PropertyValue& a, const PropertyValue& b) {
    if (IsNumber(a) && IsNumber(b)) return NumberOf(a) == NumberOf(b);
    return a == b;
}

const PropertyBag::Entry* PropertyBag::Find(const std::string& name) const {
    auto it = std::find_if(entries_.begin(), entries_.end(), [&](const Entry& e) { return NamesMatch(e.Name, name); });
    return it == entries_.end() ? nullptr : &*it;
}

void PropertyBag::WriteProperty(const std::string& name, PropertyValue value, const PropertyValue& defaultValue) {
    if (SamePropertyValue(value, defaultValue)) {
        Remove(name);
        return;
    }
    if (auto existing = const_cast<Entry*>(Find(name))) {
        existing->Value = std::move(value);
        return;
    }
    entries_.push_back({name, std::move(value)});
}

PropertyValue PropertyBag::ReadProperty(const std::string& name, const PropertyValue& defaultValue) const {
    const Entry* e = Find(name);
    return e ? e->Value : defaultValue;
}

long PropertyBag::ReadLong(const std::string& name, long defaultValue) const {
    const Entry* e = Find(name);
    if (!e) return defaultValue;
    double d = NumberOf(e->Value);
    if (!(d >= -2147483648.5 && d < 2147483647.5)) throw Error(6, "PropertyBag", "Overflow");
    return static_cast<long>(std::nearbyint(d));  // half to even, as a whole-number conversion
}

OLE_COLOR PropertyBag::ReadColor(const std::string& name, OLE_COLOR defaultValue) const {
    const Entry* e = Find(name);
    if (!e) return defaultValue;
    double d = NumberOf(e->Value);
    if (!(d >= -2147483648.5 && d < 4294967295.5)) throw Error(6, "PropertyBag", "Overflow");
    return static_cast<OLE_COLOR>(static_cast<long long>(std::nearbyint(d)) & 0xFFFFFFFFLL);
}

bool PropertyBag::ReadBool(const std::string& name, bool defaultValue) const {
    const Entry* e = Find(name);
    return e ? NumberOf(e->Value) != 0.0 : defaultValue;
}

double PropertyBag::ReadDouble(const std::string& name, double defaultValue) const {
    const Entry* e = Find(name);
    return e ? NumberOf(e->Value) : defaultValue;
}

std::string PropertyBag::ReadString(const std::string& name, const std::string& defaultValue) const {
    const Entry* e = Find(name);
    return e ? TextOf(e->Value) : defaultValue;
}

StdFont PropertyBag::ReadFont(const std::string& name, const StdFont& defaultValue) const {
    const Entry* e = Find(name);
    if (!e) return defaultValue;
    if (auto p = std::get_if<StdFont>(&e->Value)) return *p;
    TypeMismatch();
}

PictureRef PropertyBag::ReadPicture(const std::string& name, const PictureRef& defaultValue) const {
    const Entry* e = Find(name);
    if (!e) return defaultValue;
    if (auto p = std::get_if<PictureRef>(&e->Value)) return *p;
    if (std::holds_alternative<std::monostate>(e->Value)) return nullptr;
    TypeMismatch();
}

bool PropertyBag::Contains(const std::string& name) const { return Find(name) != nullptr; }

void PropertyBag::Remove(const std::string& name) {
    std::erase_if(entries_, [&](const Entry& e) { return NamesMatch(e.Name, name); });
}

}  // namespace gf
