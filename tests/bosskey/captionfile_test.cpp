// The caption file "HWD.dat" and the ticks of its entries, with real files in a
// scratch folder and the real settings store.
#include <windows.h>

#include <gtest/gtest.h>

#include "TestSupport.h"
#include "bosskey/CaptionFile.h"
#include "bosskey/CaptionList.h"
#include "framework/App.h"
#include "framework/Settings.h"

using namespace testing_support;
using bosskey::CaptionEntry;

namespace {

std::vector<std::string> Lines(const std::string& path) {
    auto lines = bosskey::ReadCaptionFile(path);
    return lines ? *lines : std::vector<std::string>{"<no file>"};
}

class CaptionFile : public ::testing::Test {
protected:
    ScratchDir dir;
    std::string path = bosskey::CaptionFilePath(dir.Path());
};

}  // namespace

TEST_F(CaptionFile, ReadsLineByLineAndAppendsWholeLines) {
    EXPECT_FALSE(bosskey::ReadCaptionFile(path)) << "a missing file reads as no list";
    WriteFileText(path, "One\r\n\r\nTwo\nThree\rFour");
    EXPECT_EQ(Lines(path), (std::vector<std::string>{"One", "", "Two", "Three", "Four"}));
    // A last line without its ending stays apart from the next caption; equal
    // captions are kept.
    ASSERT_TRUE(bosskey::AppendCaption(path, "Four"));
    EXPECT_EQ(ReadFileText(path), "One\r\n\r\nTwo\nThree\rFour\r\nFour\r\n");
    WriteFileText(path, "");
    EXPECT_TRUE(Lines(path).empty());
    // A file that cannot be written is reported, not taken as added.
    EXPECT_EQ(bosskey::AddCaption(dir / "no such folder\\HWD.dat", "abcd"), bosskey::AddOutcome::NotWritten);
}

TEST_F(CaptionFile, RemovingDropsOneLineEvenWhenTheListIsStale) {
    WriteFileText(path, "WordPad\r\n\r\nNotepad\r\nWord\r\n");
    // An empty entry is one line, not a text found in every line.
    ASSERT_TRUE(bosskey::RemoveCaptionLine(path, 1, ""));
    EXPECT_EQ(ReadFileText(path), "WordPad\r\nNotepad\r\nWord\r\n");
    // A position that no longer holds the text falls back to the first equal line.
    ASSERT_TRUE(bosskey::RemoveCaptionLine(path, 0, "Word"));
    EXPECT_EQ(ReadFileText(path), "WordPad\r\nNotepad\r\n");
    // A text the file does not hold, or no file at all, changes nothing.
    EXPECT_FALSE(bosskey::RemoveCaptionLine(path, 0, "Word"));
    EXPECT_EQ(ReadFileText(path), "WordPad\r\nNotepad\r\n");
    EXPECT_FALSE(PathExists(dir / bosskey::kCaptionTempName));
    EXPECT_FALSE(bosskey::RemoveCaptionLine(dir / "missing.dat", 0, "WordPad"));
}

TEST_F(CaptionFile, AFailedRemovalLeavesTheOldFileWhole) {
    WriteFileText(path, "Alpha\r\nBeta\r\n");
    // The rewritten file cannot be made: its place is taken by a folder.
    ASSERT_TRUE(CreateDirectoryA((dir / bosskey::kCaptionTempName).c_str(), nullptr));
    EXPECT_FALSE(bosskey::RemoveCaptionLine(path, 0, "Alpha"));
    EXPECT_EQ(ReadFileText(path), "Alpha\r\nBeta\r\n");
    RemoveDirectoryA((dir / bosskey::kCaptionTempName).c_str());
    // The caption file itself cannot be replaced while another program holds it open.
    HANDLE held = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(bosskey::RemoveCaptionLine(path, 0, "Alpha"));
    CloseHandle(held);
    EXPECT_EQ(ReadFileText(path), "Alpha\r\nBeta\r\n");
    EXPECT_FALSE(PathExists(dir / bosskey::kCaptionTempName)) << "no temporary file left behind";
}

TEST(CaptionTicks, LoadingTicksStoredAndJustAddedCaptions) {
    ScratchDir dir;
    const std::string path = bosskey::CaptionFilePath(dir.Path());
    const std::string app = gf::App::EXEName();
    ClearAppSettings();
    EXPECT_FALSE(bosskey::LoadCaptionEntries(path, ""));

    WriteFileText(path, "Stored\r\nCleared\r\nUnknown\r\n\r\nOdd\r\nNumeric\r\nJustAdded\r\njustadded\r\n");
    bosskey::StoreTick("Stored", true);
    bosskey::StoreTick("Cleared", false);
    EXPECT_EQ(gf::GetSetting(app, "ProgramSettings", "Stored"), "True");
    EXPECT_EQ(gf::GetSetting(app, "ProgramSettings", "Cleared"), "False");
    gf::SaveSetting(app, "ProgramSettings", "Odd", "Ctrl");  // not a truth value
    gf::SaveSetting(app, "ProgramSettings", "Numeric", "-1");
    gf::SaveSetting(app, "ProgramSettings", "", "True");     // an empty line is never ticked

    auto entries = bosskey::LoadCaptionEntries(path, "JustAdded");
    ASSERT_TRUE(entries);
    std::vector<std::pair<std::string, bool>> got;
    for (const CaptionEntry& e : *entries) got.emplace_back(e.text, e.ticked);
    EXPECT_EQ(got, (std::vector<std::pair<std::string, bool>>{{"Stored", true},
                                                              {"Cleared", false},
                                                              {"Unknown", false},
                                                              {"", false},
                                                              {"Odd", false},
                                                              {"Numeric", true},
                                                              {"JustAdded", true},
                                                              {"justadded", false}}));

    // A removed caption keeps its stored tick: added again, it comes back ticked.
    ASSERT_TRUE(bosskey::RemoveCaptionLine(path, 0, "Stored"));
    ASSERT_TRUE(bosskey::AppendCaption(path, "Stored"));
    entries = bosskey::LoadCaptionEntries(path, "");
    ASSERT_TRUE(entries);
    EXPECT_EQ(entries->back().text, "Stored");
    EXPECT_TRUE(entries->back().ticked);
    ClearAppSettings();
}
