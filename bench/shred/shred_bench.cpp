// Shreds one file and prints the seconds it took (overwrite, flush and delete), for
// bench/shred/run.sh to compare with dd on the same disk.
#include <windows.h>

#include <cstdio>

#include "shredder/modShredFile.h"

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: shred_bench <file>\n");
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
    std::printf("%.6f\n", double(end.QuadPart - start.QuadPart) / double(frequency.QuadPart));
    return 0;
}
