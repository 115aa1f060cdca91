// The shredder on real files in the sandbox: what the disk holds before the delete; what
// is refused before the question and left as it is (links from links_setup.sh too); the
// shred start as a user meets it (the question, the progress window, the messages,
// answered from a second thread), on disks that fail too (disks_setup.sh); the Explorer
// verb in the prefix's real HKEY_CLASSES_ROOT; and the progress window itself.
// GF_EXCLUSIVE_DISPLAY
// GF_EXCLUSIVE_PROFILE: the shred verb is one machine-wide key.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <set>
#include <vector>

#include "DialogWatcher.h"
#include "HostWindow.h"
#include "Process.h"
#include "TestSupport.h"
#include "framework/Form.h"
#include "framework/Handles.h"
#include "shredder/ShredCommand.h"
#include "shredder/ShredVerb.h"
#include "shredder/frmShred.h"
#include "shredder/modShredFile.h"

using namespace testing_support;
using namespace shredder;

namespace {

bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

bool AllInAlphabet(const std::string& text) {
    return std::all_of(text.begin(), text.end(), [](char c) {
        return c >= kShredAlphabet[0] && c <= kShredAlphabet[kShredAlphabetLength - 1];
    });
}

// What a file holds now, read beside the shredder's own handles.
std::string ReadShared(const std::string& path) {
    gf::FileHandle h(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                 nullptr, OPEN_EXISTING, 0, nullptr));
    LARGE_INTEGER size{};
    if (!h || !GetFileSizeEx(h.Get(), &size)) return "<unreadable>";
    std::string content(static_cast<std::size_t>(size.QuadPart), '\0');
    DWORD got = 0;
    if (!content.empty()) ReadFile(h.Get(), content.data(), static_cast<DWORD>(content.size()), &got, nullptr);
    return got == content.size() ? content : "<short read>";
}

// Makes the file this long, with zeros that take no room on the disk (a sparse file).
void Extend(const std::string& path, std::uint64_t size) {
    gf::FileHandle h(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS, 0, nullptr));
    LARGE_INTEGER at;
    at.QuadPart = static_cast<LONGLONG>(size);
    ASSERT_TRUE(SetFilePointerEx(h.Get(), at, nullptr, FILE_BEGIN) && SetEndOfFile(h.Get())) << path;
}

// The progress, what the file holds at the report of its whole length, and how many
// messages of a fast timer the message loop had handled by each report.
struct Recorder : ShredProgress {
    explicit Recorder(std::string file) : path(std::move(file)) { ticks = 0; }
    ~Recorder() override { KillTimer(nullptr, timer); }
    void Start(std::uint64_t size) override {
        ++starts;
        total = size;
    }
    void Advance(std::uint64_t done) override {
        advances.push_back(done);
        ticksAt.push_back(ticks);
        if (done == total && total < (1ull << 30)) atEnd = ReadShared(path);
    }
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) { ++ticks; }
    static inline int ticks = 0;
    std::string path, atEnd = "<no report of the whole length>";
    int starts = 0;
    std::uint64_t total = ~0ull;
    std::vector<std::uint64_t> advances;
    std::vector<int> ticksAt;
    UINT_PTR timer = SetTimer(nullptr, 0, USER_TIMER_MINIMUM, Tick);
};

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

struct ShredStart {
    bool shredded = false, progressShown = false;
    std::vector<SeenDialog> seen;
};

// The shred start with its boxes answered in turn.
ShredStart RunAnswered(const std::string& commandLine, std::vector<int> answers) {
    g_activated.clear();
    HHOOK hook = SetWindowsHookExA(WH_CBT, RecordActivation, nullptr, GetCurrentThreadId());
    DialogWatcher watcher(std::move(answers));
    ShredStart start;
    start.shredded = RunShredCommand(Wide(commandLine));
    UnhookWindowsHookEx(hook);
    start.seen = watcher.Seen();
    start.progressShown = std::count(g_activated.begin(), g_activated.end(), "Quorrin Shredder") > 0;
    return start;
}

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

