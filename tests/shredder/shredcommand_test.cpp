// GF_EXCLUSIVE_DISPLAY
// The shred start as a user meets it: the question, the progress window, the file gone
// or kept, and the messages for what cannot be shredded. Message boxes are answered
// from a second thread.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "DialogWatcher.h"
#include "HeldFile.h"
#include "TestSupport.h"
#include "framework/Form.h"
#include "shredder/ShredCommand.h"
#include "shredder/modShredFile.h"

using namespace testing_support;
using shredder::RunShredCommand;
using shredder_tests::DialogWatcher;
using shredder_tests::SeenDialog;

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

class Activations {
public:
    Activations() : hook_(SetWindowsHookExA(WH_CBT, RecordActivation, nullptr, GetCurrentThreadId())) {
        g_activated.clear();
    }
    ~Activations() { UnhookWindowsHookEx(hook_); }
    bool Saw(const std::string& title) const {
        return std::find(g_activated.begin(), g_activated.end(), title) != g_activated.end();
    }

private:
    HHOOK hook_;
};

bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

}  // namespace

TEST(RunShredCommand, YesShredsAPathWithSpacesUnderTheProgressWindow) {
    ScratchDir dir;
    std::string path = dir / "my secret plans.txt";
    WriteFileText(path, std::string(2 * shredder::kShredBlockSize + 99, 'x'));
    Activations activations;
    DialogWatcher watcher({IDYES});

    EXPECT_TRUE(RunShredCommand(path));

    EXPECT_FALSE(PathExists(path));
    std::vector<SeenDialog> seen = watcher.Seen();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].title, "Glimmerfold File Shredder");
    EXPECT_EQ(seen[0].text, "Do you want to Shred " + path + "?");
    EXPECT_TRUE(seen[0].hasYes && seen[0].hasNo);
    EXPECT_EQ(seen[0].defaultButton, IDYES);
    EXPECT_FALSE(seen[0].hasIcon);
    EXPECT_TRUE(activations.Saw("Quorrin Shredder"));
    EXPECT_EQ(gf::Form::LoadedCount(), 0);  // the progress window is unloaded
}

TEST(RunShredCommand, NoLeavesTheFileAndShowsNoWindow) {
    ScratchDir dir;
    std::string path = dir / "keep.txt";
    WriteFileText(path, "keep");
    Activations activations;
    DialogWatcher watcher({IDNO});

    EXPECT_FALSE(RunShredCommand(path));

    EXPECT_EQ(ReadFileText(path), "keep");
    EXPECT_EQ(watcher.Seen().size(), 1u);
    EXPECT_FALSE(activations.Saw("Quorrin Shredder"));
}

// A folder, a quoted path (quotes are part of the command line) and a missing file are
// refused with a message instead of the question; nothing is touched.
TEST(RunShredCommand, WhatCannotBeShreddedIsRefusedWithAMessage) {
    ScratchDir dir;
    std::string file = dir / "quoted.txt";
    WriteFileText(file, "quoted");
    std::string folder = dir / "folder";
    CreateDirectoryA(folder.c_str(), nullptr);
    WriteFileText(folder + "\\inside.txt", "inside");

    struct Case {
        std::string commandLine, reasonPart;
    };
    for (const Case& c : {Case{folder, "folder"}, Case{"\"" + file + "\"", "characters"},
                          Case{dir / "missing.txt", "no file"}}) {
        DialogWatcher watcher({IDOK});
        EXPECT_FALSE(RunShredCommand(c.commandLine)) << c.commandLine;
        std::vector<SeenDialog> seen = watcher.Seen();
        ASSERT_EQ(seen.size(), 1u) << c.commandLine;
        EXPECT_EQ(seen[0].title, "Glimmerfold File Shredder");
        EXPECT_TRUE(seen[0].hasOk && !seen[0].hasYes) << c.commandLine;
        EXPECT_TRUE(Has(seen[0].text, "cannot be shredded")) << seen[0].text;
        EXPECT_TRUE(Has(seen[0].text, c.commandLine)) << seen[0].text;
        EXPECT_TRUE(Has(seen[0].text, c.reasonPart)) << seen[0].text;
    }
    EXPECT_EQ(ReadFileText(file), "quoted");
    EXPECT_EQ(ReadFileText(folder + "\\inside.txt"), "inside");
}

TEST(RunShredCommand, FileInUseStaysAndTheUserIsToldWhy) {
    ScratchDir dir;
    std::string path = dir / "open elsewhere.doc";
    WriteFileText(path, "still secret");
    shredder_tests::HeldFile held(path);
    ASSERT_TRUE(held.Holding());
    DialogWatcher watcher({IDYES, IDOK});

    EXPECT_FALSE(RunShredCommand(path));

    std::vector<SeenDialog> seen = watcher.Seen();
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_TRUE(Has(seen[1].text, "could not be shredded")) << seen[1].text;
    EXPECT_TRUE(Has(seen[1].text, path)) << seen[1].text;
    EXPECT_TRUE(Has(seen[1].text, "in use")) << seen[1].text;
    EXPECT_EQ(held.Release(), 0u);
    EXPECT_EQ(ReadFileText(path), "still secret");
}
