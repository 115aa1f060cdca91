// The registry class against the sandbox prefix's real registry: fallbacks, the
// numbered errors, remote access by computer name, full-access opens.
#include <windows.h>
#include <aclapi.h>

#include <gtest/gtest.h>

#include "TestSupport.h"
#include "registry/clsRegistry.h"

using namespace testing_support;

namespace {

void RawSet(const ScratchKey& k, const std::string& name, DWORD type, const void* data, DWORD size) {
    HKEY h;
    ASSERT_EQ(RegOpenKeyExA(k.Root(), k.Path().c_str(), 0, KEY_ALL_ACCESS, &h), ERROR_SUCCESS);
    RegSetValueExA(h, name.c_str(), 0, type, static_cast<const BYTE*>(data), size);
    RegCloseKey(h);
}

std::vector<BYTE> RawGet(const ScratchKey& k, const std::string& name, DWORD& type) {
    HKEY h;
    std::vector<BYTE> data(1024);
    DWORD size = 1024;
    type = 0;
    RegOpenKeyExA(k.Root(), k.Path().c_str(), 0, KEY_READ, &h);
    if (RegQueryValueExA(h, name.c_str(), nullptr, &type, data.data(), &size) != ERROR_SUCCESS)
        size = 0;
    RegCloseKey(h);
    data.resize(size);
    return data;
}

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

std::string LocalComputer() {
    char name[MAX_COMPUTERNAME_LENGTH + 1];
    DWORD n = sizeof name;
    GetComputerNameA(name, &n);
    return name;
}

}  // namespace

TEST(clsRegistry, GetValueByType) {
    ScratchKey k;
    clsRegistry reg;
    RawSet(k, "sz", REG_SZ, "hello", 6);
    DWORD n = 0x12345678;
    RawSet(k, "dw", REG_DWORD, &n, 4);
    BYTE bin[6] = {0xAB, 1, 2, 3, 4, 5};
    RawSet(k, "bin", REG_BINARY, bin, 6);
    RawSet(k, "exp", REG_EXPAND_SZ, "%TEMP%", 7);
    RawSet(k, "multi", REG_MULTI_SZ, "a\0b\0\0", 5);
    std::string longText(300, 'x');
    RawSet(k, "long", REG_SZ, longText.c_str(), 301);
    RawSet(k, "empty", REG_SZ, "", 1);

    EXPECT_EQ(std::get<std::string>(reg.GetValue(k.Root(), k.Path(), "sz")), "hello");
    EXPECT_EQ(std::get<std::int32_t>(reg.GetValue(k.Root(), k.Path(), "dw")), 0x12345678);
    EXPECT_EQ(std::get<std::uint8_t>(reg.GetValue(k.Root(), k.Path(), "bin")), 0xAB);
    EXPECT_TRUE(std::holds_alternative<std::monostate>(reg.GetValue(k.Root(), k.Path(), "exp")));
    EXPECT_TRUE(std::holds_alternative<std::monostate>(reg.GetValue(k.Root(), k.Path(), "multi")));
    EXPECT_TRUE(std::holds_alternative<std::monostate>(reg.GetValue(k.Root(), k.Path(), "long")));
    EXPECT_EQ(std::get<std::string>(reg.GetValue(k.Root(), k.Path(), "empty")), "");
    EXPECT_TRUE(std::holds_alternative<std::monostate>(reg.GetValue(k.Root(), k.Path(), "none")));
    EXPECT_TRUE(std::holds_alternative<std::monostate>(
        reg.GetValue(k.Root(), k.Path() + "\\nokey", "sz")));
    // Leading "\" is dropped once.
    EXPECT_EQ(std::get<std::string>(reg.GetValue(k.Root(), "\\" + k.Path(), "sz")), "hello");
}

TEST(clsRegistry, ZeroSizeStringRaises11002) {
    ScratchKey k;
    clsRegistry reg;
    RawSet(k, "zero", REG_SZ, "", 0);
    EXPECT_EQ(ErrorNumber([&] { reg.GetValue(k.Root(), k.Path(), "zero"); }), 11002);
}