// Every byte is overwritten with alphabet characters, the length kept, and only then is
// the file deleted; a read-only file named by its short name too, and one named in other
// letter cases. While a large file is written the message loop turns and the progress
// moves by time: a few reports, not one per block. A machine may write the file before
// the first report is due: the file then grows until its writing outlasts one.
TEST(ShredFile, DeletesOnlyAfterEveryByteIsOverwritten) {
    ScratchDir dir;
    const std::string path = dir / "shred me.bin";
    bool midway = false;
    for (std::uint64_t size : {3ull, 0ull, (256ull << 20) + 1234, (1ull << 30) + 1234, (4ull << 30) + 1234}) {
        if (midway) break;
        SCOPED_TRACE(size);
        WriteFileText(path, size == 3 ? std::string("\x01#\xff", 3) : std::string());
        if (size > 3) Extend(path, size);
        SetFileAttributesA(path.c_str(), size == 3 ? FILE_ATTRIBUTE_READONLY : FILE_ATTRIBUTE_NORMAL);
        char shortName[MAX_PATH] = {};
        ASSERT_TRUE(GetShortPathNameA(path.c_str(), shortName, MAX_PATH));
        Recorder r(path);
        ShredOutcome out = ShredFile(Wide(size == 3 ? shortName : size == 0 ? dir / "SHRED ME.BIN" : path), &r);
        EXPECT_TRUE(out.shredded && out.reason.empty()) << out.reason;
        EXPECT_EQ(r.starts, 1);
        EXPECT_EQ(r.total, size);
        ASSERT_FALSE(r.advances.empty());
        EXPECT_TRUE(std::is_sorted(r.advances.begin(), r.advances.end()));
        EXPECT_EQ(r.advances.back(), size);
        if (size > 0 && size < (1ull << 30)) {
            EXPECT_EQ(r.atEnd.size(), size);  // never truncated or grown
            EXPECT_TRUE(AllInAlphabet(r.atEnd));
        }
        if (size > kShredBlockSize) {
            EXPECT_LT(r.advances.size(), size / kShredBlockSize);
            for (std::size_t i = 0; i < r.advances.size(); ++i)
                midway |= r.advances[i] > 0 && r.advances[i] < size && r.ticksAt[i] > 0;
        }
        EXPECT_FALSE(PathExists(path));
    }
    EXPECT_TRUE(midway) << "no progress, or no timer message, while writing even the largest file";
}

TEST(RunShredCommand, AsksThenYesShredsUnderTheProgressWindowAndNoKeepsTheFile) {
    ScratchDir dir;
    const std::string path = dir / "my secret plans.txt", content(2 * kShredBlockSize + 99, 'x');
    for (int answer : {IDYES, IDNO}) {
        WriteFileText(path, content);
        ShredStart s = RunAnswered(path, {answer});
        ASSERT_EQ(s.seen.size(), 1u);
        EXPECT_EQ(s.seen[0].title, "Glimmerfold File Shredder");
        EXPECT_EQ(s.seen[0].text, "Do you want to Shred " + path + "?");
        EXPECT_EQ(s.seen[0].buttons, (std::vector<int>{IDYES, IDNO}));
        EXPECT_EQ(s.seen[0].defaultButton, IDYES);
        EXPECT_EQ(s.seen[0].icon, nullptr);
        EXPECT_EQ(s.shredded, answer == IDYES);
        EXPECT_EQ(s.progressShown, answer == IDYES);
        EXPECT_EQ(ReadFileText(path), answer == IDYES ? "" : content);
        EXPECT_EQ(gf::Form::LoadedCount(), 0);  // the progress window is unloaded
    }
}

