// Times the sample tracker generator on a tracker of 1,000,000 items (or the
// count given as the first argument), written to a scratch file that is
// removed afterwards. The goal is under 15 seconds for the million.
#include "bench/common/bench_table.h"
#include "host/sample/sample_tracker.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <string>
#include <unistd.h>

int main(int argc, char** argv) {
    vorn::host::SampleOptions options;
    options.items = argc > 1 ? std::atoi(argv[1]) : 1'000'000;
    options.projects = 400;
    options.users = 40;
    const std::string path = (std::filesystem::temp_directory_path() /
                              ("bench_sample-" + std::to_string(::getpid()) + ".db"))
                                 .string();
    try {
        const auto start = std::chrono::steady_clock::now();
        vorn::host::writeSampleTracker(path, options);
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        const auto bytes = std::filesystem::file_size(path);
        std::filesystem::remove(path);
        std::printf("sample tracker: %d items, %d projects in %.2f s, %.0f items/s, %.1f MB\n",
                    options.items, options.projects, took.count(), options.items / took.count(),
                    static_cast<double>(bytes) / 1e6);
        vorn::bench::printRow({"sample tracker, " + std::to_string(options.items) + " items",
                               took.count(), "s", "goal", 15.0, vorn::bench::peakResidentMb()});
        return took.count() < 15.0 ? 0 : 1;
    } catch (const std::exception& error) {
        std::filesystem::remove(path);
        std::fprintf(stderr, "bench_sample: %s\n", error.what());
        return 2;
    }
}
