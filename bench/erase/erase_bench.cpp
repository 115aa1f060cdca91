// Erasing a browser cache of 100,000 small files in 1,000 folders with the cleaning's
// DeleteFolderEntries, against two baselines on identical trees under the same Wine: a
// bare walk that deletes with FindFirstFileW / DeleteFileW / RemoveDirectoryW and no
// checks (ours / bare is the price of the guard and of turning the message loop while it
// works; at most 1.6 is the goal), and cmd's own "rd /s /q" (ours / rd; at most 1.0 is the
// goal).
//   bench_erase.exe <work folder holding the trees "ours", "bare" and "rd">
#include <windows.h>

#include <cstdio>
#include <string>

#include "cleaning/FileHelpers.h"
#include "framework/Handles.h"
#include "framework/Text.h"

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

// Empties the folder as the cleaning does, without a single check.
void BareErase(const std::wstring& folder) {
    WIN32_FIND_DATAW fd;
    gf::FindHandle find(FindFirstFileW((folder + L"\\*").c_str(), &fd));
    if (!find) return;
    do {
        std::wstring name = fd.cFileName, path = folder + L"\\" + name;
        if (name == L"." || name == L"..") continue;
        if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            BareErase(path);
            RemoveDirectoryW(path.c_str());
        } else {
            DeleteFileW(path.c_str());
        }
    } while (FindNextFileW(find.Get(), &fd));
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
    std::string ours = work + "\\ours", bare = work + "\\bare", rd = work + "\\rd";
    long oursFiles = CountFiles(ours), bareFiles = CountFiles(bare), rdFiles = CountFiles(rd);
    if (oursFiles == 0 || oursFiles != rdFiles || oursFiles != bareFiles) {
        std::fprintf(stderr, "trees differ or are missing: %ld, %ld and %ld files\n", oursFiles, bareFiles,
                     rdFiles);
        return 1;
    }

    double start = Now();
    ModCleaning::DeleteFolderEntries(gf::Widen(ours + "\\*"));
    double oursSeconds = Now() - start;
    long oursLeft = CountFiles(ours);

    start = Now();
    BareErase(std::wstring(bare.begin(), bare.end()));  // the work folder's path is ASCII
    double bareSeconds = Now() - start;
    long bareLeft = CountFiles(bare);

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
    std::printf("  bare walk:           %7.2f s  %8.0f files/s  (%ld left)\n", bareSeconds,
                bareFiles / bareSeconds, bareLeft);
    std::printf("  cmd /c rd /s /q:     %7.2f s  %8.0f files/s  (%ld left)\n", rdSeconds,
                rdFiles / rdSeconds, rdLeft);
    std::printf("  ratio ours/bare: %.3f (goal: at most 1.6)\n", oursSeconds / bareSeconds);
    std::printf("  ratio ours/rd:   %.3f (goal: at most 1.0)\n", oursSeconds / rdSeconds);
    return oursLeft == 0 && bareLeft == 0 ? 0 : 1;
}
