#pragma once
// For the automatic-cleaning tests: stand-in browsers (a helper program copied under a
// browser's name and started) and the window's kind of timer, counting its ticks.
#include <windows.h>
#include <psapi.h>

#include <functional>
#include <string>

#include "Process.h"
#include "TestSupport.h"
#include "framework/Timer.h"

namespace watcher_support {

class StandIn : public testing_support::ChildProcess {
public:
    StandIn(const testing_support::ScratchDir& dir, const std::string& exeName)
        : ChildProcess(CopiedAs(dir / exeName)) {
        // Until its loader has run, a new process has no executable name to read.
        char name[MAX_PATH];
        for (int i = 0; Started() && i < 500 && !GetModuleFileNameExA(Handle(), nullptr, name, MAX_PATH); ++i) Sleep(10);
    }

private:
    static std::string CopiedAs(const std::string& path) {
        CopyFileA((testing_support::ExeFolder() + "\\browser_standin.exe").c_str(), path.c_str(), FALSE);
        return "\"" + path + "\"";
    }
};

class LoopTimer : public gf::Timer {
public:
    LoopTimer(std::string name, unsigned intervalMs) : gf::Timer(std::move(name)) {
        SetEnabled(false);
        SetInterval(intervalMs);
        OnTimer = [this] {
            ++ticks;
            if (onTick) onTick();
        };
        Create(nullptr);  // as loading its form does
    }
    std::function<void()> onTick;
    int ticks = 0;
};

}  // namespace watcher_support
