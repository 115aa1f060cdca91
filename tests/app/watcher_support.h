#pragma once
// Shared by the automatic-cleaning tests: stand-in browsers (a small helper program
// copied under a browser's name into a scratch folder and started) and a timer that
// ticks through real WM_TIMER messages.
#include <windows.h>

#include <functional>
#include <map>
#include <string>

#include "TestSupport.h"
#include "framework/Control.h"

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

// A timer control whose ticks come from the message loop, as the main window's do.
class LoopTimer : public gf::Control {
public:
    LoopTimer(std::string name, UINT intervalMs) : gf::Control(std::move(name)), interval_(intervalMs) {
        visible_ = false;
        enabled_ = false;
    }
    ~LoopTimer() override { Stop(); }
    const char* TypeName() const override { return "Timer"; }
    bool HasGeometry() const override { return false; }
    void SetEnabled(bool on) override {
        enabled_ = on;
        if (on && !id_) {
            id_ = SetTimer(nullptr, 0, interval_, &LoopTimer::Proc);
            Registry()[id_] = this;
        } else if (!on) {
            Stop();
        }
    }
    std::function<void()> onTick;
    int ticks = 0;

private:
    void Stop() {
        if (!id_) return;
        KillTimer(nullptr, id_);
        Registry().erase(id_);
        id_ = 0;
    }
    static std::map<UINT_PTR, LoopTimer*>& Registry() {
        static std::map<UINT_PTR, LoopTimer*> timers;
        return timers;
    }
    static void CALLBACK Proc(HWND, UINT, UINT_PTR id, DWORD) {
        auto it = Registry().find(id);
        if (it == Registry().end()) return;
        LoopTimer* t = it->second;
        ++t->ticks;
        if (t->onTick) t->onTick();
    }

    UINT interval_;
    UINT_PTR id_ = 0;
};

}  // namespace watcher_support
