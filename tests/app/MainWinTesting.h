#pragma once
// Shared by the main window's tests: a real frmMain under Xvfb with a settings store of
// its own (the test executable's name addresses it), cleared before each test, and a
// recorder in place of the erasing, so that no test erases anything.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "app/AddRun.h"
#include "app/frmMain.h"
#include "framework/App.h"
#include "framework/Settings.h"
#include "registry/Reg32.h"

namespace mainwin_testing {

inline std::string Stored(const std::string& section, const std::string& key) {
    return gf::GetSetting(gf::App::EXEName(), section, key, "<none>");
}
inline void Store(const std::string& section, const std::string& key, const std::string& value) {
    gf::SaveSetting(gf::App::EXEName(), section, key, value);
}
inline bool SectionExists(const std::string& section) {
    return testing_support::KeyExists(HKEY_CURRENT_USER, gf::SettingsKeyPath(gf::App::EXEName(), section));
}
// The Run value's command, or "<none>" when there is no value.
inline std::string RunValue() {
    if (RegGetValueA(HKEY_LOCAL_MACHINE, AddRun::kRunKey, AddRun::kRunName, RRF_RT_ANY, nullptr, nullptr, nullptr))
        return "<none>";
    return Reg32::GetRegString(HKEY_LOCAL_MACHINE, AddRun::kRunKey, AddRun::kRunName);
}

// One erase the recorder saw: which item, and the run's state when it started.
struct Erase {
    ModCleaning::Group group;
    short index;
    double progress, max;
    std::string status;
    bool barVisible;
};

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        testing_support::ClearAppSettings();
        AddRun::RemoveRunEntry(AddRun::kRunName);
        gf::Screen::OverrideTwipsPerPixel(15, 15);
    }
    void TearDown() override {
        CloseWindow();
        SetUp();
        gf::Screen::OverrideTwipsPerPixel(0, 0);
    }

    // Makes the window with the recorder in place of the erasing; loads it when asked.
    app::frmMain& OpenWindow(bool load = true) {
        form = std::make_unique<app::frmMain>();
        form->SetItemCleaner([this](ModCleaning::Group g, short i, const ModCleaning::StatusLabel& status,
                                    const std::string& tag) {
            status("Cleaning " + tag);
            erased.push_back({g, i, form->pgbClean.Value(), form->pgbClean.Max(), form->lblCleanStatus.Caption(),
                              form->pgbClean.Visible()});
            if (duringErase) duringErase();
        });
        if (load) {
            form->Load();
            testing_support::PumpFor(50);
        }
        return *form;
    }
    void CloseWindow() {
        if (form && form->Loaded()) form->Unload(gf::vbFormCode);
        form.reset();
    }

    std::unique_ptr<app::frmMain> form;
    std::vector<Erase> erased;
    std::function<void()> duringErase;
};

}  // namespace mainwin_testing
