// Times a program from its start until a visible top-level window of its own with the
// given title exists, then reads its private memory and ends it.
//   bench_startup_probe <exe> <window title> <runs>
// Prints one line per run: "ms=<milliseconds> private_kb=<kilobytes>".
#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <string>

namespace {

struct Search {
    DWORD pid;
    const char* title;
    HWND found;
};

BOOL CALLBACK Visit(HWND h, LPARAM p) {
    auto* s = reinterpret_cast<Search*>(p);
    DWORD pid = 0;
    GetWindowThreadProcessId(h, &pid);
    if (pid != s->pid || !IsWindowVisible(h)) return TRUE;
    char text[256] = "";
    GetWindowTextA(h, text, sizeof text);
    if (s->title == std::string(text)) {
        s->found = h;
        return FALSE;
    }
    return TRUE;
}

double Seconds(LARGE_INTEGER a, LARGE_INTEGER b) {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return double(b.QuadPart - a.QuadPart) / double(f.QuadPart);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: bench_startup_probe exe title runs\n");
        return 2;
    }
    int runs = std::atoi(argv[3]);
    for (int r = 0; r < runs; ++r) {
        std::string cmd = std::string("\"") + argv[1] + "\"";
        STARTUPINFOA si = {sizeof si};
        PROCESS_INFORMATION pi = {};
        LARGE_INTEGER t0, t1;
        QueryPerformanceCounter(&t0);
        if (!CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
            std::fprintf(stderr, "cannot start %s\n", argv[1]);
            return 1;
        }
        Search s{pi.dwProcessId, argv[2], nullptr};
        for (int i = 0; i < 30000 && !s.found; ++i) {
            EnumWindows(Visit, reinterpret_cast<LPARAM>(&s));
            if (!s.found) Sleep(1);
        }
        QueryPerformanceCounter(&t1);
        Sleep(1500);  // let it settle before its memory is read
        PROCESS_MEMORY_COUNTERS_EX pmc = {};
        pmc.cb = sizeof pmc;
        GetProcessMemoryInfo(pi.hProcess, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&pmc), sizeof pmc);
        // Ends only the process this probe started.
        TerminateProcess(pi.hProcess, 0);
        WaitForSingleObject(pi.hProcess, 10000);
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
        // Private bytes; Wine fills only the page-file figure, which on Windows is the same.
        SIZE_T priv = pmc.PrivateUsage ? pmc.PrivateUsage : pmc.PagefileUsage;
        std::printf("ms=%.1f private_kb=%llu working_set_kb=%llu found=%d\n", Seconds(t0, t1) * 1000.0,
                    static_cast<unsigned long long>(priv / 1024),
                    static_cast<unsigned long long>(pmc.WorkingSetSize / 1024), s.found ? 1 : 0);
        std::fflush(stdout);
        Sleep(300);
    }
    return 0;
}
