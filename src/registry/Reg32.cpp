#include "registry/Reg32.h"

#include "framework/Handles.h"

namespace Reg32 {
namespace {

// The ANSI and the wide entry points, so that both forms share one body.
template <typename Char>
struct Api;
template <>
struct Api<char> {
    static constexpr auto Open = RegOpenKeyA;
    static constexpr auto Create = RegCreateKeyA;
    static constexpr auto Query = RegQueryValueExA;
    static constexpr auto Set = RegSetValueExA;
};
template <>
struct Api<wchar_t> {
    static constexpr auto Open = RegOpenKeyW;
    static constexpr auto Create = RegCreateKeyW;
    static constexpr auto Query = RegQueryValueExW;
    static constexpr auto Set = RegSetValueExW;
};

template <typename Char>
std::basic_string<Char> Get(HKEY root, const Char* keyPath, const Char* valueName) {
    using A = Api<Char>;
    gf::RegKey key;
    A::Open(root, keyPath, key.Receive());  // a failed open leaves 0: the reads fail
    std::basic_string<Char> text;
    DWORD type = 0, size = 0;
    A::Query(key.Get(), valueName, nullptr, &type, nullptr, &size);
    if (type != REG_SZ) return {};
    text.assign((size + sizeof(Char) - 1) / sizeof(Char), Char(' '));
    if (A::Query(key.Get(), valueName, nullptr, &type, reinterpret_cast<BYTE*>(text.data()), &size) !=
        ERROR_SUCCESS)
        return {};
    return text.substr(0, text.find(Char(0)));
}

template <typename Char>
void Save(HKEY root, const Char* keyPath, const Char* valueName, const std::basic_string<Char>& data) {
    using A = Api<Char>;
    gf::RegKey key;
    A::Create(root, keyPath, key.Receive());
    // The length in characters: no terminating NUL is stored. The system counts a NUL
    // that happens to follow the data in memory, as a string's always does; a character
    // that is not NUL after the text keeps the stored size to the text's length.
    std::basic_string<Char> chars = data + Char(1);
    A::Set(key.Get(), valueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(chars.data()),
           static_cast<DWORD>(data.size() * sizeof(Char)));
}

}  // namespace

std::string GetRegString(HKEY root, const std::string& keyPath, const std::string& valueName) {
    return Get(root, keyPath.c_str(), valueName.c_str());
}

std::wstring GetRegStringW(HKEY root, const std::wstring& keyPath, const std::wstring& valueName) {
    return Get(root, keyPath.c_str(), valueName.c_str());
}

void SaveRegString(HKEY root, const std::string& keyPath, const std::string& valueName,
                   const std::string& data) {
    Save(root, keyPath.c_str(), valueName.c_str(), data);
}

void SaveRegStringW(HKEY root, const std::wstring& keyPath, const std::wstring& valueName,
                    const std::wstring& data) {
    Save(root, keyPath.c_str(), valueName.c_str(), data);
}

void DeleteRegValue(HKEY root, const std::string& keyPath, const std::string& valueName) {
    gf::RegKey key;
    RegOpenKeyA(root, keyPath.c_str(), key.Receive());
    RegDeleteValueA(key.Get(), valueName.c_str());
}

void DeleteRegKey(HKEY root, const std::string& keyPath) {
    RegDeleteKeyA(root, keyPath.c_str());  // one key: a key with subkeys stays
}

}  // namespace Reg32
