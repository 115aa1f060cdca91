// The AutoComplete store clean against the sandbox's real registry: which subkeys go,
// the top key, and the security the keys are left with.
#include <windows.h>
#include <aclapi.h>

#include <gtest/gtest.h>

#include <vector>

#include "CleaningTestSupport.h"
#include "cleaning/AutoComplete.h"

using namespace cleaning_test;

namespace {

const std::string kStore = "Software\\Microsoft\\Protected Storage System Provider";

std::vector<BYTE> CurrentUserSid() {
    HANDLE token;
    OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token);
    std::vector<BYTE> buffer(512);
    DWORD size = 0;
    GetTokenInformation(token, TokenUser, buffer.data(), static_cast<DWORD>(buffer.size()), &size);
    CloseHandle(token);
    PSID sid = reinterpret_cast<TOKEN_USER*>(buffer.data())->User.Sid;
    return std::vector<BYTE>(static_cast<BYTE*>(sid), static_cast<BYTE*>(sid) + GetLengthSid(sid));
}

struct Ace {
    BYTE type;
    ACCESS_MASK mask;
    std::vector<BYTE> sid;
    bool operator==(const Ace&) const = default;
};

// The key's DACL as a list of entries; present is false for a missing or null DACL.
std::vector<Ace> Dacl(const std::string& path, bool& present) {
    present = false;
    std::vector<Ace> aces;
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, READ_CONTROL, &key) != ERROR_SUCCESS)
        return aces;
    PACL dacl = nullptr;
    PSECURITY_DESCRIPTOR sd = nullptr;
    GetSecurityInfo(key, SE_REGISTRY_KEY, DACL_SECURITY_INFORMATION, nullptr, nullptr, &dacl,
                    nullptr, &sd);
    RegCloseKey(key);
    if (dacl) {
        present = true;
        for (DWORD i = 0; i < dacl->AceCount; ++i) {
            ACE_HEADER* header;
            GetAce(dacl, i, reinterpret_cast<void**>(&header));
            auto* allowed = reinterpret_cast<ACCESS_ALLOWED_ACE*>(header);
            PSID sid = &allowed->SidStart;
            aces.push_back({header->AceType, allowed->Mask,
                            std::vector<BYTE>(static_cast<BYTE*>(sid),
                                              static_cast<BYTE*>(sid) + GetLengthSid(sid))});
        }
    }
    if (sd) LocalFree(sd);
    return aces;
}

bool GrantsFullControl(const std::vector<Ace>& aces, const std::vector<BYTE>& sid) {
    for (const Ace& ace : aces)
        if (ace.type == ACCESS_ALLOWED_ACE_TYPE && ace.sid == sid &&
            (ace.mask & KEY_ALL_ACCESS) == KEY_ALL_ACCESS)
            return true;
    return false;
}

// Gives the key a DACL of its own: read access for everyone, full access for us.
void SetReadForEveryone(const std::string& path) {
    HKEY key;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, WRITE_DAC, &key), ERROR_SUCCESS);
    SID_IDENTIFIER_AUTHORITY world = SECURITY_WORLD_SID_AUTHORITY;
    PSID everyone;
    AllocateAndInitializeSid(&world, 1, SECURITY_WORLD_RID, 0, 0, 0, 0, 0, 0, 0, &everyone);
    BYTE aclBuffer[256];
    PACL acl = reinterpret_cast<PACL>(aclBuffer);
    InitializeAcl(acl, sizeof aclBuffer, ACL_REVISION);
    AddAccessAllowedAce(acl, ACL_REVISION, KEY_READ, everyone);
    std::vector<BYTE> me = CurrentUserSid();
    AddAccessAllowedAce(acl, ACL_REVISION, KEY_QUERY_VALUE | WRITE_DAC | READ_CONTROL, me.data());
    SECURITY_DESCRIPTOR sd;
    InitializeSecurityDescriptor(&sd, SECURITY_DESCRIPTOR_REVISION);
    SetSecurityDescriptorDacl(&sd, TRUE, acl, FALSE);
    EXPECT_EQ(RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, &sd), ERROR_SUCCESS);
    FreeSid(everyone);
    RegCloseKey(key);
}

