#include "registry/clsRegistry.h"

#include "framework/Handles.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <functional>

namespace {

constexpr const char* kSource = "clsRegistry";

using Key = gf::RegKey;

// The root to work on: the predefined key, or that key on another computer. A failed
// connection leaves 0, so the open that follows fails.
struct Root {
    HKEY h = nullptr;
    gf::RegKey connected;
    Root(HKEY predefined, const std::string& computer) {
        if (computer.empty()) {
            h = predefined;
        } else {
            RegConnectRegistryA(computer.c_str(), predefined, connected.Receive());
            h = connected.Get();
        }
    }
};

void DropLeadingBackslash(std::string& keyName) {
    if (!keyName.empty() && keyName[0] == '\\') keyName.erase(0, 1);
}

// Runs one operation; whatever goes wrong inside becomes the operation's own error.
template <typename F>
auto Guarded(long number, const char* name, F&& body) -> decltype(body()) {
    try {
        return body();
    } catch (...) {
        throw gf::Error(number, kSource, name);
    }
}

std::string ToText(const RegValueArg& value) {
    if (auto s = std::get_if<std::string>(&value)) return *s;
    return std::to_string(std::get<long long>(value));
}

// A number from a value: text must be a number as a whole (spaces around allowed);
// halves round to even.
long long ToWhole(const RegValueArg& value) {
    if (auto n = std::get_if<long long>(&value)) return *n;
    const std::string& s = std::get<std::string>(value);
    const char* begin = s.c_str();
    char* end = nullptr;
    errno = 0;
    double d = std::strtod(begin, &end);
    while (end && (*end == ' ' || *end == '\t')) ++end;
    if (end == begin || *end != '\0' || errno == ERANGE || !std::isfinite(d))
        throw std::invalid_argument("not a number");
    return static_cast<long long>(std::nearbyint(d));
}

std::int32_t ToLong(const RegValueArg& value) {
    long long n = ToWhole(value);
    if (n < INT32_MIN || n > INT32_MAX) throw std::out_of_range("overflow");
    return static_cast<std::int32_t>(n);
}

std::uint8_t ToByte(const RegValueArg& value) {
    long long n = ToWhole(value);
    if (n < 0 || n > 255) throw std::out_of_range("overflow");
    return static_cast<std::uint8_t>(n);
}

LONG OpenFull(HKEY root, const std::string& keyName, Key& key) {
    return RegOpenKeyExA(root, keyName.c_str(), 0, KEY_ALL_ACCESS, key.Receive());
}

}  // namespace

bool clsRegistry::SetValue(HKEY PredefinedKey, std::string KeyName, const std::string& ValueName,
                           const RegValueArg& value, const std::string& ComputerName) {
    return Guarded(11001, "SetValue", [&] {
        DropLeadingBackslash(KeyName);
        Root root(PredefinedKey, ComputerName);
        Key key;
        if (OpenFull(root.h, KeyName, key) != ERROR_SUCCESS) throw std::runtime_error("open");
        char buffer[255] = {};
        DWORD size = sizeof buffer, type = 0;
        LONG read = RegQueryValueExA(key.Get(), ValueName.c_str(), nullptr, &type,
                                     reinterpret_cast<BYTE*>(buffer), &size);
        auto writeText = [&] {
            std::string text = ToText(value);
            RegSetValueExA(key.Get(), ValueName.c_str(), 0, REG_SZ,
                           reinterpret_cast<const BYTE*>(text.c_str()),
                           static_cast<DWORD>(text.size() + 1));
        };
        if (read != ERROR_SUCCESS || type == REG_SZ) {
            writeText();
        } else if (type == REG_DWORD) {
            std::int32_t n = ToLong(value);
            RegSetValueExA(key.Get(), ValueName.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&n),
                           sizeof n);
        } else if (type == REG_BINARY) {
            // One byte, so that GetValue reads back what was written.
            std::uint8_t b = ToByte(value);
            RegSetValueExA(key.Get(), ValueName.c_str(), 0, REG_BINARY, &b, 1);
        }
        return true;
    });
}

