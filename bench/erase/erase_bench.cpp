// Erasing a browser cache of 100,000 small files in 1,000 folders with the cleaning's
// DeleteFolderEntries, against cmd's own "rd /s /q" on an identical tree under the same
// Wine. Prints both times, files per second and the ratio (ours / rd; at most 1.0 is
// the goal).
//   bench_erase.exe <work folder holding the trees "ours" and "rd">
#include <windows.h>

#include <cstdio>
#include <string>

#include "cleaning/FileHelpers.h"

namespace {

double Now() {
    LARGE_INTEGER frequency, counter;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Files below a folder; listing both trees first also leaves them equally warm.
long CountFiles(const std::string& folder) {
    long count = 0;
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((folder + "\\*").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE) return 0;
    do {
        std::string name = fd.cFileName;
        if (name == "." || name == "..") continue;
        if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            count += CountFiles(folder + "\\" + name);
        else
            ++count;
    } while (FindNextFileA(h, &fd));
    FindClose(h);
    return count;
}

bool RunRd(const std::string& folder) {
    std::string cmd = "cmd /c rd /s /q \"" + folder + "\"";
    STARTUPINFOA si = {sizeof si};
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return false;
    WaitForSingleObject(pi.hProcess, INFINITE);
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_erase <work folder>\n");
        return 2;
    }
    std::string work = argv[1];
    std::string ours = work + "\\ours", rd = work + "\\rd";
    long oursFiles = CountFiles(ours), rdFiles = CountFiles(rd);
    if (oursFiles == 0 || oursFiles != rdFiles) {
        std::fprintf(stderr, "trees differ or are missing: %ld and %ld files\n", oursFiles, rdFiles);
        return 1;
    }

    double start = Now();
    ModCleaning::DeleteFolderEntries(ours + "\\*");
    double oursSeconds = Now() - start;
    long oursLeft = CountFiles(ours);

    start = Now();
    if (!RunRd(rd)) {
        std::fprintf(stderr, "cannot start cmd\n");
        return 1;
    }
    double rdSeconds = Now() - start;
    long rdLeft = CountFiles(rd);

    std::printf("erase %ld files in 1,000 folders\n", oursFiles);
    std::printf("  DeleteFolderEntries: %7.2f s  %8.0f files/s  (%ld left)\n", oursSeconds,
                oursFiles / oursSeconds, oursLeft);
    std::printf("  cmd /c rd /s /q:     %7.2f s  %8.0f files/s  (%ld left)\n", rdSeconds,
                rdFiles / rdSeconds, rdLeft);
    std::printf("  ratio ours/rd: %.3f (goal: at most 1.0)\n", oursSeconds / rdSeconds);
    return oursLeft == 0 ? 0 : 1;
}
