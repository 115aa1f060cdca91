// The plain registry functions and the registry class against the sandbox prefix's
// real registry: value types, fallbacks, the numbered errors, one key at a time,
// remote access by computer name, full-access opens.
#include <windows.h>
#include <sddl.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <new>
#include <utility>

#include "TestSupport.h"
#include "framework/Handles.h"
#include "registry/Reg32.h"
#include "registry/clsRegistry.h"

using namespace testing_support;

// Armed, the next allocation fails: an error in the middle of an operation.
static bool failNextAllocation = false;
void* operator new(std::size_t size) {
    void* p = std::exchange(failNextAllocation, false) ? nullptr : std::malloc(size ? size : 1);
    return p ? p : throw std::bad_alloc();
}

namespace {

// A value as its type and raw bytes, as RegQueryValueExA gives them ("-" when missing).
std::string Raw(HKEY root, const std::string& path, const std::string& name) {
    gf::RegKey key;
    RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, key.Receive());
    char data[1024];
    DWORD type = 0, size = sizeof data;
    if (RegQueryValueExA(key.Get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data), &size)) return "-";
    return std::to_string(type) + ":" + std::string(data, size);
}

// A scratch key holding one value of each kind the tests read.
struct Values : ScratchKey {
    Values() {
        DWORD n = 0x12345678;
        BYTE bin[6] = {0xAB, 1, 2, 3, 4, 5};
        auto Set = [this](const char* name, DWORD type, const void* data, DWORD size) {
            RegSetKeyValueA(Root(), Path().c_str(), name, type, data, size);
        };
        Set("sz", REG_SZ, "C:\\Users\\x", 11), Set("exp", REG_EXPAND_SZ, "%APPDATA%", 10);
        Set("multi", REG_MULTI_SZ, "a\0b\0\0", 5), Set("dw", REG_DWORD, &n, 4), Set("bin", REG_BINARY, bin, 6);
        Set("nobin", REG_BINARY, bin, 0), Set("inner", REG_SZ, "ab\0cd", 6), Set("empty", REG_SZ, "", 1);
        Set("long", REG_SZ, std::string(300, 'q').c_str(), 301), Set("zero", REG_SZ, "", 0);
    }
};

bool Empty(const RegVariant& v) { return std::holds_alternative<std::monostate>(v); }

// What an operation raised: "<number> <source> <description>".
std::string Raised(const std::function<void()>& call) {
    try {
        call();
    } catch (const gf::Error& e) {
        return std::to_string(e.Number) + " " + e.Source + " " + e.Description;
    }
    return "nothing";
}

}  // namespace

TEST(Reg32, ReadsOnlyPlainStringsAndWritesAndDeletesOneThingAtATime) {
    Values k;
    const std::pair<const char*, std::string> reads[] = {
        {"sz", "C:\\Users\\x"}, {"exp", ""}, {"dw", ""}, {"multi", ""}, {"bin", ""}, {"nobin", ""}, {"inner", "ab"},
        {"empty", ""}, {"long", std::string(300, 'q')}, {"missing", ""}};
    for (const auto& [name, text] : reads) {
        EXPECT_EQ(Reg32::GetRegString(k.Root(), k.Path(), name), text) << name;
        EXPECT_EQ(Reg32::GetRegStringW(k.Root(), Wide(k.Path()), Wide(name)), Wide(text)) << name;
    }
    EXPECT_EQ(Reg32::GetRegString(k.Root(), k.Path() + "\\nokey", "sz"), "");

    // The path is created and the text stored without a NUL: "abc" is three bytes.
    const std::string deep = k.Path() + "\\a\\b";
    for (const std::string& text : {std::string(), std::string("ab\0", 3), std::string("abc")}) {
        Reg32::SaveRegString(k.Root(), deep, "v", text);
        EXPECT_EQ(Raw(k.Root(), deep, "v"), "1:" + text) << text.size();
    }
    Reg32::DeleteRegValue(k.Root(), k.Path(), "sz");
    Reg32::DeleteRegValue(k.Root(), k.Path(), "never-there");
    EXPECT_EQ(Raw(k.Root(), k.Path(), "sz"), "-");
    EXPECT_NE(Raw(k.Root(), k.Path(), "dw"), "-");
    Reg32::DeleteRegKey(k.Root(), k.Path() + "\\a");  // it has a subkey: it stays
    EXPECT_EQ(Reg32::GetRegString(k.Root(), deep, "v"), "abc");
    Reg32::DeleteRegKey(k.Root(), deep);
    Reg32::DeleteRegKey(k.Root(), k.Path() + "\\a");
    Reg32::DeleteRegKey(k.Root(), k.Path() + "\\a");  // missing: nothing happens
    EXPECT_FALSE(KeyExists(k.Root(), k.Path() + "\\a"));
}