RegVariant clsRegistry::GetValue(HKEY PredefinedKey, std::string KeyName,
                                 const std::string& ValueName, const std::string& ComputerName) {
    return Guarded(11002, "GetValue", [&]() -> RegVariant {
        DropLeadingBackslash(KeyName);
        Root root(PredefinedKey, ComputerName);
        Key key;
        if (OpenFull(root.h, KeyName, key) != ERROR_SUCCESS) return {};
        char buffer[255] = {};
        DWORD size = sizeof buffer, type = 0;
        if (RegQueryValueExA(key.Get(), ValueName.c_str(), nullptr, &type,
                             reinterpret_cast<BYTE*>(buffer), &size) != ERROR_SUCCESS)
            return {};
        switch (type) {
            case REG_SZ: {
                size = sizeof buffer;
                if (RegQueryValueExA(key.Get(), ValueName.c_str(), nullptr, &type,
                                     reinterpret_cast<BYTE*>(buffer), &size) != ERROR_SUCCESS)
                    return std::string();
                // The text without its terminating NUL; a size of 0 has no length to cut.
                if (size < 1) throw std::out_of_range("negative length");
                return std::string(buffer, size - 1);
            }
            case REG_DWORD: {
                std::int32_t n = 0;
                DWORD nsize = sizeof n;
                if (RegQueryValueExA(key.Get(), ValueName.c_str(), nullptr, nullptr,
                                     reinterpret_cast<BYTE*>(&n), &nsize) != ERROR_SUCCESS)
                    return std::int16_t(0);
                return n;
            }
            case REG_BINARY:
                // The first byte; the first read already holds it, whatever the length.
                // Empty data leaves the zeroed buffer: the byte 0.
                return static_cast<std::uint8_t>(buffer[0]);
            default:
                return {};
        }
    });
}

static std::string ListEntry(HKEY PredefinedKey, std::string& KeyName, long Index,
                             const std::string& ComputerName, bool values) {
    DropLeadingBackslash(KeyName);
    Root root(PredefinedKey, ComputerName);
    Key key;
    if (OpenFull(root.h, KeyName, key) != ERROR_SUCCESS) return {};
    char name[255] = {};
    DWORD size = sizeof name;
    LONG rc = values ? RegEnumValueA(key.Get(), static_cast<DWORD>(Index), name, &size, nullptr, nullptr,
                                     nullptr, nullptr)
                     : RegEnumKeyExA(key.Get(), static_cast<DWORD>(Index), name, &size, nullptr,
                                     nullptr, nullptr, nullptr);
    if (rc != ERROR_SUCCESS) return {};
    return std::string(name, size);
}

std::string clsRegistry::ListSubKey(HKEY PredefinedKey, std::string KeyName, long Index,
                                    const std::string& ComputerName) {
    return Guarded(11003, "ListSubKey",
                   [&] { return ListEntry(PredefinedKey, KeyName, Index, ComputerName, false); });
}

bool clsRegistry::DeleteValue(HKEY PredefinedKey, std::string KeyName, const std::string& ValueName,
                              const std::string& ComputerName) {
    return Guarded(11004, "DeleteValue", [&] {
        DropLeadingBackslash(KeyName);
        Root root(PredefinedKey, ComputerName);
        Key key;
        if (OpenFull(root.h, KeyName, key) != ERROR_SUCCESS) return false;
        return RegDeleteValueA(key.Get(), ValueName.c_str()) == ERROR_SUCCESS;
    });
}

bool clsRegistry::CreateKey(HKEY PredefinedKey, std::string KeyName,
                            const std::string& ComputerName) {
    return Guarded(11005, "CreateKey", [&] {
        DropLeadingBackslash(KeyName);
        Root root(PredefinedKey, ComputerName);
        SECURITY_ATTRIBUTES sa = {};
        Key key;
        DWORD disposition = 0;
        return RegCreateKeyExA(root.h, KeyName.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, &sa, key.Receive(),
                               &disposition) == ERROR_SUCCESS;
    });
}

bool clsRegistry::DeleteKey(HKEY PredefinedKey, std::string KeyName,
                            const std::string& ComputerName) {
    return Guarded(11006, "DeleteKey", [&] {
        DropLeadingBackslash(KeyName);
        Root root(PredefinedKey, ComputerName);
        return RegDeleteKeyA(root.h, KeyName.c_str()) == ERROR_SUCCESS;
    });
}

std::string clsRegistry::ListSubValue(HKEY PredefinedKey, std::string KeyName, long Index,
                                      const std::string& ComputerName) {
    return Guarded(11007, "ListSubValue",
                   [&] { return ListEntry(PredefinedKey, KeyName, Index, ComputerName, true); });
}

bool clsRegistry::KeyExists(HKEY PredefinedKey, std::string KeyName,
                            const std::string& ComputerName) {
    return Guarded(11008, "KeyExists", [&] {
        DropLeadingBackslash(KeyName);
        Root root(PredefinedKey, ComputerName);
        Key key;
        return !(OpenFull(root.h, KeyName, key) > 0);
    });
}

clsRegistry& objRegistry() {
    static clsRegistry instance;
    return instance;
}
