// The shredder on real files in the sandbox: what is written before the delete, what
// is refused and left in place (a link from links_setup.sh too); the Explorer verb in
// the prefix's real HKEY_CLASSES_ROOT (removed again by every test); the shred start
// as a user meets it (the question, the file gone or kept, the messages for what
// cannot be shredded, answered from a second thread); and the progress window: what it
// shows, its animation read back as pixels, hiding, a progress bar for files beyond
// 2 GiB.
// GF_EXCLUSIVE_DISPLAY
// GF_EXCLUSIVE_PROFILE: the shred verb is one machine-wide key.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <vector>

#include "DialogWatcher.h"
#include "HostWindow.h"
#include "Process.h"
#include "TestSupport.h"
#include "framework/Form.h"
#include "shredder/ShredCommand.h"
#include "shredder/ShredVerb.h"
#include "shredder/frmShred.h"
#include "shredder/modShredFile.h"

using namespace testing_support;
using namespace shredder;
using Sizes = std::vector<std::uint64_t>;

namespace {

bool AllInAlphabet(const std::string& text) {
    return std::all_of(text.begin(), text.end(), [](char c) {
        return c >= kShredAlphabet[0] && c <= kShredAlphabet[kShredAlphabetLength - 1];
    });
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

// Records the progress and, at the last report, what the file then holds on disk; and
// how many messages of a fast timer the message loop has handled by each report.
class Recorder : public ShredProgress {
public:
    explicit Recorder(std::string path) : path_(std::move(path)) { ticks = 0; }
    ~Recorder() { KillTimer(nullptr, timer_); }
    void Start(std::uint64_t size) override {
        ++starts;
        total = size;
    }
    void Advance(std::uint64_t done) override {
        advances.push_back(done);
        ticksAtAdvance.push_back(ticks);
        if (done == total) lastBlockSeen = ReadShared(path_, onDisk);
    }
    static inline int ticks = 0;
    int starts = 0;
    std::uint64_t total = ~0ull;
    Sizes advances;
    std::vector<int> ticksAtAdvance;
    bool lastBlockSeen = false;
    std::string onDisk;

private:
    std::string path_;
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) { ++ticks; }
    UINT_PTR timer_ = SetTimer(nullptr, 0, USER_TIMER_MINIMUM, Tick);
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

// Every byte is overwritten with alphabet characters, the length kept, before the
// delete; a read-only file too. While a large file is being written the message loop
// turns and the progress moves (by time: a few reports, not one per block).
TEST(ShredFile, FilesOfEverySizeAreOverwrittenThenDeleted) {
    ScratchDir dir;
    const std::uint64_t large = 256 * kShredBlockSize + 1234;
    struct Case {
        std::string name, content;
    } cases[] = {{"three.bin", std::string("\x01#\xff", 3)}, {"empty.txt", ""}, {"large.dat", std::string(large, '\0')}};
    for (const Case& c : cases) {
        std::string path = dir / c.name;
        WriteFileText(path, c.content);
        SetFileAttributesA(path.c_str(), c.name == "three.bin" ? FILE_ATTRIBUTE_READONLY : FILE_ATTRIBUTE_NORMAL);
        Recorder r(path);
        ShredOutcome out = ShredFile(Wide(path), &r);
        EXPECT_TRUE(out.shredded && out.reason.empty()) << c.name << ": " << out.reason;
        EXPECT_EQ(r.starts, 1);
        EXPECT_EQ(r.total, c.content.size());
        ASSERT_FALSE(r.advances.empty()) << c.name;
        EXPECT_TRUE(std::is_sorted(r.advances.begin(), r.advances.end())) << c.name;
        EXPECT_EQ(r.advances.back(), c.content.size()) << c.name;
        if (c.content.size() == large) {
            EXPECT_LT(r.advances.size(), large / kShredBlockSize);
            auto midway = std::find_if(r.advances.begin(), r.advances.end(),
                                       [&](std::uint64_t done) { return done > 0 && done < large; });
            ASSERT_NE(midway, r.advances.end()) << "no progress while writing";
            EXPECT_GT(r.ticksAtAdvance[midway - r.advances.begin()], 0) << "no timer message while writing";
        }
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
    ShredOutcome out = ShredFile(Wide(path), &r);
    EXPECT_FALSE(out.shredded || out.overwritten);
    EXPECT_NE(out.reason.find("in use"), std::string::npos) << out.reason;
    EXPECT_TRUE(r.advances.empty());
    EXPECT_EQ(held.Release(), 0u);
    EXPECT_EQ(ReadFileText(path), "original content");
    EXPECT_TRUE(GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_READONLY);
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
}

// Paths that are not one plain file by a full path: refused with a reason, and the
// file or folder they could be taken to mean is still there (more cases, shared with
// the shred start, in WhatCannotBeShreddedIsRefusedWithAMessage).
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
        {sub + "\\", "folder"},
        {relativeName, "full path"},
        {file.substr(2), "full path"},                    // rooted, without its drive
        {file.substr(0, 2) + "victim.txt", "full path"},  // drive-relative
        {sub + "\\..\\victim.txt", "parts"},
        {file + ":stream", "characters"},
        {"\\\\?\\" + file, "Device"},
        {"\\\\.\\" + file, "Device"},
    };
    for (const auto& [path, reasonPart] : cases) {
        Recorder r(path);
        ShredOutcome out = ShredFile(Wide(path), &r);
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
    EXPECT_EQ(std::string(data), std::string("\"").append(exe).append("\" %1"));
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

namespace {

// Titles of the windows this thread activates (shown windows take the activation).
std::vector<std::string> g_activated;
LRESULT CALLBACK RecordActivation(int code, WPARAM wp, LPARAM lp) {
    if (code == HCBT_ACTIVATE) {
        char title[256] = {};
        GetWindowTextA(reinterpret_cast<HWND>(wp), title, sizeof title);
        g_activated.push_back(title);
    }
    return CallNextHookEx(nullptr, code, wp, lp);
}

// Runs the shred start with the boxes answered; whether the progress window showed.
bool RunAnswered(const std::string& commandLine, std::vector<int> answers, std::vector<SeenDialog>& seen,
                 bool expectShredded) {
    g_activated.clear();
    HHOOK hook = SetWindowsHookExA(WH_CBT, RecordActivation, nullptr, GetCurrentThreadId());
    DialogWatcher watcher(std::move(answers));
    EXPECT_EQ(RunShredCommand(Wide(commandLine)), expectShredded) << commandLine;
    UnhookWindowsHookEx(hook);
    seen = watcher.Seen();
    return std::count(g_activated.begin(), g_activated.end(), "Quorrin Shredder") > 0;
}

bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

}  // namespace

TEST(RunShredCommand, YesShredsAPathWithSpacesUnderTheProgressWindowAndNoKeepsTheFile) {
    ScratchDir dir;
    std::string path = dir / "my secret plans.txt";
    WriteFileText(path, std::string(2 * shredder::kShredBlockSize + 99, 'x'));
    std::vector<SeenDialog> seen;
    EXPECT_TRUE(RunAnswered(path, {IDYES}, seen, true));
    EXPECT_FALSE(PathExists(path));
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].title, "Glimmerfold File Shredder");
    EXPECT_EQ(seen[0].text, "Do you want to Shred " + path + "?");
    EXPECT_EQ(seen[0].buttons, (std::vector<int>{IDYES, IDNO}));
    EXPECT_EQ(seen[0].defaultButton, IDYES);
    EXPECT_EQ(seen[0].icon, nullptr);
    EXPECT_EQ(gf::Form::LoadedCount(), 0);  // the progress window is unloaded

    std::string keep = dir / "keep.txt";
    WriteFileText(keep, "keep");
    EXPECT_FALSE(RunAnswered(keep, {IDNO}, seen, false));
    EXPECT_EQ(ReadFileText(keep), "keep");
    EXPECT_EQ(seen.size(), 1u);
}

// A folder, a quoted path (quotes are part of the command line), a missing file, device
// names and a Unix link to a file (which Wine shows as a plain file) are refused with a
// message instead of the question; a file held open by another program is asked about,
// then kept with a message saying why. Nothing is touched: real files under the device
// names, made by their exact names, and the link's target stay.
TEST(RunShredCommand, WhatCannotBeShreddedIsRefusedWithAMessage) {
    ScratchDir dir;
    std::string file = dir / "quoted.txt", folder = dir / "folder", held = dir / "open elsewhere.doc";
    const std::string links = ExeFolder() + "\\shredlinks\\", exact = "\\\\?\\" + dir.Path() + "\\";
    for (const char* device : {"CON", "nul.txt"}) WriteFileText(exact + device, device);
    WriteFileText(file, "quoted");
    CreateDirectoryA(folder.c_str(), nullptr);
    WriteFileText(folder + "\\inside.txt", "inside");
    WriteFileText(held, "still secret");
    HeldFile holder(held);
    ASSERT_TRUE(holder.Holding());
    struct Case {
        std::string commandLine, reasonPart, verdict = "cannot be shredded";
        std::vector<int> answers{IDOK};
    };
    for (const Case& c : {Case{folder, "folder"}, Case{"\"" + file + "\"", "characters"},
                          Case{dir / "missing.txt", "no file"}, Case{dir / "CON", "device"},
                          Case{dir / "nul.txt", "device"}, Case{links + "filelink.txt", "link"},
                          Case{links + "target.txt ", "link"},
                          Case{held, "in use", "could not be shredded", {IDYES, IDOK}}}) {
        std::vector<SeenDialog> seen;
        RunAnswered(c.commandLine, c.answers, seen, false);
        ASSERT_EQ(seen.size(), c.answers.size()) << c.commandLine;
        const SeenDialog& last = seen.back();
        EXPECT_EQ(last.title, "Glimmerfold File Shredder");
        EXPECT_EQ(last.buttons, std::vector<int>{IDOK}) << c.commandLine;
        for (const std::string& part : {c.verdict, c.commandLine, c.reasonPart})
            EXPECT_TRUE(Has(last.text, part)) << part << " not in: " << last.text;
    }
    EXPECT_EQ(holder.Release(), 0u);
    EXPECT_EQ(ReadFileText(held), "still secret");
    EXPECT_EQ(ReadFileText(file), "quoted");
    EXPECT_EQ(ReadFileText(folder + "\\inside.txt"), "inside");
    for (const char* device : {"CON", "nul.txt"}) EXPECT_EQ(ReadFileText(exact + device), device);
    EXPECT_EQ(ReadFileText(links + "target.txt"), "target\n");
    EXPECT_TRUE(PathExists(links + "filelink.txt"));
}

namespace {

// The window's client pixels under a control, as drawn on the window.
std::vector<COLORREF> Pixels(const frmShred& f, const gf::Control& c) {
    int x0 = gf::TwipsToPixelsX(c.Left()), y0 = gf::TwipsToPixelsY(c.Top());
    int w = gf::TwipsToPixelsX(c.Width()), h = gf::TwipsToPixelsY(c.Height());
    std::vector<COLORREF> pixels;
    HDC dc = GetDC(f.Hwnd());
    for (int y = y0; y < y0 + h; ++y)
        for (int x = x0; x < x0 + w; ++x) pixels.push_back(GetPixel(dc, x, y));
    ReleaseDC(f.Hwnd(), dc);
    return pixels;
}

std::size_t Colours(const std::vector<COLORREF>& pixels) {
    return std::set<COLORREF>(pixels.begin(), pixels.end()).size();
}

class ShredWindow : public ::testing::Test {
protected:
    void SetUp() override { gf::Screen::OverrideTwipsPerPixel(15, 15); }
    void TearDown() override { gf::Screen::OverrideTwipsPerPixel(0, 0); }
};

}  // namespace

TEST_F(ShredWindow, ShowsTheWholeCommandLineAndAnimatesTheShredder) {
    const std::string commandLine = "\"D:\\My Files\\plans.txt\" and more";
    frmShred f(Wide(commandLine));
    EXPECT_EQ(f.lblFile.Caption(), "");  // set when the window loads
    f.Show();
    PumpFor(100);
    EXPECT_EQ(f.lblFile.Caption(), commandLine);
    EXPECT_TRUE(f.Image1.Visible());
    EXPECT_FALSE(f.Image2.Visible());

    std::vector<COLORREF> first = Pixels(f, f.Image1);
    EXPECT_GT(Colours(first), 20u);  // a drawn picture, not a plain fill
    ASSERT_TRUE(PumpUntil([&] { return f.Image2.Visible() && !f.Image1.Visible(); }, 3000));
    PumpFor(50);
    std::vector<COLORREF> second = Pixels(f, f.Image2);
    EXPECT_GT(Colours(second), 20u);
    EXPECT_NE(first, second);  // the other frame is on the screen
    ASSERT_TRUE(PumpUntil([&] { return f.Image1.Visible() && !f.Image2.Visible(); }, 3000));
    PumpFor(50);
    EXPECT_EQ(Pixels(f, f.Image1), first);

    EXPECT_GT(Colours(Pixels(f, f.Image3)), 3u);
    f.Unload();
}

// The hide picture (with its tool tip) and the close box both only hide: the shredding
// still has the window to report to, and unloads it when done.
TEST_F(ShredWindow, HidePictureAndCloseBoxHideWithoutUnloading) {
    frmShred f(L"D:\\x.txt");
    f.Show();
    PumpFor(50);
    HWND tips = FindWindowExA(nullptr, nullptr, TOOLTIPS_CLASSA, nullptr);
    while (tips && GetWindow(tips, GW_OWNER) != f.Hwnd()) tips = FindWindowExA(nullptr, tips, TOOLTIPS_CLASSA, nullptr);
    ASSERT_NE(tips, nullptr);
    char text[80] = {};
    TTTOOLINFOA tool{TTTOOLINFOA_V2_SIZE};
    tool.lpszText = text;
    SendMessageA(tips, TTM_ENUMTOOLSA, 0, reinterpret_cast<LPARAM>(&tool));
    EXPECT_STREQ(text, "Hide This Window");
    SendClick(f.Hwnd(), gf::TwipsToPixelsX(f.Image3.Left() + 100), gf::TwipsToPixelsY(f.Image3.Top() + 100));
    EXPECT_FALSE(f.Visible());
    EXPECT_TRUE(f.Loaded());

    f.Show();
    SendMessageA(f.Hwnd(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(f.Visible());
    EXPECT_TRUE(f.Loaded());
    f.Advance(1);  // still safe to report to

    EXPECT_TRUE(f.Unload());
    EXPECT_FALSE(f.Loaded());
}

TEST_F(ShredWindow, ProgressBarFollowsFilesBeyondTwoGigabytes) {
    frmShred f(L"D:\\big.iso");
    f.Show();
    const std::uint64_t total = 5ull << 30, done = 3ull << 30;
    f.Start(total);
    EXPECT_EQ(f.pgbShred.Value(), 0);
    f.Advance(done);
    EXPECT_EQ(f.pgbShred.Value(), static_cast<double>(done));
    // The common control itself stands at three fifths of its range.
    HWND bar = f.pgbShred.Hwnd();
    PBRANGE range{};
    SendMessageA(bar, PBM_GETRANGE, FALSE, reinterpret_cast<LPARAM>(&range));
    double position = static_cast<double>(SendMessageA(bar, PBM_GETPOS, 0, 0));
    ASSERT_GT(range.iHigh, range.iLow);
    EXPECT_NEAR((position - range.iLow) / (range.iHigh - range.iLow), 0.6, 0.01);

    f.Advance(total);
    EXPECT_EQ(SendMessageA(bar, PBM_GETPOS, 0, 0), range.iHigh);
    f.Unload();
}
