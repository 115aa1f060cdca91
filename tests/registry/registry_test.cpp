// The plain registry functions and the registry class against the sandbox prefix's
// real registry: value types, fallbacks, the numbered errors, one key at a time,
// remote access by computer name, full-access opens.
#include <windows.h>
#include <aclapi.h>

#include <gtest/gtest.h>

#include "TestSupport.h"
#include "registry/Reg32.h"
#include "registry/clsRegistry.h"

using namespace testing_support;

namespace {

// A scratch key holding one value of each kind the tests read.
struct Values : ScratchKey {
    Values() {
        DWORD n = 0x12345678;
        BYTE bin[6] = {0xAB, 1, 2, 3, 4, 5};
        Set("sz", REG_SZ, "C:\\Users\\x", 11);
        Set("exp", REG_EXPAND_SZ, "%APPDATA%", 10);
        Set("multi", REG_MULTI_SZ, "a\0b\0\0", 5);
        Set("dw", REG_DWORD, &n, 4);
        Set("bin", REG_BINARY, bin, 6);
        Set("nobin", REG_BINARY, bin, 0);
        Set("inner", REG_SZ, "ab\0cd", 6);
        Set("empty", REG_SZ, "", 1);
        Set("long", REG_SZ, std::string(300, 'q').c_str(), 301);
        Set("zero", REG_SZ, "", 0);
    }
    // A raw value as its type and bytes.
    std::string Raw(const std::string& name) const {
        char data[1024];
        DWORD type = 0, size = sizeof data;
        if (RegGetValueA(Root(), Path().c_str(), name.c_str(), RRF_RT_ANY | RRF_NOEXPAND, &type, data, &size)) return "-";
        return std::to_string(type) + ":" + std::string(data, size);
    }
};

template <typename F>
long ErrorNumber(F&& f) {
    try {
        f();
    } catch (const gf::Error& e) {
        EXPECT_EQ(e.Source, "clsRegistry");
        return e.Number;
    }
    return 0;
}

bool Empty(const RegVariant& v) { return std::holds_alternative<std::monostate>(v); }

}  // namespace

TEST(Reg32, ReadsOnlyPlainStringsAndWritesAndDeletesOneThingAtATime) {
    Values k;
    const std::pair<const char*, std::string> reads[] = {
        {"sz", "C:\\Users\\x"}, {"exp", ""}, {"dw", ""}, {"inner", "ab"}, {"empty", ""},
        {"long", std::string(300, 'q')}, {"missing", ""}};
    for (const auto& [name, text] : reads) EXPECT_EQ(Reg32::GetRegString(k.Root(), k.Path(), name), text) << name;
    EXPECT_EQ(Reg32::GetRegString(k.Root(), k.Path() + "\\nokey", "sz"), "");

    // The path is created; three characters are stored, with at most the NUL that the
    // system itself may add (Windows NT and Wine both do).
    const std::string deep = k.Path() + "\\a\\b";
    Reg32::SaveRegString(k.Root(), deep, "v", "abc");
    DWORD type = 0, size = 0;
    RegGetValueA(k.Root(), deep.c_str(), "v", RRF_RT_ANY, &type, nullptr, &size);
    EXPECT_TRUE(type == REG_SZ && (size == 3u || size == 4u)) << type << " " << size;
    Reg32::DeleteRegValue(k.Root(), k.Path(), "sz");
    Reg32::DeleteRegValue(k.Root(), k.Path(), "never-there");
    EXPECT_EQ(k.Raw("sz"), "-");
    EXPECT_NE(k.Raw("dw"), "-");
    Reg32::DeleteRegKey(k.Root(), k.Path() + "\\a");  // it has a subkey: it stays
    EXPECT_EQ(Reg32::GetRegString(k.Root(), deep, "v"), "abc");
    Reg32::DeleteRegKey(k.Root(), deep);
    Reg32::DeleteRegKey(k.Root(), k.Path() + "\\a");
    Reg32::DeleteRegKey(k.Root(), k.Path() + "\\a");  // missing: nothing happens
    EXPECT_FALSE(KeyExists(k.Root(), k.Path() + "\\a"));
}

