// The shredder alone, in this process: overwrites, flushes and deletes one file and
// prints the seconds it took ("seconds=..."). bench/shred/run.sh times the whole
// program and dd beside it, on files of the same size in the same run.
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <string>

#include "shredder/modShredFile.h"

int main() {
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (!argv || argc < 2) {
        std::fprintf(stderr, "usage: bench_shred <file>\n");
        return 2;
    }
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    shredder::ShredOutcome outcome = shredder::ShredFile(argv[1]);
    QueryPerformanceCounter(&end);
    if (!outcome.shredded) {
        std::fprintf(stderr, "not shredded: %s\n", outcome.reason.c_str());
        return 1;
    }
    std::printf("seconds=%.3f\n", double(end.QuadPart - start.QuadPart) / double(frequency.QuadPart));
    return 0;
}
