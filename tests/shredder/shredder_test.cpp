// The shredder on real files in the sandbox (links from links_setup.sh, failing disks from
// disks_setup.sh), the shred start as a user meets it (its boxes answered from a second
// thread), the Explorer verb in the prefix's HKEY_CLASSES_ROOT, and the progress window.
// GF_EXCLUSIVE_DISPLAY
// GF_EXCLUSIVE_PROFILE: the shred verb is one machine-wide key.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <set>
#include <sstream>
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

bool AllInAlphabet(const std::string& s) {
    return std::all_of(s.begin(), s.end(), [](char c) { return c >= kShredAlphabet[0] && c <= kShredAlphabet[63]; });
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
    void Start(std::uint64_t size) override { total = size, ++starts; }
    void Advance(std::uint64_t done) override {
        reports.push_back({done, ticks});
        if (done == total && total < (1ull << 30)) atEnd = ReadShared(path);
    }
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) { ++ticks; }
    static inline int ticks = 0;
    std::string path, atEnd = "<no report of the whole length>";
    int starts = 0;
    std::uint64_t total = ~0ull;
    std::vector<std::pair<std::uint64_t, int>> reports;  // bytes done, timer messages handled by then
    UINT_PTR timer = SetTimer(nullptr, 0, USER_TIMER_MINIMUM, Tick);
};

// Whether this thread activated the progress window (a shown window takes the activation).
bool g_progressShown = false;
LRESULT CALLBACK CountProgressWindow(int code, WPARAM wp, LPARAM lp) {
    char title[32] = {};
    if (code == HCBT_ACTIVATE && GetWindowTextA(reinterpret_cast<HWND>(wp), title, sizeof title))
        g_progressShown |= std::string(title) == "Quorrin Shredder";
    return CallNextHookEx(nullptr, code, wp, lp);
}

struct ShredStart {
    bool shredded = false, progressShown = false;
    std::vector<SeenDialog> seen;
};

// The shred start with its boxes answered in turn.
ShredStart RunAnswered(const std::string& commandLine, std::vector<int> answers) {
    g_progressShown = false;
    HHOOK hook = SetWindowsHookExA(WH_CBT, CountProgressWindow, nullptr, GetCurrentThreadId());
    DialogWatcher watcher(std::move(answers));
    ShredStart start{RunShredCommand(Wide(commandLine))};
    UnhookWindowsHookEx(hook);
    start.progressShown = g_progressShown;
    start.seen = watcher.Seen();
    return start;
}

// A start that shreds nothing and says so, with each of the parts, in a box with OK alone:
// after the question answered Yes (and under the progress window), or refused before it.
void ExpectTold(const std::string& commandLine, bool asked, const std::vector<std::string>& parts) {
    ShredStart s = RunAnswered(commandLine, asked ? std::vector{IDYES, IDOK} : std::vector{IDOK});
    EXPECT_FALSE(s.shredded);
    EXPECT_EQ(s.progressShown, asked);
    ASSERT_EQ(s.seen.size(), asked ? 2u : 1u);
    EXPECT_EQ(s.seen.back().title, "Glimmerfold File Shredder");
    EXPECT_EQ(s.seen.back().buttons, std::vector<int>{IDOK});
    for (const std::string& part : parts)
        EXPECT_TRUE(Has(s.seen.back().text, part)) << part << " not in: " << s.seen.back().text;
}

// Subkeys and values of a key, as "subkeys/values".
std::string Counts(const std::string& path) {
    DWORD subkeys = 99, values = 99;
    gf::RegKey key;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, path.c_str(), 0, KEY_READ, key.Receive())) return "missing";
    RegQueryInfoKeyA(key.Get(), 0, 0, 0, &subkeys, 0, 0, &values, 0, 0, 0, 0);
    return std::to_string(subkeys) + "/" + std::to_string(values);
}

// The window's client pixels under a control, as drawn on the window, and how many colours.
std::vector<COLORREF> Pixels(const frmShred& f, const gf::Control& c) {
    int x0 = gf::TwipsToPixelsX(c.Left()), y0 = gf::TwipsToPixelsY(c.Top());
    UpdateWindow(f.Hwnd());
    std::vector<COLORREF> pixels;
    HDC dc = GetDC(f.Hwnd());
    for (int y = y0; y < y0 + gf::TwipsToPixelsY(c.Height()); ++y)
        for (int x = x0; x < x0 + gf::TwipsToPixelsX(c.Width()); ++x) pixels.push_back(GetPixel(dc, x, y));
    ReleaseDC(f.Hwnd(), dc);
    return pixels;
}
std::size_t Colours(const std::vector<COLORREF>& pixels) { return std::set(pixels.begin(), pixels.end()).size(); }