// What is not one plain file named by a full path under its own name is refused before
// the question with a message naming it and why, and ShredFile refuses it on its own
// before it opens anything for writing: a folder, relative and drive-less paths, "..",
// a stream, a quoted path (quotes are part of the command line), device paths and
// names, a missing file, Unix links to a file (Wine shows them as plain files): one
// named as its target but for a trailing space, one to a target in a folder whose name
// differs in letter case alone; a second name (hard link) of a file in another folder; a
// name that two files of the folder bear in different letter cases. A file another
// program writes to is asked about, then kept, read-only still, with a
// message saying why. Real files under the device names (made by their exact names),
// every name of the linked files and every other file stay as they were.
TEST(RunShredCommand, WhatCannotBeShreddedIsRefusedAndLeftAsItIs) {
    ScratchDir dir;
    const std::string file = dir / "victim.txt", folder = dir / "folder", held = dir / "open elsewhere.doc";
    const std::string links = ExeFolder() + "\\shredlinks\\", exact = "\\\\?\\" + dir.Path() + "\\";
    const std::string relative = UniqueName("relative") + ".txt";
    char cwd[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, cwd);
    const std::string untouched[] = {file, folder + "\\inside.txt", held, std::string(cwd) + "\\" + relative,
                                     exact + "CON", exact + "nul.txt"};
    CreateDirectoryA(folder.c_str(), nullptr);
    for (const std::string& f : untouched) WriteFileText(f, f);
    HeldFile holder(held, "writer");
    ASSERT_TRUE(holder.Holding());
    SetFileAttributesA(held.c_str(), FILE_ATTRIBUTE_READONLY);
    struct Case {
        std::string commandLine, reasonPart, verdict = "cannot be shredded";
        std::vector<int> answers{IDOK};
    };
    for (const Case& c : {Case{"", "No file"}, Case{folder, "folder"}, Case{folder + "\\", "folder"},
                          Case{relative, "full path"}, Case{file.substr(2), "full path"},
                          Case{file.substr(0, 2) + "victim.txt", "full path"},
                          Case{folder + "\\..\\victim.txt", "parts"}, Case{file + ":stream", "characters"},
                          Case{"\"" + file + "\"", "characters"}, Case{"\\\\?\\" + file, "Device"},
                          Case{"\\\\.\\" + file, "Device"}, Case{dir / "missing.txt", "no file"},
                          Case{dir / "CON", "device"}, Case{dir / "nul.txt", "device"},
                          Case{links + "filelink.txt", "link"}, Case{links + "target.txt ", "link"},
                          Case{links + "t\\a.txt", "link"}, Case{links + "hard.txt", "more than one name"},
                          Case{links + "TWIN.TXT", "letter cases"},
                          Case{held, "in use", "could not be shredded", {IDYES, IDOK}}}) {
        SCOPED_TRACE("[" + c.commandLine + "]");
        Recorder r(c.commandLine);
        ShredOutcome out = ShredFile(Wide(c.commandLine), &r);
        EXPECT_FALSE(out.shredded || out.overwritten);
        EXPECT_TRUE(Has(out.reason, c.reasonPart)) << out.reason;
        EXPECT_EQ(r.starts, 0);
        ShredStart s = RunAnswered(c.commandLine, c.answers);
        EXPECT_FALSE(s.shredded);
        EXPECT_EQ(s.progressShown, c.answers.size() > 1);  // shown for what was asked about only
        ASSERT_EQ(s.seen.size(), c.answers.size());
        EXPECT_EQ(s.seen.back().title, "Glimmerfold File Shredder");
        EXPECT_EQ(s.seen.back().buttons, std::vector<int>{IDOK});
        for (const std::string& part : {c.verdict, c.commandLine, c.reasonPart})
            EXPECT_TRUE(Has(s.seen.back().text, part)) << part << " not in: " << s.seen.back().text;
    }
    EXPECT_EQ(holder.Release(), 0u);
    EXPECT_TRUE(GetFileAttributesA(held.c_str()) & FILE_ATTRIBUTE_READONLY);
    SetFileAttributesA(held.c_str(), FILE_ATTRIBUTE_NORMAL);
    for (const std::string& f : untouched) EXPECT_EQ(ReadFileText(f), f);
    for (const auto& [name, text] : std::vector<std::pair<std::string, std::string>>{
             {"target.txt", "target\n"}, {"T\\a.txt", "upper\n"}, {"keep\\c3.txt", "kept\n"}, {"hard.txt", "kept\n"},
             {"Twin.txt", "one\n"}, {"twin.txt", "two\n"}})
        EXPECT_EQ(ReadFileText(links + name), text) << name;
    EXPECT_TRUE(PathExists(links + "filelink.txt"));
    DeleteFileA(untouched[3].c_str());
}

