#include "shredder/ShredCommand.h"

#include <windows.h>

#include "cleaning/GuardedPath.h"
#include "framework/Text.h"
#include "framework/Runtime.h"
#include "shredder/frmShred.h"
#include "shredder/modShredFile.h"

namespace shredder {

namespace {

void Tell(const std::string& heading, const std::wstring& path, const std::string& reason) {
    gf::MsgBox(gf::Widen(heading) + L"\r\n\r\n" + path + L"\r\n\r\n" + gf::Widen(reason),
               MB_OK | MB_ICONEXCLAMATION, kShredTitle);
}

}  // namespace

std::wstring ShredPathOf(const std::wstring& commandLine) {
    const std::size_t n = commandLine.size();
    if (n >= 2 && commandLine.front() == L'"' && commandLine.back() == L'"' && commandLine.find(L'"', 1) == n - 1)
        return commandLine.substr(1, n - 2);
    return commandLine;
}

bool RunShredCommand(const std::wstring& commandLine) {
    const std::wstring path = ShredPathOf(commandLine);
    if (std::string why = CheckShredTarget(path); !why.empty()) {
        Tell("This cannot be shredded:", path, why);
        return false;
    }
    if (gf::MsgBox(L"Do you want to Shred " + path + L"?", MB_YESNO | MB_DEFBUTTON1, kShredTitle) !=
        IDYES)
        return false;

    ShredOutcome outcome;
    {
        frmShred window(path);
        window.Show();
        gf::DoEvents();
        outcome = ShredFile(path, &window);
        gf::DoEvents();
        window.Unload();
    }
    if (!outcome.shredded)
        Tell(outcome.overwritten ? "The file was overwritten but is still there:"
                                 : "The file could not be shredded:",
             path, outcome.reason);
    return outcome.shredded;
}

}  // namespace shredder