TEST(clsRegistry, SetValueKeepsTheStoredType) {
    ScratchKey k;
    clsRegistry reg;
    DWORD type;
    EXPECT_TRUE(reg.SetValue(k.Root(), k.Path(), "new", std::string("abc")));
    auto data = RawGet(k, "new", type);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(data, (std::vector<BYTE>{'a', 'b', 'c', 0}));

    EXPECT_TRUE(reg.SetValue(k.Root(), k.Path(), "new", 42LL));
    EXPECT_EQ(std::get<std::string>(reg.GetValue(k.Root(), k.Path(), "new")), "42");

    DWORD n = 1;
    RawSet(k, "dw", REG_DWORD, &n, 4);
    EXPECT_TRUE(reg.SetValue(k.Root(), k.Path(), "dw", std::string(" 77 ")));
    EXPECT_EQ(std::get<std::int32_t>(reg.GetValue(k.Root(), k.Path(), "dw")), 77);
    EXPECT_EQ(ErrorNumber([&] { reg.SetValue(k.Root(), k.Path(), "dw", std::string("seven")); }),
              11001);

    RawSet(k, "exp", REG_EXPAND_SZ, "%X%", 4);
    EXPECT_TRUE(reg.SetValue(k.Root(), k.Path(), "exp", std::string("changed")));
    data = RawGet(k, "exp", type);
    EXPECT_EQ(type, static_cast<DWORD>(REG_EXPAND_SZ));
    EXPECT_EQ(std::string(data.begin(), data.end()), std::string("%X%\0", 4));

    BYTE bin[3] = {9, 9, 9};
    RawSet(k, "bin", REG_BINARY, bin, 3);
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
    EXPECT_EQ(reg.ListSubKey(k.Root(), k.Path(), 0), "one");
    EXPECT_EQ(reg.ListSubKey(k.Root(), k.Path(), 1), "three");
    EXPECT_EQ(reg.ListSubKey(k.Root(), k.Path(), 2), "");
    EXPECT_EQ(reg.ListSubKey(k.Root(), k.Path() + "\\missing", 0), "");

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
    HKEY h;
    ASSERT_EQ(RegOpenKeyExA(k.Root(), locked.c_str(), 0, KEY_ALL_ACCESS, &h), ERROR_SUCCESS);
    EXPLICIT_ACCESS_A ea = {};
    ea.grfAccessPermissions = KEY_READ;
    ea.grfAccessMode = SET_ACCESS;
    ea.Trustee.TrusteeForm = TRUSTEE_IS_NAME;
    ea.Trustee.ptstrName = const_cast<char*>("EVERYONE");
    PACL acl = nullptr;
    ASSERT_EQ(SetEntriesInAclA(1, &ea, nullptr, &acl), ERROR_SUCCESS);
    SECURITY_DESCRIPTOR sd;
    InitializeSecurityDescriptor(&sd, SECURITY_DESCRIPTOR_REVISION);
    SetSecurityDescriptorDacl(&sd, TRUE, acl, FALSE);
    ASSERT_EQ(RegSetKeySecurity(h, DACL_SECURITY_INFORMATION, &sd), ERROR_SUCCESS);
    RegCloseKey(h);
    LocalFree(acl);

    HKEY probe;
    LONG full = RegOpenKeyExA(k.Root(), locked.c_str(), 0, KEY_ALL_ACCESS, &probe);
    if (full == ERROR_SUCCESS) {
        RegCloseKey(probe);
        GTEST_SKIP() << "this registry grants full access despite the DACL";
    }
    EXPECT_FALSE(reg.KeyExists(k.Root(), locked));
    EXPECT_TRUE(reg.KeyExists(k.Root(), k.Path()));
}

TEST(clsRegistry, ComputerNameReachesARegistryByName) {
    ScratchKey k;
    clsRegistry reg;
    std::string local = LocalComputer();
    EXPECT_TRUE(reg.SetValue(k.Root(), k.Path(), "remote", std::string("seen"), local));
    EXPECT_EQ(std::get<std::string>(reg.GetValue(k.Root(), k.Path(), "remote", "\\\\" + local)),
              "seen");
    EXPECT_TRUE(reg.KeyExists(k.Root(), k.Path(), local));
    // An unknown computer: the connection fails, the operations give their fallbacks,
    // and SetValue raises since its key does not open.
    const std::string nowhere = "NO-SUCH-HOST-GF";
    EXPECT_TRUE(std::holds_alternative<std::monostate>(
        reg.GetValue(k.Root(), k.Path(), "remote", nowhere)));
    EXPECT_FALSE(reg.KeyExists(k.Root(), k.Path(), nowhere));
    EXPECT_EQ(reg.ListSubValue(k.Root(), k.Path(), 0, nowhere), "");
    EXPECT_EQ(ErrorNumber([&] { reg.SetValue(k.Root(), k.Path(), "x", 1LL, nowhere); }), 11001);
}
