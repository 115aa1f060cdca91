// The Explorer verb in the sandbox prefix's real HKEY_CLASSES_ROOT. Every test removes
// the two keys again.
// GF_EXCLUSIVE_PROFILE: the shred verb is one machine-wide key.
#include <windows.h>

#include <gtest/gtest.h>

#include "TestSupport.h"
#include "shredder/ShredVerb.h"

using namespace shredder;

namespace {

const std::string kCommand = std::string(kShredVerbKey) + "\\command";

bool KeyExists(const std::string& path) {
    HKEY h;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, path.c_str(), 0, KEY_READ, &h) != ERROR_SUCCESS) return false;
    RegCloseKey(h);
    return true;
}

struct KeyCounts {
    DWORD subkeys = 99, values = 99;
};

KeyCounts Counts(const std::string& path) {
    KeyCounts c;
    HKEY h;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, path.c_str(), 0, KEY_READ, &h) != ERROR_SUCCESS) return c;
    RegQueryInfoKeyA(h, nullptr, nullptr, nullptr, &c.subkeys, nullptr, nullptr, &c.values, nullptr,
                     nullptr, nullptr, nullptr);
    RegCloseKey(h);
    return c;
}

std::string DefaultValue(const std::string& path, DWORD* type) {
    char data[1024] = {};
    DWORD size = sizeof data - 1;
    HKEY h;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, path.c_str(), 0, KEY_READ, &h) != ERROR_SUCCESS) return "?";
    RegQueryValueExA(h, "", nullptr, type, reinterpret_cast<BYTE*>(data), &size);
    RegCloseKey(h);
    return data;
}

class ShredVerbTest : public ::testing::Test {
protected:
    void SetUp() override { RemoveBoth(); }
    void TearDown() override { RemoveBoth(); }
    static void RemoveBoth() {
        RegDeleteKeyA(HKEY_CLASSES_ROOT, kCommand.c_str());
        RegDeleteKeyA(HKEY_CLASSES_ROOT, kShredVerbKey);
    }
};

}  // namespace

TEST_F(ShredVerbTest, CreatedTwiceLeavesTwoKeysAndOneQuotedCommand) {
    RegisterShredVerb();
    RegisterShredVerb();
    KeyCounts verb = Counts(kShredVerbKey), command = Counts(kCommand);
    EXPECT_EQ(verb.subkeys, 1u);
    EXPECT_EQ(verb.values, 0u);
    EXPECT_EQ(command.subkeys, 0u);
    EXPECT_EQ(command.values, 1u);

    // The executable's own path, quoted, then an unquoted %1.
    char exe[MAX_PATH];
    GetModuleFileNameA(nullptr, exe, MAX_PATH);
    DWORD type = 0;
    EXPECT_EQ(DefaultValue(kCommand, &type), "\"" + std::string(exe) + "\" %1");
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
}

// Deleting goes subkey first: without its command the verb key stays, and the result
// is true only when both went.
TEST_F(ShredVerbTest, DeletesTheCommandFirstThenTheVerb) {
    RegisterShredVerb();
    EXPECT_TRUE(UnregisterShredVerb());
    EXPECT_FALSE(KeyExists(kShredVerbKey));
    EXPECT_FALSE(UnregisterShredVerb());

    RegisterShredVerb();
    ASSERT_EQ(RegDeleteKeyA(HKEY_CLASSES_ROOT, kCommand.c_str()), ERROR_SUCCESS);
    EXPECT_FALSE(UnregisterShredVerb());
    EXPECT_TRUE(KeyExists(kShredVerbKey));
}
