// Start-up's first-run step and its reading of "FirstRun". It creates the shred verb,
// which the window tests also look at: GF_EXCLUSIVE_DISPLAY keeps them apart.
// GF_EXCLUSIVE_PROFILE: the shred verb is one machine-wide key.
#include <windows.h>

#include <gtest/gtest.h>

#include "app/AppSettings.h"
#include "app/Startup.h"
#include "framework/App.h"
#include "framework/Settings.h"
#include "shredder/ShredVerb.h"

namespace {

struct CleanStore {
    CleanStore() { Clear(); }
    ~CleanStore() { Clear(); }
    static void Clear() { RegDeleteTreeA(HKEY_CURRENT_USER, ("Software\\" + gf::App::EXEName()).c_str()); }
};

std::string Stored(const char* section, const char* key) {
    return gf::GetSetting(gf::App::EXEName(), section, key, "<none>");
}

}  // namespace

TEST(FirstRun, AnUnreadableMarkCountsAsDone) {
    CleanStore store;
    gf::SaveSetting(gf::App::EXEName(), "FirstRun", "FirstRun", "yes");
    app::RunFirstStart();
    EXPECT_EQ(Stored("FirstRun", "FirstRun"), "yes");
    EXPECT_EQ(Stored("ProgramSettings", "useShredder"), "<none>");
}

TEST(FirstRun, TheFirstStartMarksItselfAndTurnsTheShredderOn) {
    CleanStore store;
    app::RunFirstStart();
    EXPECT_EQ(Stored("FirstRun", "FirstRun"), "1");
    EXPECT_EQ(Stored("ProgramSettings", "useShredder"), "1");
    // The next start skips the step: an option cleared meanwhile stays cleared.
    gf::SaveSetting(gf::App::EXEName(), "ProgramSettings", "useShredder", "0");
    app::RunFirstStart();
    EXPECT_EQ(Stored("ProgramSettings", "useShredder"), "0");
    shredder::UnregisterShredVerb();
}
