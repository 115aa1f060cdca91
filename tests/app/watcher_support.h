#pragma once
// For the automatic-cleaning tests: stand-in browsers (a helper program copied under a
// browser's name and started) and the window's kind of timer, counting its ticks.
#include <windows.h>
#include <psapi.h>

#include <functional>
#include <string>

#include "TestSupport.h"
#include "framework/Timer.h"

namespace watcher_support {

class StandIn {
public:
    StandIn(const testing_support::ScratchDir& dir, const std::string& exeName) : path_(dir / exeName) {
        char self[MAX_PATH];
        GetModuleFileNameA(nullptr, self, MAX_PATH);
        std::string bin = self;
        CopyFileA((bin.substr(0, bin.find_last_of('\\')) + "\\browser_standin.exe").c_str(), path_.c_str(), FALSE);
        STARTUPINFOA si = {sizeof si};
        std::string cmd = "\"" + path_ + "\"";
        if (!CreateProcessA(path_.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi_))
            return;
        CloseHandle(pi_.hThread);
        // Until its loader has run, a new process has no executable name to read.
        char name[MAX_PATH];
        for (int i = 0; i < 500 && !GetModuleFileNameExA(pi_.hProcess, nullptr, name, MAX_PATH); ++i) Sleep(10);
    }
    ~StandIn() { End(); }
    StandIn(const StandIn&) = delete;
    StandIn& operator=(const StandIn&) = delete;
    bool Started() const { return pi_.hProcess != nullptr; }
    DWORD Pid() const { return pi_.dwProcessId; }
    void End() {  // and wait until it is gone
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
