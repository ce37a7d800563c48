// One row of the table `make bench` prints (scripts/run-bench gathers the rows
// of every benchmark): our figure, the peer's figure beside it (another
// program doing the same work, or the goal where no peer exists), the ratio
// of the two and our peak memory. Each row is a line of its own on standard
// output, starting with "@row", between the benchmark's own report lines.
#pragma once

#include <cstdio>
#include <fstream>
#include <string>

namespace vorn::bench {

struct TableRow {
    std::string what; // "item list to PDF, 100,000 items"
    double ours = 0;  // in `unit`
    std::string unit; // "s", "rows/s", "pages/s"
    std::string peer; // "bare cairo", "goal"
    double peerValue = 0;
    double peakMb = 0; // ours; 0 when not measured
};

// Three significant figures or so, without exponents: 1234567 rows/s, 0.482 s.
inline std::string figure(double value, const std::string& unit) {
    char text[64];
    std::snprintf(text, sizeof text,
                  value >= 100 ? "%.0f %s"
                  : value >= 1 ? "%.2f %s"
                               : "%.3f %s",
                  value, unit.c_str());
    return text;
}

inline void printRow(const TableRow& row) {
    const double ratio = row.peerValue != 0 ? row.ours / row.peerValue : 0;
    std::printf("@row\t%s\t%s\t%s\t%s\t%.2f\t%.1f\n", row.what.c_str(),
                figure(row.ours, row.unit).c_str(), row.peer.c_str(),
                figure(row.peerValue, row.unit).c_str(), ratio, row.peakMb);
    std::fflush(stdout);
}

/// This process's resident memory high-water mark in MB.
inline double peakResidentMb() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.starts_with("VmHWM:"))
            return std::stod(line.substr(6)) / 1024.0;
    return 0;
}

} // namespace vorn::bench
