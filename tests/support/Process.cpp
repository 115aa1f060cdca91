#include "Process.h"

#include "TestSupport.h"

namespace testing_support {

ChildProcess::ChildProcess(const std::string& commandLine, const std::string& workDir) {
    std::string cmd = commandLine;
    STARTUPINFOA si{sizeof si};
    if (!CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        workDir.empty() ? nullptr : workDir.c_str(), &si, &pi_))
        pi_ = {};
    else
        CloseHandle(pi_.hThread);
}

DWORD ChildProcess::Wait(DWORD ms) {
    DWORD code = STILL_ACTIVE;
    if (pi_.hProcess && WaitForSingleObject(pi_.hProcess, ms) == WAIT_OBJECT_0) GetExitCodeProcess(pi_.hProcess, &code);
    return code;
}

void ChildProcess::End() {
    if (!pi_.hProcess) return;
    TerminateProcess(pi_.hProcess, 1);  // a process that already ended keeps its code
    WaitForSingleObject(pi_.hProcess, 10000);
    CloseHandle(pi_.hProcess);
    pi_ = {};
}

HeldFile::HeldFile(const std::string& path) {
    const std::string ready = UniqueName("GfHoldReady"), release = UniqueName("GfHoldRelease");
    ready_ = CreateEventA(nullptr, TRUE, FALSE, ready.c_str());
    release_ = CreateEventA(nullptr, TRUE, FALSE, release.c_str());
    process_.emplace("\"" + ExeFolder() + "\\holdfile.exe\" \"" + path + "\" " + ready + " " + release);
    holding_ = process_->Started() && WaitForSingleObject(ready_, 20000) == WAIT_OBJECT_0;
}

DWORD HeldFile::Release() {
    if (!process_) return exitCode_;
    SetEvent(release_);
    exitCode_ = process_->Wait(10000);
    process_.reset();
    CloseHandle(ready_);
    CloseHandle(release_);
    return exitCode_;
}

}  // namespace testing_support
