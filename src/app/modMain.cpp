#include "app/modMain.h"

#include <windows.h>

#include "app/AppSettings.h"
#include "app/frmMain.h"
#include "bosskey/HotKeys.h"
#include "cleaning/ShellFolders.h"
#include "framework/App.h"
#include "framework/Form.h"
#include "framework/Runtime.h"
#include "shredder/ShredCommand.h"
#include "shredder/ShredVerb.h"

namespace modMain {

using app::frmMain;

int ShredBranch(const std::wstring& commandLine) {
    shredder::RunShredCommand(commandLine);  // the question, frmShred, ShredFile
    return 0;
}

bool FirstRunPending(const std::string& storedText) {
    double v = 0;
    return AppSettings::ParseNumber(storedText, v) && v == 0;
}

void RunFirstStart(frmMain& main) {
    if (!FirstRunPending(AppSettings::Get(AppSettings::kFirstRun, "FirstRun", "0"))) return;
    AppSettings::Save(AppSettings::kFirstRun, "FirstRun", "1");
    AppSettings::Save(AppSettings::kProgram, "useShredder", "1");
    shredder::RegisterShredVerb();
    // The window restored its options before this step: it shows what is now in effect.
    main.ShowShredderEnabled();
}

std::wstring CommandLineArguments(std::wstring_view line) {
    // The program's name, quoted or up to the first blank, as the C runtime skips it.
    std::size_t i = 0;
    if (!line.empty() && line[0] == L'"') {
        i = line.find(L'"', 1);
        i = i == std::wstring_view::npos ? line.size() : i + 1;
    } else {
        while (i < line.size() && line[i] > L' ') ++i;
    }
    while (i < line.size() && (line[i] == L' ' || line[i] == L'\t')) ++i;
    return std::wstring(line.substr(i));
}

int Main(const std::wstring& commandLine) {
    gf::App::SetTitle("Glimmerfold");
    if (!commandLine.empty()) return ShredBranch(commandLine);
    if (gf::App::PrevInstance()) return 0;  // the running one is left alone
    bosskey::BuildHotKeyTables();  // before loading: the window registers its hot keys
    frmMain& main = app::MainForm();
    main.Load();
    main.Show();
    main.UpdateInfo();
    main.ApplyStartupState();
    ModCleaning::ReadShellFolders();  // before the message loop, so before any clean
    RunFirstStart(main);
    int code = gf::RunMessageLoop();
    app::DestroyMainForm();
    return code;
}

}  // namespace modMain
