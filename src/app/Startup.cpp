#include "app/Startup.h"

#include <windows.h>

#include "app/AppSettings.h"
#include "framework/App.h"
#include "framework/Runtime.h"
#include "shredder/ShredVerb.h"

namespace app {

int ShredBranch(const std::string& commandLine) {
    int answer = gf::MsgBox("Do you want to Shred " + commandLine + "?", MB_YESNO | MB_DEFBUTTON1,
                            "Glimmerfold File Shredder");
    if (answer != IDYES) return 0;
    // GF-WIRE(shredder): frmShred and ShredFile through shredder::RunShredCommand.
    return 0;
}

bool FirstRunPending(const std::string& storedText) {
    double v = 0;
    return AppSettings::ParseNumber(storedText, v) && v == 0;
}

void RunFirstStart() {
    if (!FirstRunPending(AppSettings::Get(AppSettings::kFirstRun, "FirstRun", "0"))) return;
    AppSettings::Save(AppSettings::kFirstRun, "FirstRun", "1");
    AppSettings::Save(AppSettings::kProgram, "useShredder", "1");
    shredder::RegisterShredVerb();
}

int Main(const std::string& commandLine) {
    if (!commandLine.empty()) return ShredBranch(commandLine);
    if (gf::App::PrevInstance()) return 0;
    gf::App::SetTitle("Glimmerfold");
    RunFirstStart();
    return 0;
}

}  // namespace app
