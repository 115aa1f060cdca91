// What the browser watcher costs with 100 extra processes running:
// - one TCheck tick (both browser names looked up, neither running, so each look
//   covers every process) against a plain walk of the same processes through a
//   Toolhelp snapshot, in the same run;
// - then the option off and on, each for a while, on real 900 ms timers; the CPU the
//   two phases cost this process and Wine's server is read from outside by run.sh,
//   which follows the phases in <work folder>\phase.txt and removes it at the end.
//   bench_watcher.exe <work folder holding WORKER.EXE> [seconds per phase, default 20]
#include <windows.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/AutoClean.h"
#include "framework/Runtime.h"

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

struct Times {
    double median, fastest;
};

template <typename F>
Times Measure(const char* what, int rounds, F&& f) {
    std::vector<double> times;
    for (int i = 0; i < rounds; ++i) {
        double t0 = NowMs();
        f();
        times.push_back(NowMs() - t0);
    }
    std::sort(times.begin(), times.end());
    std::printf("%-34s median %8.3f ms  min %8.3f ms  max %8.3f ms\n", what, times[times.size() / 2], times.front(),
                times.back());
    return {times[times.size() / 2], times.front()};
}

void MarkPhase(const std::string& file, const char* phase) {
    if (FILE* f = std::fopen(file.c_str(), "w")) {
        std::fputs(phase, f);
        std::fclose(f);
    }
}

// Runs the message loop (and so the timers) for `ms`.
void PumpFor(double ms) {
    const double end = NowMs() + ms;
    for (double now = NowMs(); now < end; now = NowMs()) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(end - now) + 1, QS_ALLINPUT);
        gf::DoEvents();
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_watcher <work folder holding WORKER.EXE> [seconds per phase]\n");
        return 2;
    }
    std::string folder = argv[1];
    const double phaseMs = 1000.0 * (argc > 2 ? std::atof(argv[2]) : 20.0);
    std::string worker = folder + "\\WORKER.EXE";
    const std::string phaseFile = folder + "\\phase.txt";
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

    // Timers of no loaded form never tick: the bench drives the first ticks itself,
    // then creates the timers as loading the main window does.
    gf::Timer tCheck("TCheck"), tClosed("TClosed");
    int cleans = 0;
    app::BrowserWatcher watcher(tCheck, tClosed, [&] { ++cleans; });
    watcher.SetActive(true);

    constexpr int kRounds = 30;
    // The first look finds the size the process list needs; the ticks measured reuse it.
    watcher.TCheck_Timer();
    const Times base = Measure("baseline: Toolhelp walk, 2 names", kRounds,
                               [&] { SnapshotFinds("IEXPLORE.EXE", "FIREFOX.EXE", seen); });
    const Times tick = Measure("watcher: one TCheck tick", kRounds, [&] { watcher.TCheck_Timer(); });
    // Wine's snapshots slow down after the first few in a process: the fastest ones too.
    std::printf("ratio tick / baseline: %.2f of the medians, %.2f of the fastest (target <= 1.5)\n",
                tick.median / base.median, tick.fastest / base.fastest);
    std::fflush(stdout);

    for (gf::Timer* t : {&tCheck, &tClosed}) {
        t->SetInterval(app::BrowserWatcher::kIntervalMs);
        t->Create(nullptr);
    }
    tCheck.OnTimer = [&] { watcher.TCheck_Timer(); };
    tClosed.OnTimer = [&] { watcher.TClosed_Timer(); };
    watcher.SetActive(false);
    MarkPhase(phaseFile, "off");
    PumpFor(phaseMs);
    watcher.SetActive(true);
    MarkPhase(phaseFile, "on");
    PumpFor(phaseMs);
    watcher.SetActive(false);
    MarkPhase(phaseFile, "done");
    // run.sh reads this process's CPU time at "done" and then removes the mark.
    for (int i = 0; i < 500 && GetFileAttributesA(phaseFile.c_str()) != INVALID_FILE_ATTRIBUTES; ++i) Sleep(20);

    children.clear();
    DeleteFileA(worker.c_str());
    return cleans == 0 && !watcher.ieOpen() ? 0 : 1;
}