class ShredWindow : public ::testing::Test {
protected:
    void SetUp() override { gf::Screen::OverrideTwipsPerPixel(15, 15); }
    void TearDown() override { gf::Screen::OverrideTwipsPerPixel(0, 0); }
};

}  // namespace

TEST(RandomString, OfLengthZeroIsEmpty) { EXPECT_EQ(RandomString(0), ""); }

TEST(RandomString, DrawsOnlyAndEveryAlphabetCharacterAnewAtEachCall) {
    const std::string many = RandomString(20000);
    EXPECT_TRUE(many.size() == 20000 && AllInAlphabet(many));
    EXPECT_EQ(std::set<char>(many.begin(), many.end()).size(), kShredAlphabetLength);
    std::set<std::string> draws;  // seeded at each call: calls within one timer tick differ too
    for (int i = 0; i < 50; ++i) draws.insert(RandomString(32));
    EXPECT_EQ(draws.size(), 50u);
}

// Every byte is overwritten with alphabet characters, the length kept, and only then is
// the file deleted: a read-only file named by its short name, an empty one named in other
// letter cases, large sparse ones while the message loop turns and the progress moves by
// time (a few reports, not one per block). The file grows until its writing outlasts a report.
TEST(ShredFile, DeletesOnlyAfterEveryByteIsOverwritten) {
    ScratchDir dir;
    const std::string path = dir / "shred me.bin";
    bool midway = false;
    for (std::uint64_t size : {3ull, 0ull, (256ull << 20) + 1234, (1ull << 30) + 1234, (4ull << 30) + 1234}) {
        if (midway) break;
        SCOPED_TRACE(size);
        WriteFileText(path, std::string("\x01#\xff", size == 3 ? 3 : 0));
        if (size > 3) Extend(path, size);
        SetFileAttributesA(path.c_str(), size == 3 ? FILE_ATTRIBUTE_READONLY : FILE_ATTRIBUTE_NORMAL);
        char shortName[MAX_PATH] = {};
        ASSERT_TRUE(GetShortPathNameA(path.c_str(), shortName, MAX_PATH));
        Recorder r(path);
        ShredOutcome out = ShredFile(Wide(size == 3 ? shortName : size == 0 ? dir / "SHRED ME.BIN" : path), &r);
        EXPECT_TRUE(out.shredded && out.reason.empty()) << out.reason;
        EXPECT_EQ(r.starts, 1);
        EXPECT_EQ(r.total, size);
        ASSERT_FALSE(r.reports.empty());
        EXPECT_TRUE(std::is_sorted(r.reports.begin(), r.reports.end()));
        EXPECT_EQ(r.reports.back().first, size);
        EXPECT_TRUE(size == 0 || size >= (1ull << 30) || (r.atEnd.size() == size && AllInAlphabet(r.atEnd)));
        EXPECT_TRUE(size <= kShredBlockSize || r.reports.size() < size / kShredBlockSize) << r.reports.size();
        for (auto [done, ticks] : r.reports) midway |= done > 0 && done < size && ticks > 0;
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
        const SeenDialog& q = s.seen[0];
        EXPECT_EQ(q.title + "|" + q.text, "Glimmerfold File Shredder|Do you want to Shred " + path + "?");
        EXPECT_TRUE(q.buttons == std::vector<int>({IDYES, IDNO}) && q.defaultButton == IDYES && !q.icon);
        EXPECT_EQ(s.shredded, answer == IDYES);
        EXPECT_EQ(s.progressShown, answer == IDYES);
        EXPECT_EQ(ReadFileText(path), answer == IDYES ? "" : content);
        EXPECT_EQ(gf::Form::LoadedCount(), 0);  // the progress window is unloaded
    }
}

