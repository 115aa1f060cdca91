// GF_EXCLUSIVE_DISPLAY
// The shred start as a user meets it: the question, the progress window, the file gone
// or kept, and the messages for what cannot be shredded (message boxes are answered
// from a second thread); and the progress window itself: what it shows, its animation
// read back as pixels, hiding, and a progress bar for files beyond 2 GiB.
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
#include "shredder/frmShred.h"
#include "shredder/modShredFile.h"

using namespace testing_support;
using shredder::RunShredCommand;
using shredder::frmShred;

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
    EXPECT_EQ(RunShredCommand(commandLine), expectShredded) << commandLine;
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

// A folder, a quoted path (quotes are part of the command line) and a missing file are
// refused with a message instead of the question; a file held open by another program
// is asked about, then kept with a message saying why. Nothing is touched.
TEST(RunShredCommand, WhatCannotBeShreddedIsRefusedWithAMessage) {
    ScratchDir dir;
    std::string file = dir / "quoted.txt", folder = dir / "folder", held = dir / "open elsewhere.doc";
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
                          Case{dir / "missing.txt", "no file"},
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
    frmShred f(commandLine);
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
    frmShred f("D:\\x.txt");
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
    frmShred f("D:\\big.iso");
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
