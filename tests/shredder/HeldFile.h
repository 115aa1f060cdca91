#pragma once
// Another program (tests/helpers/hold_file_open.exe) that holds a file open without
// sharing for as long as this object lives. Header-only: one source per test exe.
#include <windows.h>

#include <string>

#include "TestSupport.h"

namespace shredder_tests {

class HeldFile {
public:
    explicit HeldFile(const std::string& path) {
        std::string ready = testing_support::UniqueName("GfHoldReady");
        std::string release = testing_support::UniqueName("GfHoldRelease");
        ready_ = CreateEventA(nullptr, TRUE, FALSE, ready.c_str());
        release_ = CreateEventA(nullptr, TRUE, FALSE, release.c_str());
        char exe[MAX_PATH];
        GetModuleFileNameA(nullptr, exe, MAX_PATH);
        std::string helper = exe;
        helper = helper.substr(0, helper.find_last_of('\\')) + "\\hold_file_open.exe";
        std::string cmd = "\"" + helper + "\" \"" + path + "\" " + ready + " " + release;
        STARTUPINFOA si{sizeof si};
        if (CreateProcessA(helper.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                           &si, &process_))
            holding_ = WaitForSingleObject(ready_, 10000) == WAIT_OBJECT_0;
    }
    ~HeldFile() { Release(); }
    HeldFile(const HeldFile&) = delete;
    HeldFile& operator=(const HeldFile&) = delete;

    bool Holding() const { return holding_; }
    // Lets go of the file; the helper's exit code (0 when it held the file all along).
    DWORD Release() {
        if (!process_.hProcess) return exitCode_;
        SetEvent(release_);
        WaitForSingleObject(process_.hProcess, 10000);
        GetExitCodeProcess(process_.hProcess, &exitCode_);
        CloseHandle(process_.hThread);
        CloseHandle(process_.hProcess);
        CloseHandle(ready_);
        CloseHandle(release_);
        process_ = {};
        return exitCode_;
    }

private:
    HANDLE ready_ = nullptr, release_ = nullptr;
    PROCESS_INFORMATION process_{};
    bool holding_ = false;
    DWORD exitCode_ = 99;
};

}  // namespace shredder_tests
