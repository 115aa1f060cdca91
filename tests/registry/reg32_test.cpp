// The plain registry functions against the sandbox prefix's real registry.
#include <windows.h>

#include <gtest/gtest.h>

#include "TestSupport.h"
#include "registry/Reg32.h"

using namespace testing_support;

namespace {

void RawSet(const ScratchKey& k, const std::string& name, DWORD type, const void* data, DWORD size) {
    HKEY h;
    ASSERT_EQ(RegOpenKeyExA(k.Root(), k.Path().c_str(), 0, KEY_ALL_ACCESS, &h), ERROR_SUCCESS);
    RegSetValueExA(h, name.c_str(), 0, type, static_cast<const BYTE*>(data), size);
    RegCloseKey(h);
}

DWORD RawSize(const std::string& path, const std::string& name, DWORD* type = nullptr) {
    HKEY h;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &h) != ERROR_SUCCESS) return 0;
    DWORD size = 0, t = 0;
    RegQueryValueExA(h, name.c_str(), nullptr, &t, nullptr, &size);
    RegCloseKey(h);
    if (type) *type = t;
    return size;
}

}  // namespace

TEST(Reg32, GetRegStringReadsOnlyPlainStrings) {
    ScratchKey k;
    RawSet(k, "plain", REG_SZ, "C:\\Users\\x", 11);
    RawSet(k, "expand", REG_EXPAND_SZ, "%APPDATA%", 10);
    DWORD n = 7;
    RawSet(k, "dword", REG_DWORD, &n, 4);
    RawSet(k, "inner", REG_SZ, "ab\0cd", 6);
    RawSet(k, "empty", REG_SZ, "", 1);
    std::string longText(300, 'q');
    RawSet(k, "long", REG_SZ, longText.c_str(), 301);
    EXPECT_EQ(Reg32::GetRegString(k.Root(), k.Path(), "plain"), "C:\\Users\\x");
    EXPECT_EQ(Reg32::GetRegString(k.Root(), k.Path(), "expand"), "");
    EXPECT_EQ(Reg32::GetRegString(k.Root(), k.Path(), "dword"), "");
    EXPECT_EQ(Reg32::GetRegString(k.Root(), k.Path(), "inner"), "ab");
    EXPECT_EQ(Reg32::GetRegString(k.Root(), k.Path(), "empty"), "");
    EXPECT_EQ(Reg32::GetRegString(k.Root(), k.Path(), "long"), longText);
    EXPECT_EQ(Reg32::GetRegString(k.Root(), k.Path(), "missing"), "");
    EXPECT_EQ(Reg32::GetRegString(k.Root(), k.Path() + "\\nokey", "plain"), "");
}

TEST(Reg32, SaveRegStringCreatesThePathAndStoresNoNul) {
    ScratchKey k;
    std::string deep = k.Path() + "\\a\\b\\c";
    Reg32::SaveRegString(HKEY_CURRENT_USER, deep, "v", "abc");
    DWORD type = 0;
    // Three characters are passed; the system itself may add the NUL that follows them
    // in memory (Windows NT and Wine both do), but never more.
    DWORD size = RawSize(deep, "v", &type);
    EXPECT_TRUE(size == 3u || size == 4u) << size;
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(Reg32::GetRegString(HKEY_CURRENT_USER, deep, "v"), "abc");
}

TEST(Reg32, DeletesOneValueAndOnlyLeafKeys) {
    ScratchKey k;
    Reg32::SaveRegString(HKEY_CURRENT_USER, k.Path(), "gone", "1");
    Reg32::SaveRegString(HKEY_CURRENT_USER, k.Path(), "kept", "2");
    Reg32::DeleteRegValue(HKEY_CURRENT_USER, k.Path(), "gone");
    Reg32::DeleteRegValue(HKEY_CURRENT_USER, k.Path(), "never-there");
    Reg32::DeleteRegValue(HKEY_CURRENT_USER, k.Path() + "\\missing", "kept");
    EXPECT_EQ(Reg32::GetRegString(HKEY_CURRENT_USER, k.Path(), "gone"), "");
    EXPECT_EQ(Reg32::GetRegString(HKEY_CURRENT_USER, k.Path(), "kept"), "2");

    Reg32::SaveRegString(HKEY_CURRENT_USER, k.Path() + "\\parent\\child", "x", "y");
    Reg32::DeleteRegKey(HKEY_CURRENT_USER, k.Path() + "\\parent");
    EXPECT_EQ(Reg32::GetRegString(HKEY_CURRENT_USER, k.Path() + "\\parent\\child", "x"), "y");
    Reg32::DeleteRegKey(HKEY_CURRENT_USER, k.Path() + "\\parent\\child");
    Reg32::DeleteRegKey(HKEY_CURRENT_USER, k.Path() + "\\parent");
    HKEY h;
    EXPECT_NE(RegOpenKeyExA(HKEY_CURRENT_USER, (k.Path() + "\\parent").c_str(), 0, KEY_READ, &h),
              ERROR_SUCCESS);
    Reg32::DeleteRegKey(HKEY_CURRENT_USER, k.Path() + "\\parent");  // missing: nothing happens
}
