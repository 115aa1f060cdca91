// GF_EXCLUSIVE_DISPLAY
// The shred start as a user meets it: the question, the progress window, the file gone
// or kept, and the messages for what cannot be shredded. Message boxes are answered
// from a second thread.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "DialogWatcher.h"
#include "Process.h"
#include "TestSupport.h"
#include "framework/Form.h"
#include "shredder/ShredCommand.h"
#include "shredder/modShredFile.h"

using namespace testing_support;
using shredder::RunShredCommand;

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
