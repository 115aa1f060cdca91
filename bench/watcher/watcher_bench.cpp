// What one tick of the browser watcher costs (both browser names looked up, neither
// running, so each walk covers every process) with 100 extra processes running,
// against a plain walk of the same processes through a Toolhelp snapshot.
//   bench_watcher.exe <work folder holding WORKER.EXE, the stand-in program>
#include <windows.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "app/AutoClean.h"
#include "app/CheckProcess.h"

namespace {

struct Child {
    PROCESS_INFORMATION pi{};
    ~Child() {
        if (!pi.hProcess) return;
        TerminateProcess(pi.hProcess, 0);
        WaitForSingleObject(pi.hProcess, 10000);
        CloseHandle(pi.hProcess);
        CloseHandle(pi.hThread);
    }
};

double NowMs() {
    LARGE_INTEGER f, c;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&c);
    return c.QuadPart * 1000.0 / f.QuadPart;
}

double CpuMs() {
    FILETIME created, ended, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &ended, &kernel, &user);
    auto ms = [](FILETIME t) { return (static_cast<ULONGLONG>(t.dwHighDateTime) << 32 | t.dwLowDateTime) / 10000.0; };
    return ms(kernel) + ms(user);
}

bool SnapshotFinds(const char* a, const char* b, size_t& seen) {
    HANDLE snap = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32 e{};
    e.dwSize = sizeof e;
    bool found = false;
    seen = 0;
    for (BOOL ok = Process32First(snap, &e); ok; ok = Process32Next(snap, &e)) {
        ++seen;
        found |= lstrcmpiA(e.szExeFile, a) == 0 || lstrcmpiA(e.szExeFile, b) == 0;
    }
    CloseHandle(snap);
    return found;
}

template <typename F>
void Measure(const char* what, int rounds, F&& f, double& medianMs, double& cpuMs) {
    std::vector<double> times;
    double cpu0 = CpuMs();
    for (int i = 0; i < rounds; ++i) {
        double t0 = NowMs();
        f();
        times.push_back(NowMs() - t0);
    }
    cpuMs = (CpuMs() - cpu0) / rounds;
    std::sort(times.begin(), times.end());
    medianMs = times[times.size() / 2];
    std::printf("%-34s median %8.3f ms  min %8.3f ms  own CPU %8.3f ms per round\n", what, medianMs, times.front(), cpuMs);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_watcher <work folder holding WORKER.EXE>\n");
        return 2;
    }
    std::string folder = argv[1];
    std::string worker = folder + "\\WORKER.EXE";
    if (GetFileAttributesA(worker.c_str()) == INVALID_FILE_ATTRIBUTES) {
        std::fprintf(stderr, "no %s\n", worker.c_str());
        return 1;
    }
    constexpr int kProcesses = 100;
    std::vector<Child> children(kProcesses);
    for (auto& c : children) {
        STARTUPINFOA si{sizeof si};
        std::string cmd = "\"" + worker + "\"";
        if (!CreateProcessA(worker.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &c.pi)) {
            std::fprintf(stderr, "cannot start a worker\n");
            return 1;
        }
    }
    Sleep(500);
    size_t seen = 0;
    SnapshotFinds("IEXPLORE.EXE", "FIREFOX.EXE", seen);
    std::printf("processes in the list: %zu (%d workers)\n", seen, kProcesses);

    // Timers of no loaded form never tick: the bench drives the ticks itself.
    gf::Timer tCheck("TCheck"), tClosed("TClosed");
    int cleans = 0;
    app::BrowserWatcher watcher(tCheck, tClosed, [&] { ++cleans; });
    watcher.SetActive(true);

    constexpr int kRounds = 30;
    double baseMs, baseCpu, tickMs, tickCpu;
    Measure("baseline: Toolhelp walk, 2 names", kRounds, [&] { SnapshotFinds("IEXPLORE.EXE", "FIREFOX.EXE", seen); },
            baseMs, baseCpu);
    Measure("watcher: one TCheck tick", kRounds, [&] { watcher.TCheck_Timer(); }, tickMs, tickCpu);
    std::printf("ratio tick / baseline: %.1f\n", tickMs / baseMs);
    std::printf("share of the 900 ms tick interval: %.1f %% wall, %.1f %% own CPU\n",
                100.0 * tickMs / app::BrowserWatcher::kIntervalMs, 100.0 * tickCpu / app::BrowserWatcher::kIntervalMs);
    children.clear();
    DeleteFileA(worker.c_str());
    RemoveDirectoryA(folder.c_str());
    return cleans == 0 && !watcher.ieOpen() ? 0 : 1;
}
