#pragma once
// Other processes for the tests: helper programs from the test binaries' folder
// started and ended by handle, and one that holds a file open as another program would.
#include <windows.h>

#include <optional>
#include <string>

namespace testing_support {

class ChildProcess {
public:
    // Starts a command line whose first word (quoted if need be) is the program.
    explicit ChildProcess(const std::string& commandLine, const std::string& workDir = "");
    ~ChildProcess() { End(); }
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;
    bool Started() const { return pi_.hProcess != nullptr; }
    DWORD Pid() const { return pi_.dwProcessId; }
    HANDLE Handle() const { return pi_.hProcess; }
    // Waits for its end; its exit code, or STILL_ACTIVE when it ran on past ms.
    DWORD Wait(DWORD ms = 20000);
    // Ends it if it still runs, and waits until it is gone.
    void End();

private:
    PROCESS_INFORMATION pi_{};
};

// tests/helpers/holdfile.exe holding a file open without sharing for as long as this
// object lives (or until Release).
class HeldFile {
public:
    explicit HeldFile(const std::string& path);
    ~HeldFile() { Release(); }
    HeldFile(const HeldFile&) = delete;
    HeldFile& operator=(const HeldFile&) = delete;
    bool Holding() const { return holding_; }
    // Lets go of the file; the helper's exit code (0 when it held the file throughout).
    DWORD Release();

private:
    HANDLE ready_ = nullptr, release_ = nullptr;
    std::optional<ChildProcess> process_;
    bool holding_ = false;
    DWORD exitCode_ = 99;
};

}  // namespace testing_support
