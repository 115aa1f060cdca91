// Shredding real files in the sandbox: what is written before the delete, what is
// refused and left in place; and the Explorer verb in the sandbox prefix's real
// HKEY_CLASSES_ROOT, removed again by every test.
// GF_EXCLUSIVE_PROFILE: the shred verb is one machine-wide key.
#include <windows.h>

#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "Process.h"
#include "TestSupport.h"
#include "shredder/ShredVerb.h"
#include "shredder/modShredFile.h"

using namespace testing_support;
using namespace shredder;
using Sizes = std::vector<std::uint64_t>;
using testing_support::KeyExists;

namespace {

bool AllInAlphabet(const std::string& text) {
    return text.find_first_not_of(std::string(kShredAlphabet, kShredAlphabetLength)) == std::string::npos;
}

// Reads a file that the shredder holds open, with every sharing flag.
bool ReadShared(const std::string& path, std::string& content) {
    HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                           nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    LARGE_INTEGER size;
    GetFileSizeEx(h, &size);
    content.assign(static_cast<std::size_t>(size.QuadPart), '\0');
    DWORD got = 0;
    bool ok = content.empty() || ReadFile(h, content.data(), static_cast<DWORD>(content.size()), &got, nullptr);
    CloseHandle(h);
    return ok && got == content.size();
}

// Records the progress and, after the last block, what the file then holds on disk.
// Each block also posts a message, which the message-loop turn before the next block
// must have handled.
class Recorder : public ShredProgress {
public:
    explicit Recorder(std::string path) : path_(std::move(path)) {}
    void Start(std::uint64_t size) override {
        ++starts;
        total = size;
    }
    void Advance(std::uint64_t done) override {
        turnsBeforeEachBlock.push_back(dispatched);
        advances.push_back(done);
        probe_.Post();
        if (done == total) lastBlockSeen = ReadShared(path_, onDisk);
    }
    int starts = 0, dispatched = 0;
    std::uint64_t total = ~0ull;
    Sizes advances;
    std::vector<int> turnsBeforeEachBlock;
    bool lastBlockSeen = false;
    std::string onDisk;

private:
    std::string path_;
    MessageProbe probe_{[this] { ++dispatched; }};
};

}  // namespace

TEST(RandomString, DrawsOnlyAndEveryAlphabetCharacter) {
    EXPECT_EQ(RandomString(0), "");
    std::string many = RandomString(20000);
    ASSERT_EQ(many.size(), 20000u);
    EXPECT_TRUE(AllInAlphabet(many));
    EXPECT_EQ(std::set<char>(many.begin(), many.end()).size(), kShredAlphabetLength);
    // Each call is seeded anew: calls within one timer tick must not repeat.
    std::set<std::string> draws;
    for (int i = 0; i < 50; ++i) draws.insert(RandomString(32));
    EXPECT_EQ(draws.size(), 50u);
}

// Every byte is overwritten with alphabet characters, block by block with a message
// loop turn before each, the length kept, before the delete; a read-only file too.
TEST(ShredFile, FilesOfEverySizeAreOverwrittenThenDeleted) {
    ScratchDir dir;
    const std::uint64_t large = 3 * kShredBlockSize + 1234;
    struct Case {
        std::string name, content;
        Sizes advances;
        std::vector<int> turns;
    } cases[] = {{"three.bin", std::string("\x01#\xff", 3), {3}, {0}},
                 {"empty.txt", "", {}, {}},
                 {"several blocks.dat", std::string(large, '\0'),
                  {kShredBlockSize, 2 * kShredBlockSize, 3 * kShredBlockSize, large}, {0, 1, 2, 3}}};
    for (const Case& c : cases) {
        std::string path = dir / c.name;
        WriteFileText(path, c.content);
        SetFileAttributesA(path.c_str(), c.name == "three.bin" ? FILE_ATTRIBUTE_READONLY : FILE_ATTRIBUTE_NORMAL);
        Recorder r(path);
        ShredOutcome out = ShredFile(path, &r);
        EXPECT_TRUE(out.shredded && out.reason.empty()) << c.name << ": " << out.reason;
        EXPECT_EQ(r.starts, 1);
        EXPECT_EQ(r.total, c.content.size());
        EXPECT_EQ(r.advances, c.advances) << c.name;
        EXPECT_EQ(r.turnsBeforeEachBlock, c.turns) << c.name;
        if (!c.content.empty()) {
            ASSERT_TRUE(r.lastBlockSeen) << c.name;
            EXPECT_EQ(r.onDisk.size(), c.content.size());  // never truncated or grown
            EXPECT_TRUE(AllInAlphabet(r.onDisk)) << c.name;
        }
        EXPECT_FALSE(PathExists(path)) << c.name;
    }
}

// Another program holds the file without sharing: nothing is written or deleted, and a
// read-only attribute that was lifted for the attempt is back.
TEST(ShredFile, FileHeldOpenByAnotherProgramStaysUntouched) {
    ScratchDir dir;
    std::string path = dir / "in use.txt";
    WriteFileText(path, "original content");
    ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE));
    HeldFile held(path);
    ASSERT_TRUE(held.Holding());
    Recorder r(path);
    ShredOutcome out = ShredFile(path, &r);
    EXPECT_FALSE(out.shredded || out.overwritten);
    EXPECT_NE(out.reason.find("in use"), std::string::npos) << out.reason;
    EXPECT_TRUE(r.advances.empty());
    EXPECT_EQ(held.Release(), 0u);
    EXPECT_EQ(ReadFileText(path), "original content");
    EXPECT_TRUE(GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_READONLY);
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
}

// Paths that are not one plain file by a full path: refused with a reason, and the
// file or folder they could be taken to mean is still there.
TEST(ShredFile, RefusesWhatIsNotAPlainFileByFullPath) {
    ScratchDir dir;
    std::string file = dir / "victim.txt", sub = dir / "folder";
    WriteFileText(file, "still here");
    ASSERT_TRUE(CreateDirectoryA(sub.c_str(), nullptr));
    WriteFileText(sub + "\\inside.txt", "inside");
    // A relative name that does exist in the working folder.
    char cwd[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, cwd);
    std::string relativeName = UniqueName("relative") + ".txt", relativeFull = std::string(cwd) + "\\" + relativeName;
    WriteFileText(relativeFull, "relative");
    const std::pair<std::string, std::string> cases[] = {
        {"", "No file"},
        {sub, "folder"},
        {sub + "\\", "folder"},
        {dir / "missing.txt", "no file"},
        {relativeName, "full path"},
        {file.substr(2), "full path"},                    // rooted, without its drive
        {file.substr(0, 2) + "victim.txt", "full path"},  // drive-relative
        {sub + "\\..\\victim.txt", "parts"},
        {"\"" + file + "\"", "characters"},  // quotes are part of the text
        {file + ":stream", "characters"},
        {"\\\\?\\" + file, "Device"},
        {"\\\\.\\" + file, "Device"},
        {dir / "NUL", "device"},
    };
    for (const auto& [path, reasonPart] : cases) {
        Recorder r(path);
        ShredOutcome out = ShredFile(path, &r);
        EXPECT_FALSE(out.shredded || out.overwritten) << path;
        EXPECT_NE(out.reason.find(reasonPart), std::string::npos) << path << ": " << out.reason;
        EXPECT_EQ(r.starts, 0) << path;
    }
    EXPECT_EQ(ReadFileText(file), "still here");
    EXPECT_EQ(ReadFileText(sub + "\\inside.txt"), "inside");
    EXPECT_EQ(ReadFileText(relativeFull), "relative");
    DeleteFileA(relativeFull.c_str());
}

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
