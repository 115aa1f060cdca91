#pragma once
// Other processes for the tests: helper programs from the test binaries' folder
// started and ended by handle, and one that holds a file open as another program would.
#include <windows.h>

#include <optional>
#include <string>

#include "TestSupport.h"

namespace testing_support {

class ChildProcess {
public:
    // Starts a command line whose first word (quoted if need be) is the program.
    explicit ChildProcess(std::string commandLine) {
        STARTUPINFOA si{sizeof si};
        if (CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi_))
            CloseHandle(pi_.hThread);
        else
            pi_ = {};
    }
    ~ChildProcess() { End(); }
    ChildProcess(const ChildProcess&) = delete;
    bool Started() const { return pi_.hProcess != nullptr; }
    HANDLE Handle() const { return pi_.hProcess; }
    // Waits for its end; its exit code, or STILL_ACTIVE when it ran on past ms.
    DWORD Wait(DWORD ms = 20000) {
        DWORD code = STILL_ACTIVE;
        if (pi_.hProcess && WaitForSingleObject(pi_.hProcess, ms) == WAIT_OBJECT_0)
            GetExitCodeProcess(pi_.hProcess, &code);
        return code;
    }
    // Ends it if it still runs (one that ended keeps its code), and waits until it is gone.
    void End() {
        if (!pi_.hProcess) return;
        TerminateProcess(pi_.hProcess, 1);
        WaitForSingleObject(pi_.hProcess, 10000);
        CloseHandle(pi_.hProcess);
        pi_ = {};
    }

private:
    PROCESS_INFORMATION pi_{};
};

// tests/helpers/holdfile.exe holding a file open while this object lives (or until
// Release): without sharing, or with every sharing to read ("shared") or write ("writer").
class HeldFile {
public:
    explicit HeldFile(const std::string& path, const std::string& mode = "") {
        const std::string ready = UniqueName("GfHoldReady"), release = UniqueName("GfHoldRelease");
        ready_ = CreateEventA(nullptr, TRUE, FALSE, ready.c_str());
        release_ = CreateEventA(nullptr, TRUE, FALSE, release.c_str());
        std::string command = "\"";  // built by appending: a quote put in front trips a false -Wrestrict
        process_.emplace(
            command.append(ExeFolder() + "\\holdfile.exe\" \"" + path + "\" " + ready + " " + release + " " + mode));
        holding_ = process_->Started() && WaitForSingleObject(ready_, 20000) == WAIT_OBJECT_0;
    }
    ~HeldFile() { Release(); }
    HeldFile(const HeldFile&) = delete;
    bool Holding() const { return holding_; }
    // Lets go of the file; the helper's exit code (0 when it held the file throughout).
    DWORD Release() {
        if (!process_) return exitCode_;
        SetEvent(release_);
        exitCode_ = process_->Wait(10000);
        process_.reset();
        CloseHandle(ready_);
        CloseHandle(release_);
        return exitCode_;
    }

private:
    HANDLE ready_ = nullptr, release_ = nullptr;
    std::optional<ChildProcess> process_;
    bool holding_ = false;
    DWORD exitCode_ = 99;
};

}  // namespace testing_support