TEST(clsRegistry, GetValueByTypeAndItsFallbacks) {
    Values k;
    clsRegistry reg;
    EXPECT_EQ(std::get<std::string>(reg.GetValue(k.Root(), k.Path(), "sz")), "C:\\Users\\x");
    EXPECT_EQ(std::get<std::int32_t>(reg.GetValue(k.Root(), k.Path(), "dw")), 0x12345678);
    EXPECT_EQ(std::get<std::uint8_t>(reg.GetValue(k.Root(), k.Path(), "bin")), 0xAB);
    EXPECT_EQ(std::get<std::uint8_t>(reg.GetValue(k.Root(), k.Path(), "nobin")), 0);  // empty: the byte 0
    EXPECT_EQ(std::get<std::string>(reg.GetValue(k.Root(), k.Path(), "empty")), "");
    for (const char* none : {"exp", "multi", "long", "missing"}) EXPECT_TRUE(Empty(reg.GetValue(k.Root(), k.Path(), none))) << none;
    EXPECT_TRUE(Empty(reg.GetValue(k.Root(), k.Path() + "\\nokey", "sz")));
    // Leading "\" is dropped once.
    EXPECT_EQ(std::get<std::string>(reg.GetValue(k.Root(), "\\" + k.Path(), "sz")), "C:\\Users\\x");
    EXPECT_EQ(ErrorNumber([&] { reg.GetValue(k.Root(), k.Path(), "zero"); }), 11002);
}

TEST(clsRegistry, SetValueKeepsTheStoredType) {
    Values k;
    clsRegistry reg;
    EXPECT_TRUE(reg.SetValue(k.Root(), k.Path(), "new", std::string("abc")));
    EXPECT_EQ(k.Raw("new"), std::string("1:abc\0", 6));
    EXPECT_TRUE(reg.SetValue(k.Root(), k.Path(), "new", 42LL));
    EXPECT_EQ(std::get<std::string>(reg.GetValue(k.Root(), k.Path(), "new")), "42");
    EXPECT_TRUE(reg.SetValue(k.Root(), k.Path(), "dw", std::string(" 77 ")));
    EXPECT_EQ(std::get<std::int32_t>(reg.GetValue(k.Root(), k.Path(), "dw")), 77);
    EXPECT_EQ(ErrorNumber([&] { reg.SetValue(k.Root(), k.Path(), "dw", std::string("seven")); }), 11001);
    EXPECT_TRUE(reg.SetValue(k.Root(), k.Path(), "exp", std::string("changed")));  // left as it was
    EXPECT_EQ(k.Raw("exp"), std::string("2:%APPDATA%\0", 12));
    EXPECT_TRUE(reg.SetValue(k.Root(), k.Path(), "bin", 200LL));
    EXPECT_EQ(std::get<std::uint8_t>(reg.GetValue(k.Root(), k.Path(), "bin")), 200);
    EXPECT_EQ(ErrorNumber([&] { reg.SetValue(k.Root(), k.Path(), "bin", 256LL); }), 11001);
    EXPECT_EQ(ErrorNumber([&] { reg.SetValue(k.Root(), k.Path() + "\\missing", "v", 1LL); }), 11001);
}

TEST(clsRegistry, KeysListDeleteAndExist) {
    ScratchKey k;
    clsRegistry reg;
    EXPECT_TRUE(reg.CreateKey(k.Root(), k.Path() + "\\one\\two"));
    EXPECT_TRUE(reg.CreateKey(k.Root(), k.Path() + "\\three"));
    EXPECT_EQ(reg.ListSubKey(k.Root(), k.Path(), 0) + reg.ListSubKey(k.Root(), k.Path(), 1), "onethree");
    EXPECT_EQ(reg.ListSubKey(k.Root(), k.Path(), 2) + reg.ListSubKey(k.Root(), k.Path() + "\\missing", 0), "");
    reg.SetValue(k.Root(), k.Path(), "alpha", std::string("1"));
    EXPECT_EQ(reg.ListSubValue(k.Root(), k.Path(), 0), "alpha");
    EXPECT_EQ(reg.ListSubValue(k.Root(), k.Path(), 1), "");
    EXPECT_TRUE(reg.DeleteValue(k.Root(), k.Path(), "alpha"));
    EXPECT_FALSE(reg.DeleteValue(k.Root(), k.Path(), "alpha"));
    EXPECT_FALSE(reg.DeleteValue(k.Root(), k.Path() + "\\missing", "alpha"));
    // One key at a time; a key with subkeys stays.
    EXPECT_FALSE(reg.DeleteKey(k.Root(), k.Path() + "\\one"));
    EXPECT_TRUE(reg.KeyExists(k.Root(), k.Path() + "\\one"));
    EXPECT_TRUE(reg.DeleteKey(k.Root(), "\\" + k.Path() + "\\one\\two"));
    EXPECT_TRUE(reg.DeleteKey(k.Root(), k.Path() + "\\one"));
    EXPECT_FALSE(reg.KeyExists(k.Root(), k.Path() + "\\one"));
    EXPECT_FALSE(reg.DeleteKey(k.Root(), k.Path() + "\\one"));
    // Two leading "\": the second stays, and such a path names nothing.
    EXPECT_FALSE(reg.DeleteKey(k.Root(), "\\\\" + k.Path() + "\\three"));
    EXPECT_TRUE(reg.KeyExists(k.Root(), k.Path() + "\\three"));
}

