#include "cleaning/AutoComplete.h"

#include <windows.h>
#include <aclapi.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <exception>
#include <vector>

#include "cleaning/Pacing.h"
#include "framework/Handles.h"
#include "framework/Runtime.h"
#include "registry/Reg32.h"

namespace {

constexpr const char* kStoreKey = "Software\\Microsoft\\Protected Storage System Provider";

// The AutoComplete subkeys, compared in capitals.
constexpr std::array<const char*, 9> kNamedSubkeys = {
    "Q:STRINGDATA", "SEARCHTEXT", "SEARCHTEXT:STRINGDATA", "SEARCHTEXT:STRINGINDEX",
    "P:STRINGDATA", "P:STRINGINDEX", "Q", "QUERY", "Q:STRINGINDEX"};

using gf::RegKey;

template <typename T>
struct LocalMemory {
    T p = nullptr;
    LocalMemory() = default;
    LocalMemory(const LocalMemory&) = delete;
    LocalMemory& operator=(const LocalMemory&) = delete;
    ~LocalMemory() {
        if (p) LocalFree(p);
    }
};

std::string CurrentUserName() {
    char name[256];
    DWORD size = 255;
    if (!GetUserNameA(name, &size) || size == 0) return {};
    return std::string(name, size - 1);  // size counts the terminating NUL
}

// The account's security identifier; empty when the name cannot be looked up.
std::vector<BYTE> LookUpAccount(const std::string& user) {
    std::vector<BYTE> sid(256);
    DWORD sidSize = 255, domainSize = 0;
    SID_NAME_USE use;
    // The first call only learns how long the domain name is.
    LookupAccountNameA(nullptr, user.c_str(), sid.data(), &sidSize, nullptr, &domainSize, &use);
    std::string domain(domainSize + 1, ' ');
    sidSize = 255;
    if (!LookupAccountNameA(nullptr, user.c_str(), sid.data(), &sidSize, domain.data(), &domainSize,
                            &use))
        return {};
    return sid;
}

// True when the DACL already holds an entry granting the account full control (so
// that repeated cleans do not pile entries up).
bool GrantsFullControl(PACL dacl, PSID sid) {
    for (DWORD i = 0; i < dacl->AceCount; ++i) {
        ACE_HEADER* header = nullptr;
        if (!GetAce(dacl, i, reinterpret_cast<void**>(&header))) continue;
        if (header->AceType != ACCESS_ALLOWED_ACE_TYPE || (header->AceFlags & INHERIT_ONLY_ACE))
            continue;
        auto* ace = reinterpret_cast<ACCESS_ALLOWED_ACE*>(header);
        if ((ace->Mask & KEY_ALL_ACCESS) == KEY_ALL_ACCESS && EqualSid(&ace->SidStart, sid))
            return true;
    }
    return false;
}

bool IsNamedSubkey(std::string name) {
    std::transform(name.begin(), name.end(), name.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return std::any_of(kNamedSubkeys.begin(), kNamedSubkeys.end(),
                       [&](const char* n) { return name == n; });
}

}  // namespace

namespace ModCleaning {

void ClearProtectedStorage() {
    std::string user = CurrentUserName();
    AutoComplete::GrantKeyAccess(HKEY_CURRENT_USER, kStoreKey, user);
    AutoComplete::GrantSubkeyAccess(HKEY_CURRENT_USER, kStoreKey, user);
    try {
        Reg32::DeleteNamedSubkeys(HKEY_CURRENT_USER, kStoreKey);
    } catch (const std::exception&) {
        // As every other failure here: the clean goes on with its last step.
    }
    Reg32::DeleteRegKey(HKEY_CURRENT_USER, kStoreKey);
}

}  // namespace ModCleaning

namespace AutoComplete {

void GrantKeyAccess(HKEY root, const std::string& path, const std::string& user) {
    std::vector<BYTE> sid = LookUpAccount(user);
    if (sid.empty()) return ReportRegError(0, "LookUpAccountName");

    RegKey key;
    LONG rc = RegOpenKeyExA(root, path.c_str(), 0, WRITE_DAC | READ_CONTROL, key.Receive());
    if (rc != ERROR_SUCCESS) return ReportRegError(rc, "RegOpenKeyEx");

    PACL oldDacl = nullptr;
    LocalMemory<PSECURITY_DESCRIPTOR> oldDescriptor;
    DWORD err = GetSecurityInfo(key.Get(), SE_REGISTRY_KEY, DACL_SECURITY_INFORMATION, nullptr,
                                nullptr, &oldDacl, nullptr, &oldDescriptor.p);
    if (err != ERROR_SUCCESS) return ReportRegError(static_cast<long>(err), "GetSecurityInfo");
    // A key without a DACL is open to everyone already; giving it one would shut
    // others out.
    if (!oldDacl || GrantsFullControl(oldDacl, sid.data())) return;

    EXPLICIT_ACCESS_A access = {};
    access.grfAccessPermissions = KEY_ALL_ACCESS;
    access.grfAccessMode = GRANT_ACCESS;
    access.grfInheritance = NO_INHERITANCE;
    access.Trustee.TrusteeForm = TRUSTEE_IS_SID;
    access.Trustee.TrusteeType = TRUSTEE_IS_USER;
    access.Trustee.ptstrName = reinterpret_cast<LPSTR>(sid.data());
    LocalMemory<PACL> newDacl;
    err = SetEntriesInAclA(1, &access, oldDacl, &newDacl.p);
    if (err != ERROR_SUCCESS) return ReportRegError(static_cast<long>(err), "SetEntriesInAcl");

    SECURITY_DESCRIPTOR descriptor;
    if (!InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION) ||
        !SetSecurityDescriptorDacl(&descriptor, TRUE, newDacl.p, FALSE))
        return ReportRegError(0, "InitializeSecurityDescriptor");
    rc = RegSetKeySecurity(key.Get(), DACL_SECURITY_INFORMATION, &descriptor);
    if (rc != ERROR_SUCCESS) ReportRegError(rc, "RegSetKeySecurity");
}

void GrantSubkeyAccess(HKEY root, const std::string& path, const std::string& user) {
    RegKey key;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, key.Receive()) != ERROR_SUCCESS) return;
    for (DWORD i = 0;; ++i) {
        gf::DoEvents();
        if (pacing::Stopping()) return;  // the program is ending
        char name[256];
        DWORD size = 255;
        if (RegEnumKeyExA(key.Get(), i, name, &size, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS)
            break;
        std::string subkey(name, size);
        // A key's own security first: it may be what keeps its subkeys from being read.
        GrantKeyAccess(key.Get(), subkey, user);
        GrantSubkeyAccess(key.Get(), subkey, user);
    }
}

void ReportRegError(long code, const std::string& callName) {
    // Nothing is shown or kept: the clean goes on whatever failed.
    (void)code;
    (void)callName;
}

}  // namespace AutoComplete

namespace Reg32 {

void DeleteNamedSubkeys(HKEY root, const std::string& path) {
    RegKey key;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_ALL_ACCESS, key.Receive()) != ERROR_SUCCESS) return;
    std::vector<std::string> names;
    char name[257];
    for (DWORD i = 0; RegEnumKeyA(key.Get(), i, name, 256) == ERROR_SUCCESS; ++i) names.emplace_back(name);
    for (const std::string& subkey : names) {
        DeleteNamedSubkeys(root, path + "\\" + subkey);  // below it first
        if (IsNamedSubkey(subkey)) RegDeleteKeyA(key.Get(), subkey.c_str());  // stays if not empty
    }
}

}  // namespace Reg32