// Read by the type found, with the fallbacks; written keeping the stored type.
TEST(clsRegistry, ValuesByTheirStoredType) {
    Values k;
    clsRegistry reg;
    auto get = [&](const std::string& name) { return reg.GetValue(k.Root(), k.Path(), name); };
    EXPECT_EQ(std::get<std::string>(get("sz")), "C:\\Users\\x");
    EXPECT_EQ(std::get<std::string>(get("inner")), std::string("ab\0cd", 5));  // the size less its NUL
    EXPECT_EQ(std::get<std::string>(get("empty")), "");
    EXPECT_EQ(std::get<std::int32_t>(get("dw")), 0x12345678);
    EXPECT_EQ(std::get<std::uint8_t>(get("bin")), 0xAB);
    EXPECT_EQ(std::get<std::uint8_t>(get("nobin")), 0);  // empty: the byte 0
    for (const char* none : {"exp", "multi", "long", "missing"}) EXPECT_TRUE(Empty(get(none))) << none;
    EXPECT_TRUE(Empty(reg.GetValue(k.Root(), k.Path() + "\\nokey", "sz")));
    // Leading "\" is dropped once.
    EXPECT_EQ(std::get<std::string>(reg.GetValue(k.Root(), "\\" + k.Path(), "sz")), "C:\\Users\\x");
    EXPECT_EQ(Raised([&] { get("zero"); }), "11002 clsRegistry GetValue");  // no length to cut a NUL from

    const struct { const char* name; RegValueArg value; std::string raw; } writes[] = {
        {"new", "abc", std::string("1:abc\0", 6)},  // a missing value becomes text with its NUL
        {"none", "", std::string("1:\0", 3)},          // (which the system adds to "abc" by itself)
        {"new", 42LL, std::string("1:42\0", 5)},    // text stays text
        {"dw", " 77 ", std::string("4:M\0\0\0", 6)},  // a number stays a number (77 is "M")
        {"exp", "changed", std::string("2:%APPDATA%\0", 12)},  // other types are left alone
    };
    for (const auto& w : writes) {
        EXPECT_TRUE(reg.SetValue(k.Root(), k.Path(), w.name, w.value)) << w.name;
        EXPECT_EQ(Raw(k.Root(), k.Path(), w.name), w.raw) << w.name;
    }
    EXPECT_TRUE(reg.SetValue(k.Root(), k.Path(), "bin", 200LL));
    EXPECT_EQ(std::get<std::uint8_t>(reg.GetValue(k.Root(), k.Path(), "bin")), 200);
    for (auto [name, value] : {std::pair<const char*, RegValueArg>{"dw", "seven"}, {"bin", 256LL}, {"-", 1LL}})
        EXPECT_EQ(Raised([&] { reg.SetValue(k.Root(), k.Path() + (*name == '-' ? "\\missing" : ""), name, value); }),
                  "11001 clsRegistry SetValue")
            << name;
}

