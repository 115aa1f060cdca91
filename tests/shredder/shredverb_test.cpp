// The Explorer verb in the sandbox prefix's real HKEY_CLASSES_ROOT. Every test removes
// the two keys again.
// GF_EXCLUSIVE_PROFILE: the shred verb is one machine-wide key.
#include <windows.h>

#include <gtest/gtest.h>

#include "TestSupport.h"
#include "shredder/ShredVerb.h"

using namespace shredder;
using testing_support::KeyExists;

namespace {

const std::string kCommand = std::string(kShredVerbKey) + "\\command";

// Subkeys and values of a key, as "subkeys/values".
std::string Counts(const std::string& path) {
    DWORD subkeys = 99, values = 99;
    HKEY h;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, path.c_str(), 0, KEY_READ, &h) != ERROR_SUCCESS) return "missing";
    RegQueryInfoKeyA(h, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values, nullptr, nullptr, nullptr,
                     nullptr);
    RegCloseKey(h);
    return std::to_string(subkeys) + "/" + std::to_string(values);
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
    EXPECT_EQ(Counts(kShredVerbKey), "1/0");
    EXPECT_EQ(Counts(kCommand), "0/1");
    // The executable's own path, quoted, then an unquoted %1.
    char exe[MAX_PATH], data[1024] = {};
    GetModuleFileNameA(nullptr, exe, MAX_PATH);
    DWORD type = 0, size = sizeof data;
    RegGetValueA(HKEY_CLASSES_ROOT, kCommand.c_str(), nullptr, RRF_RT_ANY, &type, data, &size);
    EXPECT_EQ(std::string(data), "\"" + std::string(exe) + "\" %1");
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
}

// Deleting goes subkey first: without its command the verb key stays, and the result
// is true only when both went.
TEST_F(ShredVerbTest, DeletesTheCommandFirstThenTheVerb) {
    RegisterShredVerb();
    EXPECT_TRUE(UnregisterShredVerb());
    EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, kShredVerbKey));
    EXPECT_FALSE(UnregisterShredVerb());
    RegisterShredVerb();
    ASSERT_EQ(RegDeleteKeyA(HKEY_CLASSES_ROOT, kCommand.c_str()), ERROR_SUCCESS);
    EXPECT_FALSE(UnregisterShredVerb());
    EXPECT_TRUE(KeyExists(HKEY_CLASSES_ROOT, kShredVerbKey));
}
