// Shredder throughput against the disk's own write speed, measured in the same run on
// the same disk: prepare.sh timed dd over files of the same size and left one fresh
// file per round; each is shredded here (overwrite, flush, delete). Medians count,
// since other work on the machine disturbs single rounds.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "shredder/modShredFile.h"

namespace {

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    std::size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

double Seconds(LARGE_INTEGER from, LARGE_INTEGER to) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return double(to.QuadPart - from.QuadPart) / double(frequency.QuadPart);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_shred <work folder>\n");
        return 2;
    }
    const std::string work = argv[1];
    std::vector<double> dd;
    std::ifstream baseline(work + "\\dd-seconds.txt");
    for (double s; baseline >> s;) dd.push_back(s);

    std::vector<double> ours;
    double bytes = 0;
    for (int round = 1;; ++round) {
        std::string file = work + "\\shred-" + std::to_string(round) + ".dat";
        WIN32_FILE_ATTRIBUTE_DATA data;
        if (!GetFileAttributesExA(file.c_str(), GetFileExInfoStandard, &data)) break;
        bytes = double(data.nFileSizeHigh) * 4294967296.0 + data.nFileSizeLow;
        LARGE_INTEGER start, end;
        QueryPerformanceCounter(&start);
        shredder::ShredOutcome outcome = shredder::ShredFile(file);
        QueryPerformanceCounter(&end);
        if (!outcome.shredded) {
            std::fprintf(stderr, "%s not shredded: %s\n", file.c_str(), outcome.reason.c_str());
            return 1;
        }
        ours.push_back(Seconds(start, end));
    }
    if (dd.empty() || ours.empty()) {
        std::fprintf(stderr, "nothing to compare: run bench/run.sh shred\n");
        return 1;
    }
    for (std::size_t i = 0; i < std::max(dd.size(), ours.size()); ++i)
        std::printf("round %zu: dd %.3f s, shredder %.3f s\n", i + 1, i < dd.size() ? dd[i] : 0.0,
                    i < ours.size() ? ours[i] : 0.0);
    double ddRate = bytes / 1e6 / Median(dd), ourRate = bytes / 1e6 / Median(ours);
    std::printf("medians of %zu rounds of %.0f MiB\n", ours.size(), bytes / 1048576);
    std::printf("dd (baseline): %.0f MB/s\nshredder:      %.0f MB/s\n", ddRate, ourRate);
    std::printf("ratio:         %.2f (target >= 0.80)\n", ourRate / ddRate);
    return 0;
}