TEST(clsRegistry, KeysListDeleteAndExist) {
    ScratchKey k;
    clsRegistry reg;
    const std::string three = "three, a name longer than fits in place";  // its listing allocates
    EXPECT_TRUE(reg.CreateKey(k.Root(), k.Path() + "\\one\\two"));
    EXPECT_TRUE(reg.CreateKey(k.Root(), k.Path() + "\\" + three));
    EXPECT_EQ(reg.ListSubKey(k.Root(), k.Path(), 0) + reg.ListSubKey(k.Root(), k.Path(), 1), "one" + three);
    EXPECT_EQ(reg.ListSubKey(k.Root(), k.Path(), 2) + reg.ListSubKey(k.Root(), k.Path() + "\\missing", 0), "");
    reg.SetValue(k.Root(), k.Path(), three, "1");
    EXPECT_EQ(reg.ListSubValue(k.Root(), k.Path(), 0) + "," + reg.ListSubValue(k.Root(), k.Path(), 1), three + ",");
    // An error inside a listing (here the allocation of the name) raises the listing's own.
    std::string key1 = k.Path(), key2 = k.Path();
    EXPECT_EQ(Raised([&] { failNextAllocation = true, reg.ListSubKey(k.Root(), std::move(key1), 1); }),
              "11003 clsRegistry ListSubKey");
    EXPECT_EQ(Raised([&] { failNextAllocation = true, reg.ListSubValue(k.Root(), std::move(key2), 0); }),
              "11007 clsRegistry ListSubValue");
    EXPECT_TRUE(reg.DeleteValue(k.Root(), k.Path(), three));
    EXPECT_FALSE(reg.DeleteValue(k.Root(), k.Path(), three));
    EXPECT_FALSE(reg.DeleteValue(k.Root(), k.Path() + "\\missing", three));
    // One key at a time; a key with subkeys stays.
    EXPECT_FALSE(reg.DeleteKey(k.Root(), k.Path() + "\\one"));
    EXPECT_TRUE(reg.KeyExists(k.Root(), k.Path() + "\\one"));
    EXPECT_TRUE(reg.DeleteKey(k.Root(), "\\" + k.Path() + "\\one\\two"));
    EXPECT_TRUE(reg.DeleteKey(k.Root(), k.Path() + "\\one"));
    EXPECT_FALSE(reg.KeyExists(k.Root(), k.Path() + "\\one"));
    EXPECT_FALSE(reg.DeleteKey(k.Root(), k.Path() + "\\one"));
    // Two leading "\": the second stays, and such a path names nothing.
    EXPECT_FALSE(reg.DeleteKey(k.Root(), "\\\\" + k.Path() + "\\" + three));
    EXPECT_TRUE(reg.KeyExists(k.Root(), k.Path() + "\\" + three));

    // A key everyone may only read does not exist for an open with full access.
    const std::string locked = k.Path() + "\\" + three;
    PSECURITY_DESCRIPTOR sd = nullptr;
    ASSERT_TRUE(ConvertStringSecurityDescriptorToSecurityDescriptorA("D:(A;;KR;;;WD)", SDDL_REVISION_1, &sd, nullptr));
    gf::RegKey made, probe;
    RegOpenKeyExA(k.Root(), locked.c_str(), 0, WRITE_DAC, made.Receive());
    EXPECT_EQ(RegSetKeySecurity(made.Get(), DACL_SECURITY_INFORMATION, sd), ERROR_SUCCESS);
    LocalFree(sd);
    EXPECT_TRUE(!reg.KeyExists(k.Root(), locked) ||
                RegOpenKeyExA(k.Root(), locked.c_str(), 0, KEY_ALL_ACCESS, probe.Receive()) == ERROR_SUCCESS);
}

TEST(clsRegistry, ComputerNameReachesARegistryByName) {
    ScratchKey k;
    clsRegistry reg;
    char name[MAX_COMPUTERNAME_LENGTH + 1];
    DWORD n = sizeof name;
    GetComputerNameA(name, &n);
    EXPECT_TRUE(reg.SetValue(k.Root(), k.Path(), "remote", "seen", name));
    EXPECT_EQ(std::get<std::string>(reg.GetValue(k.Root(), k.Path(), "remote", "\\\\" + std::string(name))), "seen");
    // An unknown computer: the connection fails, the operations give their fallbacks,
    // and SetValue raises since its key does not open.
    const std::string nowhere = "NO-SUCH-HOST-GF";
    EXPECT_TRUE(Empty(reg.GetValue(k.Root(), k.Path(), "remote", nowhere)));
    EXPECT_FALSE(reg.KeyExists(k.Root(), k.Path(), nowhere));
    EXPECT_EQ(Raised([&] { reg.SetValue(k.Root(), k.Path(), "x", 1LL, nowhere); }), "11001 clsRegistry SetValue");
}