TEST(clsRegistry, KeyExistsNeedsFullAccess) {
    ScratchKey k;
    clsRegistry reg;
    std::string locked = k.Path() + "\\locked";
    ASSERT_TRUE(reg.CreateKey(k.Root(), locked));
    // A DACL that lets everyone read only.
    EXPLICIT_ACCESS_A ea{KEY_READ, SET_ACCESS, NO_INHERITANCE};
    ea.Trustee.TrusteeForm = TRUSTEE_IS_NAME;
    ea.Trustee.ptstrName = const_cast<char*>("EVERYONE");
    PACL acl = nullptr;
    ASSERT_EQ(SetEntriesInAclA(1, &ea, nullptr, &acl), ERROR_SUCCESS);
    SECURITY_DESCRIPTOR sd;
    InitializeSecurityDescriptor(&sd, SECURITY_DESCRIPTOR_REVISION);
    SetSecurityDescriptorDacl(&sd, TRUE, acl, FALSE);
    HKEY h;
    ASSERT_EQ(RegOpenKeyExA(k.Root(), locked.c_str(), 0, KEY_ALL_ACCESS, &h), ERROR_SUCCESS);
    ASSERT_EQ(RegSetKeySecurity(h, DACL_SECURITY_INFORMATION, &sd), ERROR_SUCCESS);
    RegCloseKey(h);
    LocalFree(acl);
    HKEY probe;
    if (RegOpenKeyExA(k.Root(), locked.c_str(), 0, KEY_ALL_ACCESS, &probe) == ERROR_SUCCESS) {
        RegCloseKey(probe);
        GTEST_SKIP() << "this registry grants full access despite the DACL";
    }
    EXPECT_FALSE(reg.KeyExists(k.Root(), locked));
    EXPECT_TRUE(reg.KeyExists(k.Root(), k.Path()));
}

TEST(clsRegistry, ComputerNameReachesARegistryByName) {
    ScratchKey k;
    clsRegistry reg;
    char name[MAX_COMPUTERNAME_LENGTH + 1];
    DWORD n = sizeof name;
    GetComputerNameA(name, &n);
    const std::string local = name;
    EXPECT_TRUE(reg.SetValue(k.Root(), k.Path(), "remote", std::string("seen"), local));
    EXPECT_EQ(std::get<std::string>(reg.GetValue(k.Root(), k.Path(), "remote", "\\\\" + local)), "seen");
    EXPECT_TRUE(reg.KeyExists(k.Root(), k.Path(), local));
    // An unknown computer: the connection fails, the operations give their fallbacks,
    // and SetValue raises since its key does not open.
    const std::string nowhere = "NO-SUCH-HOST-GF";
    EXPECT_TRUE(Empty(reg.GetValue(k.Root(), k.Path(), "remote", nowhere)));
    EXPECT_FALSE(reg.KeyExists(k.Root(), k.Path(), nowhere));
    EXPECT_EQ(reg.ListSubValue(k.Root(), k.Path(), 0, nowhere), "");
    EXPECT_EQ(ErrorNumber([&] { reg.SetValue(k.Root(), k.Path(), "x", 1LL, nowhere); }), 11001);
}