class AutoCompleteStore : public testing::Test {
protected:
    void SetUp() override {
        RegDeleteTreeA(HKEY_CURRENT_USER, kStore.c_str());  // ours alone in the sandbox prefix
    }
    void TearDown() override { RegDeleteTreeA(HKEY_CURRENT_USER, kStore.c_str()); }
    void Make(const std::string& sub) { keys.Create(HKEY_CURRENT_USER, kStore + "\\" + sub); }
    bool Has(const std::string& sub) { return KeyExists(HKEY_CURRENT_USER, kStore + "\\" + sub); }
    PlantedKeys keys;
};

}  // namespace

TEST_F(AutoCompleteStore, DeletesTheNamedSubkeysOnly) {
    const std::string p = "S-1-5-21-1\\Data\\e161255a\\e161255a\\";
    for (const char* sub : {"SearchText", "Other", "query", "query2", "Q:StringData\\SearchText:StringIndex",
                            "P:StringIndex\\kept"})
        Make(p + sub);
    ModCleaning::ClearProtectedStorage();
    for (const char* gone : {"SearchText", "query", "Q:StringData"}) EXPECT_FALSE(Has(p + gone)) << gone;
    for (const char* stays : {"Other", "query2", "P:StringIndex\\kept"}) EXPECT_TRUE(Has(p + stays)) << stays;
    EXPECT_TRUE(Has(""));
}

TEST_F(AutoCompleteStore, TopKeyGoesWhenNothingIsLeftBelowIt) {
    Make("SearchText");
    Make("Data\\Q");
    ModCleaning::ClearProtectedStorage();
    EXPECT_TRUE(Has("Data"));
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, kStore));
    RegDeleteKeyA(HKEY_CURRENT_USER, (kStore + "\\Data").c_str());
    ModCleaning::ClearProtectedStorage();
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kStore));
}

// The keys are opened to the current user by an entry added to the DACL they had: no
// null DACL, no entry lost, and no entry piling up over repeated cleans.
TEST_F(AutoCompleteStore, GrantsTheUserFullControlAndKeepsTheEntriesThere) {
    Make("Child\\Grandchild");
    SetReadForEveryone(kStore + "\\Child");
    bool present;
    std::vector<Ace> before = Dacl(kStore + "\\Child", present);
    ASSERT_TRUE(present);
    std::vector<BYTE> me = CurrentUserSid();
    ASSERT_FALSE(GrantsFullControl(before, me));
    ModCleaning::ClearProtectedStorage();
    for (const std::string& key : {kStore, kStore + "\\Child", kStore + "\\Child\\Grandchild"}) {
        std::vector<Ace> after = Dacl(key, present);
        EXPECT_TRUE(present) << key << " has a null DACL";
        EXPECT_TRUE(GrantsFullControl(after, me)) << key;
    }
    std::vector<Ace> child = Dacl(kStore + "\\Child", present);
    EXPECT_NE(std::find(child.begin(), child.end(), before[0]), child.end()) << "everyone's entry lost";
    ModCleaning::ClearProtectedStorage();
    EXPECT_EQ(Dacl(kStore + "\\Child", present).size(), child.size());
}

TEST(AutoCompleteAccess, AnUnknownAccountLeavesTheSecurityAsItWas) {
    testing_support::ScratchKey key;
    SetReadForEveryone(key.Path());
    bool present;
    std::vector<Ace> before = Dacl(key.Path(), present);
    AutoComplete::GrantKeyAccess(HKEY_CURRENT_USER, key.Path(), "no such account 7f3a");
    EXPECT_EQ(Dacl(key.Path(), present), before);
}
