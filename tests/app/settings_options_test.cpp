// The option handlers: what each stores, the Run value, the order of the whole save
// and how stored texts are read back. Real windows under Xvfb. GF_EXCLUSIVE_DISPLAY
#include "MainWinTesting.h"

using namespace mainwin_testing;

TEST_F(MainWindowTest, RunOnStartUpWritesAQuotedCommandAndDeletesIt) {
    auto& f = OpenWindow();
    f.chkRunStart.SetValue(1);
    EXPECT_EQ(Stored("ProgramSettings", "AutoRun"), "1");
    std::string expected = "\"" + gf::App::Path() + "\\" + gf::App::EXEName() + "\"";
    EXPECT_EQ(RunValue(), expected);
    EXPECT_EQ(RunValue().find(".exe"), std::string::npos);
    f.chkRunStart.SetValue(0);
    EXPECT_EQ(Stored("ProgramSettings", "AutoRun"), "0");
    EXPECT_EQ(RunValue(), "<none>");
    AddRun::RemoveRunEntry(AddRun::kRunName);  // a value that is not there: nothing changes
    EXPECT_EQ(RunValue(), "<none>");
}

TEST_F(MainWindowTest, EachOptionStoresTheWholeSetAndACleaningBoxOnlyItself) {
    auto& f = OpenWindow();
    f.chkSoftware(12).SetValue(1);
    EXPECT_EQ(Stored("Settings", "chkSoftware12"), "1");
    EXPECT_FALSE(SectionExists("ProgramSettings"));

    f.cntrlFirst(2).SetText("Shift");  // typed, not picked: no save yet
    EXPECT_FALSE(SectionExists("ProgramSettings"));
    f.chkAutoMin.SetValue(1);
    EXPECT_EQ(Stored("ProgramSettings", "AutoMin"), "1");
    EXPECT_EQ(Stored("ProgramSettings", "cntrlFirst2"), "Shift");
    EXPECT_EQ(Stored("ProgramSettings", "cntrlSecond0"), "F1");
    EXPECT_EQ(Stored("ProgramSettings", "minuteCombo"), "1");
    for (const char* key : {"AutoRun", "AutoCleanBrowse", "AutoCleanTime", "useShredder"})
        EXPECT_EQ(Stored("ProgramSettings", key), "0") << key;

    // The minutes box stores at every change of its text.
    f.minuteCombo.SetText("1");
    f.minuteCombo.SetText("15");
    EXPECT_EQ(Stored("ProgramSettings", "minuteCombo"), "15");
    f.minuteCombo.SetText("");
    EXPECT_EQ(Stored("ProgramSettings", "minuteCombo"), "");

    // Picking a hot-key item stores the set.
    f.cntrlSecond(1).SetListIndex(5);
    EXPECT_EQ(Stored("ProgramSettings", "cntrlSecond1"), "F5");
}

TEST_F(MainWindowTest, CaptionEntriesAreStoredBeforeTheOptionsThatShareTheirKeys) {
    auto& f = OpenWindow();
    f.List1.AddItem("AutoRun");
    f.List1.AddItem("cntrlFirst0");
    f.List1.AddItem("Notepad");
    f.List1.SetSelected(0, true);
    f.List1.SetSelected(2, true);
    f.chkAutoCleanTime.SetValue(1);
    // An entry named like an option key is overwritten by the option's own value; one
    // named like a hot-key key overwrites that key.
    EXPECT_EQ(Stored("ProgramSettings", "AutoRun"), "0");
    EXPECT_EQ(Stored("ProgramSettings", "cntrlFirst0"), "False");
    EXPECT_EQ(Stored("ProgramSettings", "Notepad"), "True");
    EXPECT_TRUE(f.Timer1.Enabled());
    f.chkAutoCleanTime.SetValue(0);
    EXPECT_FALSE(f.Timer1.Enabled());
}

TEST_F(MainWindowTest, MinimizeOnStartupMinimizesTheShownWindow) {
    auto& f = OpenWindow();
    f.ApplyStartupState();
    EXPECT_FALSE(IsIconic(f.Hwnd()));
    CloseWindow();
    Store("ProgramSettings", "AutoMin", "1");
    auto& g = OpenWindow();
    g.Show();
    g.ApplyStartupState();
    testing_support::PumpFor(50);
    EXPECT_TRUE(IsIconic(g.Hwnd()));
    EXPECT_EQ(g.WindowState(), gf::vbMinimized);
}
