// Shredding real files in the sandbox: what is written before the delete, what is
// refused and left in place.
#include <windows.h>

#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "HeldFile.h"
#include "TestSupport.h"
#include "shredder/modShredFile.h"

using namespace testing_support;
using namespace shredder;

namespace {

bool AllInAlphabet(const std::string& text) {
    return text.find_first_not_of(std::string(kShredAlphabet, kShredAlphabetLength)) ==
           std::string::npos;
}

// Reads a file that the shredder holds open, with every sharing flag.
bool ReadShared(const std::string& path, std::string& content) {
    HANDLE h = CreateFileA(path.c_str(), GENERIC_READ,
                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, 0, nullptr);
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
// Each block is also marked by a posted message, which must be dispatched by the
// message-loop turn before the next block.
class Recorder : public ShredProgress {
public:
    explicit Recorder(std::string path) : path_(std::move(path)) {
        WNDCLASSA wc{};
        wc.lpfnWndProc = Proc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "GfShredRecorder";
        RegisterClassA(&wc);
        window_ = CreateWindowExA(0, wc.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                  wc.hInstance, nullptr);
        SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    ~Recorder() override { DestroyWindow(window_); }

    void Start(std::uint64_t total) override {
        ++starts;
        this->total = total;
    }
    void Advance(std::uint64_t done) override {
        turnsBeforeEachBlock.push_back(dispatched);
        advances.push_back(done);
        PostMessageA(window_, WM_APP, 0, 0);
        if (done == total) lastBlockSeen = ReadShared(path_, onDisk);
    }

    int starts = 0;
    std::uint64_t total = ~0ull;
    std::vector<std::uint64_t> advances;
    std::vector<int> turnsBeforeEachBlock;
    bool lastBlockSeen = false;
    std::string onDisk;

private:
    static LRESULT CALLBACK Proc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
        if (msg == WM_APP) {
            reinterpret_cast<Recorder*>(GetWindowLongPtrA(h, GWLP_USERDATA))->dispatched++;
            return 0;
        }
        return DefWindowProcA(h, msg, wp, lp);
    }
    std::string path_;
    HWND window_ = nullptr;
    int dispatched = 0;
};

DWORD Attributes(const std::string& path) { return GetFileAttributesA(path.c_str()); }

}  // namespace

TEST(RandomString, DrawsOnlyAndEveryAlphabetCharacter) {
    EXPECT_EQ(RandomString(0), "");
    EXPECT_EQ(RandomString(1).size(), 1u);
    std::string many = RandomString(20000);
    ASSERT_EQ(many.size(), 20000u);
    EXPECT_TRUE(AllInAlphabet(many));
    EXPECT_EQ(std::set<char>(many.begin(), many.end()).size(), kShredAlphabetLength);
    // Each call is seeded anew: calls within one timer tick must not repeat.
    std::set<std::string> draws;
    for (int i = 0; i < 50; ++i) draws.insert(RandomString(32));
    EXPECT_EQ(draws.size(), 50u);
}

TEST(ShredFile, SmallEmptyAndReadOnlyFilesAreOverwrittenThenDeleted) {
    ScratchDir dir;
    std::string three = dir / "three.bin";
    WriteFileText(three, std::string("\x01#\xff", 3));
    ASSERT_TRUE(SetFileAttributesA(three.c_str(), FILE_ATTRIBUTE_READONLY));
    Recorder r3(three);
    ShredOutcome out = ShredFile(three, &r3);
    EXPECT_TRUE(out.shredded) << out.reason;
    EXPECT_TRUE(out.reason.empty());
    EXPECT_EQ(r3.starts, 1);
    EXPECT_EQ(r3.total, 3u);
    EXPECT_EQ(r3.advances, std::vector<std::uint64_t>{3});
    ASSERT_TRUE(r3.lastBlockSeen);
    EXPECT_EQ(r3.onDisk.size(), 3u);
    EXPECT_TRUE(AllInAlphabet(r3.onDisk)) << r3.onDisk;
    EXPECT_FALSE(PathExists(three));

    std::string empty = dir / "empty.txt";
    WriteFileText(empty, "");
    Recorder r0(empty);
    out = ShredFile(empty, &r0);
    EXPECT_TRUE(out.shredded) << out.reason;
    EXPECT_EQ(r0.total, 0u);
    EXPECT_TRUE(r0.advances.empty());
    EXPECT_FALSE(PathExists(empty));
}

TEST(ShredFile, LargeFileIsOverwrittenBlockByBlockKeepingItsLength) {
    ScratchDir dir;
    std::string path = dir / "several blocks.dat";
    const std::uint64_t length = 3 * kShredBlockSize + 1234;
    WriteFileText(path, std::string(length, '\0'));
    Recorder r(path);
    ShredOutcome out = ShredFile(path, &r);
    EXPECT_TRUE(out.shredded) << out.reason;
    EXPECT_EQ(r.total, length);
    EXPECT_EQ(r.advances, (std::vector<std::uint64_t>{kShredBlockSize, 2 * kShredBlockSize,
                                                      3 * kShredBlockSize, length}));
    // The message loop ran before every block: each earlier block's message was handled.
    EXPECT_EQ(r.turnsBeforeEachBlock, (std::vector<int>{0, 1, 2, 3}));
    ASSERT_TRUE(r.lastBlockSeen);
    EXPECT_EQ(r.onDisk.size(), length);  // never truncated or grown
    EXPECT_TRUE(AllInAlphabet(r.onDisk));
    EXPECT_FALSE(PathExists(path));
}

// Another program holds the file without sharing: nothing is written or deleted, and a
// read-only attribute that was lifted for the attempt is back.
TEST(ShredFile, FileHeldOpenByAnotherProgramStaysUntouched) {
    ScratchDir dir;
    std::string path = dir / "in use.txt";
    WriteFileText(path, "original content");
    ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE));

    shredder_tests::HeldFile held(path);
    ASSERT_TRUE(held.Holding());

    Recorder r(path);
    ShredOutcome out = ShredFile(path, &r);
    EXPECT_FALSE(out.shredded);
    EXPECT_FALSE(out.overwritten);
    EXPECT_NE(out.reason.find("in use"), std::string::npos) << out.reason;
    EXPECT_TRUE(r.advances.empty());

    EXPECT_EQ(held.Release(), 0u);

    EXPECT_EQ(ReadFileText(path), "original content");
    EXPECT_TRUE(Attributes(path) & FILE_ATTRIBUTE_READONLY);
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
}