// What is not one plain file under its own full path is refused before the question, with
// a message naming it and why, and by ShredFile on its own before it opens anything for
// writing; a file another program writes to is asked about, then kept, read-only still.
// Unix links to a file show as plain files under Wine. Real files under the device names,
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
    HeldFile writer(held, "writer");
    ASSERT_TRUE(writer.Holding());
    SetFileAttributesA(held.c_str(), FILE_ATTRIBUTE_READONLY);
    const std::pair<std::string, std::string> cases[] = {
        {"", "No file"}, {folder, "folder"}, {folder + "\\", "folder"}, {relative, "full path"},
        {file.substr(2), "full path"}, {file.substr(0, 2) + "victim.txt", "full path"},
        {folder + "\\..\\victim.txt", "parts"}, {file + ":stream", "characters"},
        {"\"" + file + "\" \"" + held + "\"", "characters"}, {"\\\\?\\" + file, "Device"},
        {"\\\\.\\" + file, "Device"}, {dir / "missing.txt", "no file"},
        {dir / "CON", "device"}, {dir / "nul.txt", "device"}, {links + "filelink.txt", "link"},
        {links + "target.txt ", "link"}, {links + "t\\a.txt", "link"}, {links + "hard.txt", "more than one name"},
        {links + "TWIN.TXT", "letter cases"}, {held, "in use"}};
    for (const auto& [commandLine, why] : cases) {
        SCOPED_TRACE("[" + commandLine + "]");
        Recorder r(commandLine);
        ShredOutcome out = ShredFile(Wide(commandLine), &r);
        EXPECT_TRUE(!out.shredded && !out.overwritten && r.starts == 0 && Has(out.reason, why)) << out.reason;
        const bool asked = commandLine == held;
        ExpectTold(commandLine, asked, {asked ? "could not be shredded" : "cannot be shredded", commandLine, why});
    }
    EXPECT_EQ(writer.Release(), 0u);
    EXPECT_TRUE(GetFileAttributesA(held.c_str()) & FILE_ATTRIBUTE_READONLY);
    for (const std::string& f : untouched) EXPECT_EQ(ReadFileText(f), f);
    std::string farm;
    for (const char* name : {"filelink.txt", "target.txt", "T\\a.txt", "hard.txt", "Twin.txt", "twin.txt"})
        farm += ReadFileText(links + name);
    EXPECT_EQ(farm, "kept\nkept\nkept\nkept\none\ntwo\n");
    DeleteFileA(untouched[3].c_str());
}

// A file that another program holds open for reading with every sharing (a viewer, an
// indexer) is overwritten and marked for deletion, but its name stays until that program
// lets go: the user is told so, not that it was shredded.
TEST(RunShredCommand, SaysTheNameStaysWhileAnotherProgramHoldsTheFile) {
    ScratchDir dir;
    const std::string path = dir / "viewed.txt";
    WriteFileText(path, "secret");
    HeldFile viewer(path, "shared");
    ASSERT_TRUE(viewer.Holding());
    ExpectTold(path, true, {"overwritten but is still there", path, "another program"});
    const std::string now = ReadShared(path);  // Wine still opens a file whose deletion waits
    EXPECT_TRUE(now.size() == 6 && AllInAlphabet(now)) << now;
    EXPECT_EQ(viewer.Release(), 0u);
    EXPECT_FALSE(PathExists(path));
}

// On the small disks of disks_setup.sh the overwrite fails for real: a write finds the
// disk full; a flush while writing finds that blocks written could not reach the disk,
// though the last flush succeeds; the last flush of a small file fails. The file stays as
// long as it was, read-only again, and the user is told how far the overwrite got.
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
        ExpectTold(path, true, {"could not be shredded", told, "left in place"});
        ASSERT_TRUE(GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &after));
        EXPECT_TRUE(after.dwFileAttributes & FILE_ATTRIBUTE_READONLY);
        EXPECT_EQ(after.nFileSizeLow, before.nFileSizeLow);
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    }
    DeleteFileA((disks + "full\\sparse.bin").c_str());  // the room it took, for the next run
    if (!skipped.empty()) GTEST_SKIP() << skipped;
}

// On the flaky disk, whose writers wait for its failing write-back, the flush made while
// writing flush.bin fails with bytes still to write: the message gives how far it got
// against the file's whole length.
TEST(ShredFile, AFlushFailingWhileBytesRemainGivesTheWholeLengthAsTheTotal) {
    const std::string disks = ExeFolder() + "\\shreddisks\\";
    if (std::string why = ReadFileText(disks + "flaky.skip") + ReadFileText(disks + "paced.skip"); !why.empty())
        GTEST_SKIP() << why;
    const std::string path = disks + "flaky\\flush.bin";
    const ShredOutcome out = ShredFile(Wide(path), nullptr);
    const std::string head = "Flushing the new content to the disk failed after ";
    ASSERT_EQ(out.reason.rfind(head, 0), 0u) << out.reason;
    std::uint64_t done = 0, total = 0;
    std::string of;
    std::istringstream(out.reason.substr(head.size())) >> done >> of >> total;
    EXPECT_LT(done, 40ull << 20) << "the flush failed only once every byte was written: " << out.reason;
    EXPECT_EQ(of + " " + std::to_string(total), "of " + std::to_string(40ull << 20)) << out.reason;
    EXPECT_FALSE(out.overwritten || out.shredded);
    EXPECT_TRUE(PathExists(path));
}

