#pragma once
// Shared by the automatic-cleaning tests: stand-in browsers (a small helper program
// copied under a browser's name into a scratch folder and started) and a timer that
// ticks through real WM_TIMER messages.
#include <windows.h>

#include <functional>
#include <string>

#include "TestSupport.h"
#include "framework/Timer.h"

namespace watcher_support {

inline std::string TestBinFolder() {
    char exe[MAX_PATH];
    GetModuleFileNameA(nullptr, exe, MAX_PATH);
    std::string dir = exe;
    return dir.substr(0, dir.find_last_of('\\'));
}

// A running copy of the stand-in under `exeName` in `dir`; ended when it goes.
class StandIn {
public:
    StandIn(const testing_support::ScratchDir& dir, const std::string& exeName) : path_(dir / exeName) {
        CopyFileA((TestBinFolder() + "\\browser_standin.exe").c_str(), path_.c_str(), FALSE);
        std::string cmd = "\"" + path_ + "\"";
        STARTUPINFOA si = {sizeof si};
        if (CreateProcessA(path_.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi_))
            CloseHandle(pi_.hThread);
        else
            pi_ = {};
    }
    ~StandIn() { End(); }
    StandIn(const StandIn&) = delete;
    StandIn& operator=(const StandIn&) = delete;

    bool Started() const { return pi_.hProcess != nullptr; }
    DWORD Pid() const { return pi_.dwProcessId; }
    // Ends the process and waits until it is gone.
    void End() {
        if (!pi_.hProcess) return;
        TerminateProcess(pi_.hProcess, 0);
        WaitForSingleObject(pi_.hProcess, 10000);
        CloseHandle(pi_.hProcess);
        pi_ = {};
    }

private:
    std::string path_;
    PROCESS_INFORMATION pi_ = {};
};

// The main window's kind of timer, running as on a loaded form, counting its ticks.
class LoopTimer : public gf::Timer {
public:
    LoopTimer(std::string name, unsigned intervalMs) : gf::Timer(std::move(name)) {
        SetEnabled(false);
        SetInterval(intervalMs);
        OnTimer = [this] {
            ++ticks;
            if (onTick) onTick();
        };
        Create(nullptr);  // what loading its form does
    }
    std::function<void()> onTick;
    int ticks = 0;
};

}  // namespace watcher_support