// A file that another program holds open for reading with every sharing (a viewer, an
// indexer) is overwritten and marked for deletion, but its name stays until that
// program lets go: the user is told so, not that it was shredded.
TEST(RunShredCommand, SaysTheNameStaysWhileAnotherProgramHoldsTheFile) {
    ScratchDir dir;
    const std::string path = dir / "viewed.txt";
    WriteFileText(path, "secret");
    HeldFile viewer(path, "shared");
    ASSERT_TRUE(viewer.Holding());
    ShredStart s = RunAnswered(path, {IDYES, IDOK});
    EXPECT_FALSE(s.shredded);
    ASSERT_EQ(s.seen.size(), 2u);
    for (const std::string& part :
         {std::string("overwritten but is still there"), path, std::string("another program")})
        EXPECT_TRUE(Has(s.seen[1].text, part)) << part << " not in: " << s.seen[1].text;
    const std::string now = ReadShared(path);  // Wine still opens a file whose deletion waits
    EXPECT_TRUE(now.size() == 6 && AllInAlphabet(now)) << now;
    EXPECT_EQ(viewer.Release(), 0u);
    EXPECT_FALSE(PathExists(path));
}

// On the small disks of disks_setup.sh the overwrite fails for real: a write finds the
// disk full; a flush while writing finds that blocks written could not reach the disk,
// though the last flush succeeds. The file stays as long as it was, read-only again, is
// not reported shredded, and the user is told how far the overwrite got.
TEST(RunShredCommand, KeepsTheFileAndSaysHowFarWhenTheDiskFailsPartWay) {
    const std::string disks = ExeFolder() + "\\shreddisks\\";
    std::string skipped;
    for (const auto& [disk, file, told] : std::vector<std::array<std::string, 3>>{
             {"full", "sparse.bin", "Writing over the file failed after 4194304 of 16777216 bytes"},
             {"flaky", "flush.bin", "Flushing the new content to the disk failed after "},
             {"flaky", "last.bin", "Flushing the new content to the disk failed after 1048576 of 1048576 bytes"}}) {
        if (std::string why = ReadFileText(disks + disk + ".skip"); !why.empty()) {
            skipped += disk + ": " + why;
            continue;
        }
        const std::string path = disks + disk + "\\" + file;
        SCOPED_TRACE(path);
        if (disk == "full") Extend(path, 16 << 20);
        WIN32_FILE_ATTRIBUTE_DATA before{}, after{};
        GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &before);
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);
        ShredStart s = RunAnswered(path, {IDYES, IDOK});
        EXPECT_FALSE(s.shredded);
        ASSERT_EQ(s.seen.size(), 2u);
        for (const std::string& part : {std::string("could not be shredded"), told, std::string("left in place")})
            EXPECT_TRUE(Has(s.seen[1].text, part)) << part << " not in: " << s.seen[1].text;
        ASSERT_TRUE(GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &after));
        EXPECT_TRUE(after.dwFileAttributes & FILE_ATTRIBUTE_READONLY);
        EXPECT_EQ(after.nFileSizeLow, before.nFileSizeLow);
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    }
    DeleteFileA((disks + "full\\sparse.bin").c_str());  // the room it took, for the next run
    if (!skipped.empty()) GTEST_SKIP() << skipped;
}

namespace {

// Subkeys and values of a key, as "subkeys/values".
std::string Counts(const std::string& path) {
    DWORD subkeys = 99, values = 99;
    gf::RegKey key;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, path.c_str(), 0, KEY_READ, key.Receive()) != ERROR_SUCCESS) return "missing";
    RegQueryInfoKeyA(key.Get(), nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values, nullptr, nullptr,
                     nullptr, nullptr);
    return std::to_string(subkeys) + "/" + std::to_string(values);
}

}  // namespace