// Paths that are not one plain file by a full path: refused with a reason, and the
// file or folder they could be taken to mean is still there.
TEST(ShredFile, RefusesWhatIsNotAPlainFileByFullPath) {
    ScratchDir dir;
    std::string file = dir / "victim.txt";
    WriteFileText(file, "still here");
    std::string sub = dir / "folder";
    ASSERT_TRUE(CreateDirectoryA(sub.c_str(), nullptr));
    WriteFileText(sub + "\\inside.txt", "inside");

    // A relative name that does exist in the working folder.
    char cwd[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, cwd);
    std::string relativeName = UniqueName("relative") + ".txt";
    std::string relativeFull = std::string(cwd) + "\\" + relativeName;
    WriteFileText(relativeFull, "relative");

    struct Case {
        std::string path, reasonPart;
    };
    const std::vector<Case> cases = {
        {"", "No file"},
        {sub, "folder"},
        {sub + "\\", "folder"},
        {dir / "missing.txt", "no file"},
        {relativeName, "full path"},
        {file.substr(2), "full path"},                 // rooted, without its drive
        {file.substr(0, 2) + "victim.txt", "full path"},  // drive-relative
        {sub + "\\..\\victim.txt", "parts"},
        {"\"" + file + "\"", "characters"},          // quotes are part of the text
        {file + ":stream", "characters"},
        {"\\\\?\\" + file, "Device"},
        {"\\\\.\\" + file, "Device"},
        {dir / "NUL", "device"},
    };
    for (const Case& c : cases) {
        Recorder r(c.path);
        ShredOutcome out = ShredFile(c.path, &r);
        EXPECT_FALSE(out.shredded) << c.path;
        EXPECT_FALSE(out.overwritten) << c.path;
        EXPECT_NE(out.reason.find(c.reasonPart), std::string::npos) << c.path << ": " << out.reason;
        EXPECT_EQ(r.starts, 0) << c.path;
    }
    EXPECT_EQ(ReadFileText(file), "still here");
    EXPECT_EQ(ReadFileText(sub + "\\inside.txt"), "inside");
    EXPECT_EQ(ReadFileText(relativeFull), "relative");
    DeleteFileA(relativeFull.c_str());
}