// The verb's key (its name is the menu text) and its command (checked end to end), created
// twice, are still two keys and one value; deleting takes the command first and the verb
// key only after it.
TEST(ShredVerb, IsTwoKeysWithOneValueAndGoesCommandFirst) {
    const std::string verb = kShredVerbKey, command = verb + "\\command";
    RegDeleteKeyA(HKEY_CLASSES_ROOT, command.c_str());
    RegDeleteKeyA(HKEY_CLASSES_ROOT, verb.c_str());
    RegisterShredVerb();
    RegisterShredVerb();
    EXPECT_EQ(Counts(verb) + " " + Counts(command), "1/0 0/1");
    EXPECT_TRUE(UnregisterShredVerb());
    EXPECT_EQ(Counts(verb), "missing");
    EXPECT_FALSE(UnregisterShredVerb());
    RegisterShredVerb();
    RegDeleteKeyA(HKEY_CLASSES_ROOT, command.c_str());
    EXPECT_FALSE(UnregisterShredVerb());
    EXPECT_EQ(Counts(verb), "0/0");
    RegDeleteKeyA(HKEY_CLASSES_ROOT, verb.c_str());
}

// Its texts and the command line (its caption is checked where a shred start shows it),
// and a shredder whose two drawn frames take turns on the screen.
TEST_F(ShredWindow, ShowsItsTextsAndTheCommandLineAndAnimatesTheShredder) {
    const std::string commandLine = "\"D:\\My Files\\plans.txt\" and more";
    frmShred f(Wide(commandLine));
    EXPECT_EQ(f.lblFile.Caption(), "");  // set when the window loads
    f.Show();
    EXPECT_EQ(f.Label1.Caption() + "|" + f.Label1.Font().name + (f.Label1.Font().bold ? " bold" : ""),
              "Shredding File|Arial bold");
    EXPECT_EQ(f.lblFile.Caption(), commandLine);
    EXPECT_TRUE(f.Timer1.Interval() == 600u && f.Timer1.Running());
    EXPECT_GT(Colours(Pixels(f, f.Image3)), 3u);
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
    f.Advance(done);
    // The common control itself stands at three fifths of its range.
    HWND bar = f.pgbShred.Hwnd();
    PBRANGE range{};
    SendMessageA(bar, PBM_GETRANGE, FALSE, reinterpret_cast<LPARAM>(&range));
    ASSERT_GT(range.iHigh, range.iLow);
    EXPECT_NEAR((SendMessageA(bar, PBM_GETPOS, 0, 0) - range.iLow) / double(range.iHigh - range.iLow), 0.6, 0.01);

    HWND tips = FindWindowExA(nullptr, nullptr, TOOLTIPS_CLASSA, nullptr);
    while (tips && GetWindow(tips, GW_OWNER) != f.Hwnd()) tips = FindWindowExA(nullptr, tips, TOOLTIPS_CLASSA, nullptr);
    char text[80] = {};
    TTTOOLINFOA tool{TTTOOLINFOA_V2_SIZE};
    tool.lpszText = text;
    SendMessageA(tips, TTM_ENUMTOOLSA, 0, reinterpret_cast<LPARAM>(&tool));
    EXPECT_STREQ(text, "Hide This Window");
    SendClick(f.Hwnd(), gf::TwipsToPixelsX(f.Image3.Left() + 100), gf::TwipsToPixelsY(f.Image3.Top() + 100));
    EXPECT_TRUE(!f.Visible() && f.Loaded());
    f.Show();
    SendMessageA(f.Hwnd(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(!f.Visible() && f.Loaded());
    f.Advance(total);
    EXPECT_EQ(SendMessageA(bar, PBM_GETPOS, 0, 0), range.iHigh);
    EXPECT_TRUE(f.Unload() && !f.Loaded());
}