// The verb as Explorer reads it: the key's name is the menu text, its command starts
// this executable by its quoted path with an unquoted %1. Created twice it is still two
// keys and one value; deleting takes the command first and the verb key only after it.
TEST(ShredVerb, IsTheMenuTextWithOneCommandAndGoesCommandFirst) {
    const std::string verb = "*\\shell\\Glimmerfold-Shred File", command = verb + "\\command";
    auto removeBoth = [&] {
        RegDeleteKeyA(HKEY_CLASSES_ROOT, command.c_str());
        RegDeleteKeyA(HKEY_CLASSES_ROOT, verb.c_str());
    };
    removeBoth();
    RegisterShredVerb();
    RegisterShredVerb();
    EXPECT_EQ(Counts(verb), "1/0");
    EXPECT_EQ(Counts(command), "0/1");
    wchar_t exe[MAX_PATH], data[1024] = {};
    GetModuleFileNameW(nullptr, exe, MAX_PATH);
    DWORD type = 0, size = sizeof data;
    RegGetValueW(HKEY_CLASSES_ROOT, Wide(command).c_str(), nullptr, RRF_RT_ANY, &type, data, &size);
    EXPECT_EQ(std::wstring(data), std::wstring(L"\"").append(exe).append(L"\" %1"));
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));

    EXPECT_TRUE(UnregisterShredVerb());
    EXPECT_EQ(Counts(verb), "missing");
    EXPECT_FALSE(UnregisterShredVerb());
    RegisterShredVerb();
    RegDeleteKeyA(HKEY_CLASSES_ROOT, command.c_str());
    EXPECT_FALSE(UnregisterShredVerb());
    EXPECT_EQ(Counts(verb), "0/0");
    removeBoth();
}

namespace {

// The window's client pixels under a control, as drawn on the window.
std::vector<COLORREF> Pixels(const frmShred& f, const gf::Control& c) {
    int x0 = gf::TwipsToPixelsX(c.Left()), y0 = gf::TwipsToPixelsY(c.Top());
    int w = gf::TwipsToPixelsX(c.Width()), h = gf::TwipsToPixelsY(c.Height());
    UpdateWindow(f.Hwnd());
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

TEST_F(ShredWindow, ShowsItsTextsAndTheCommandLineAndAnimatesTheShredder) {
    const std::string commandLine = "\"D:\\My Files\\plans.txt\" and more";
    frmShred f(Wide(commandLine));
    EXPECT_EQ(f.lblFile.Caption(), "");  // set when the window loads
    f.Show();
    char caption[64] = {};
    GetWindowTextA(f.Hwnd(), caption, sizeof caption);
    EXPECT_STREQ(caption, "Quorrin Shredder");
    EXPECT_EQ(f.Label1.Caption(), "Shredding File");
    EXPECT_EQ(f.Label1.Font().name + (f.Label1.Font().bold ? " bold" : ""), "Arial bold");
    EXPECT_EQ(f.lblFile.Caption(), commandLine);
    EXPECT_EQ(f.Timer1.Interval(), 600u);
    EXPECT_TRUE(f.Timer1.Running());
    EXPECT_GT(Colours(Pixels(f, f.Image3)), 3u);

    // The two frames take turns on the screen: drawn pictures, not plain fills.
    ASSERT_TRUE(f.Image1.Visible() && !f.Image2.Visible());
    const std::vector<COLORREF> first = Pixels(f, f.Image1);
    EXPECT_GT(Colours(first), 20u);
    for (gf::Image* shown : {&f.Image2, &f.Image1}) {
        gf::Image* other = shown == &f.Image1 ? &f.Image2 : &f.Image1;
        ASSERT_TRUE(PumpUntil([&] { return shown->Visible() && !other->Visible(); }, 3000));
        const std::vector<COLORREF> now = Pixels(f, *shown);
        EXPECT_GT(Colours(now), 20u);
        EXPECT_EQ(now == first, shown == &f.Image1);
    }
    f.Unload();
}

// The hide picture (with its tool tip) and the close box only hide: the shredding goes
// on reporting to the window, whose bar follows files beyond 2 GiB, and unloads it.
TEST_F(ShredWindow, ReportsProgressBeyondTwoGigabytesAndClosingOnlyHides) {
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
    ASSERT_GT(range.iHigh, range.iLow);
    EXPECT_NEAR((SendMessageA(bar, PBM_GETPOS, 0, 0) - range.iLow) / double(range.iHigh - range.iLow), 0.6, 0.01);

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

    f.Advance(total);
    EXPECT_EQ(SendMessageA(bar, PBM_GETPOS, 0, 0), range.iHigh);
    EXPECT_TRUE(f.Unload());
    EXPECT_FALSE(f.Loaded());
}
