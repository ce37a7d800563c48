// Measures the item list to PDF: our engine (design, layout, painting, PDF),
// a bare cairo loop drawing the same pages, and ReportLab's canvas, side by side,
// each in a child process of its own so that its peak memory is its own.
//
//   vorn_engine_bench [items...] [--out DIR] [--no-peer] [--peer-max ITEMS] [--repeat N]
//
// --peer-max runs ReportLab only up to that many items (it takes minutes for a
// million). The engine's peak memory has a goal of its own, whatever the size.
// Prints wall time, pages per second and peak RSS, then the ratios. With
// --repeat each program runs N times and its fastest run counts, which steadies
// the figures on a busy machine.
#include "bench/common/bench_table.h"
#include "bench/engine/bare_cairo_list.h"
#include "bench/engine/item_records.h"
#include "platform/engine/output/pdf_writer.h"
#include "platform/engine/printing/print_progress.h"
#include "platform/engine/render/run_report.h"
#include "reports/designs/embedded_designs.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <limits>
#include <stdexcept>
#include <string>
#include <vector>

namespace vorn::bench {
namespace {

using Clock = std::chrono::steady_clock;

/// Adds the columns the way the item list's own code does, in portrait.
void addColumns(engine::Report& report) {
    constexpr int kWidth = 8;
    report.control("linItem").x2 = kWidth * 1380;
    report.control("Label22").left = kWidth * 1100;
    report.control("txtPageNumber").left = kWidth * 1100 + 450;
    report.control("Label21").left = kWidth * 1100 + 900;
    report.control("txtPageCount").left = kWidth * 1100 + 1080;
    report.control("Image2").left = kWidth * 1250;
    engine::Section& header = report.section("PageHeader");
    engine::Section& detail = report.section("Detail");
    const int right = kWidth * 1440;
    int x = 250;
    int row = 0;
    for (const ItemColumn& column : itemColumns()) {
        engine::Control& label = header.controls.add("DDActiveReports.Label");
        label.height = 200;
        label.width = column.fieldWidth;
        if (x + label.width + 250 > right) {
            ++row;
            x = 350;
            header.height += 200;
        }
        label.top = 1170 + 200 * row;
        label.left = x;
        label.font.name = "Tahoma";
        label.font.bold = true;
        label.caption = column.friendlyName;
        engine::Control& field = detail.controls.add("DDActiveReports.Field");
        field.height = 200;
        field.width = column.fieldWidth;
        field.top = 200 * row;
        field.left = x;
        field.font.name = "Tahoma";
        field.dataSource = "rdoReport";
        field.dataField = column.fieldName;
        x += column.fieldWidth + 45;
    }
    detail.height = 200 * (row + 1) + 100;
}

int runEngine(int items, const std::string& path) {
    auto report = designs::loadReport("repVornItemList");
    addColumns(*report);
    report->recordSourceOpener = [items](const engine::DataControl&) {
        return std::make_unique<ItemRecords>(items);
    };
    report->setPageFooterBeforePrint(
        [&] { report->control("lblDatePrinted").caption = "05/12/2026 18:00:00"; });
    // Watched as a print from the command line is: a cancel pipe looked at and
    // a progress line written (to nowhere), so their cost is in the figures.
    int cancel[2];
    if (pipe(cancel) != 0)
        throw std::runtime_error("cannot make a pipe");
    engine::PrintProgressOptions watch;
    watch.cancelFd = cancel[0];
    watch.lineFd = open("/dev/null", O_WRONLY);
    watch.window = false;
    engine::PrintProgress progress(watch);
    const auto start = Clock::now();
    auto document =
        engine::runReportPageByPage(*report, engine::kWholeReportPages, progress.callback());
    const auto laidOut = Clock::now();
    engine::writePdf(*document, path, progress.callback());
    // A long report is only counted before writing and laid out as it is written.
    std::printf("  (engine: layout or page count %.2f s, painting and PDF %.2f s)\n",
                std::chrono::duration<double>(laidOut - start).count(),
                std::chrono::duration<double>(Clock::now() - laidOut).count());
    std::fflush(stdout);
    return document->pageCount();
}

int runBareCairo(int items, const std::string& path) {
    // The geometry the engine gives the list: one 15-point line per item between
    // the page header (71.25 points) and the footer (23.25 points).
    ListGeometry g;
    g.marginLeft = 770 / 20.0;
    g.bodyTop = 72 + 1425 / 20.0;
    g.rowHeight = 300 / 20.0;
    g.footerTop = 792 - 72 - 465 / 20.0;
    g.rowsPerPage = static_cast<int>((g.footerTop - g.bodyTop) / g.rowHeight + 1e-9);
    return writeBareCairoList(items, g, path);
}

struct Measured {
    double seconds = 0;
    double peakMb = 0;
    int pages = 0;
    bool ok = false;
};

/// Runs `work` in a child; the child reports its page count through a pipe.
template <typename Work> Measured inChild(Work work) {
    int fds[2];
    if (pipe(fds) != 0)
        return {};
    std::fflush(stdout);
    const auto start = Clock::now();
    pid_t pid = fork();
    if (pid == 0) {
        close(fds[0]);
        int pages = -1;
        try {
            pages = work();
        } catch (const std::exception& e) {
            std::fprintf(stderr, "failed: %s\n", e.what());
        }
        const std::string text = std::to_string(pages) + "\n";
        [[maybe_unused]] auto written = write(fds[1], text.data(), text.size());
        _exit(pages >= 0 ? 0 : 1);
    }
    close(fds[1]);
    std::string text;
    char buffer[64];
    ssize_t n;
    while ((n = read(fds[0], buffer, sizeof buffer)) > 0)
        text.append(buffer, static_cast<std::size_t>(n));
    close(fds[0]);
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    Measured m;
    m.seconds = std::chrono::duration<double>(Clock::now() - start).count();
    m.peakMb = static_cast<double>(usage.ru_maxrss) / 1024.0;
    m.pages = std::atoi(text.c_str());
    m.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    return m;
}

constexpr double kPeakGoalMb = 100;

Measured runPeer(int items, const std::string& path) {
    return inChild([&]() -> int {
        const std::string command = std::string("/usr/bin/python3 ") + VORN_BENCH_PEER_SCRIPT +
                                    " " + std::to_string(items) + " '" + path + "'";
        FILE* pipe = popen(command.c_str(), "r");
        if (!pipe)
            return -1;
        int pages = -1;
        if (std::fscanf(pipe, "%d", &pages) != 1)
            pages = -1;
        return pclose(pipe) == 0 ? pages : -1;
    });
}

template <typename Run> Measured fastest(int repeat, Run run) {
    Measured best = run();
    for (int i = 1; i < repeat && best.ok; ++i) {
        Measured next = run();
        if (!next.ok || next.seconds < best.seconds)
            best = next;
    }
    return best;
}

void print(const char* what, const Measured& m) {
    if (!m.ok) {
        std::printf("  %-12s failed\n", what);
        return;
    }
    std::printf("  %-12s %8.2f s %9.0f pages/s %8.1f MB peak  (%d pages)\n", what, m.seconds,
                m.pages / m.seconds, m.peakMb, m.pages);
}

} // namespace
} // namespace vorn::bench

int main(int argc, char** argv) {
    using namespace vorn::bench;
    std::vector<int> counts;
    std::filesystem::path out = std::filesystem::temp_directory_path() / "vorn-engine-bench";
    bool peer = true;
    int peerMax = std::numeric_limits<int>::max();
    int repeat = 1;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--out") == 0 && i + 1 < argc)
            out = argv[++i];
        else if (std::strcmp(argv[i], "--repeat") == 0 && i + 1 < argc)
            repeat = std::max(1, std::atoi(argv[++i]));
        else if (std::strcmp(argv[i], "--no-peer") == 0)
            peer = false;
        else if (std::strcmp(argv[i], "--peer-max") == 0 && i + 1 < argc)
            peerMax = std::atoi(argv[++i]);
        else
            counts.push_back(std::atoi(argv[i]));
    }
    if (counts.empty())
        counts = {10000, 100000};
    std::filesystem::create_directories(out);
    bool ok = true;
    for (int items : counts) {
        std::printf("%d items, US Letter, six columns:\n", items);
        const std::string tag = std::to_string(items);
        const std::string enginePdf = (out / ("engine-" + tag + ".pdf")).string();
        const std::string barePdf = (out / ("cairo-" + tag + ".pdf")).string();
        Measured engine =
            fastest(repeat, [&] { return inChild([&] { return runEngine(items, enginePdf); }); });
        Measured bare =
            fastest(repeat, [&] { return inChild([&] { return runBareCairo(items, barePdf); }); });
        print("engine", engine);
        print("bare cairo", bare);
        Measured reportlab;
        const bool runPeerHere = peer && items <= peerMax;
        if (runPeerHere) {
            reportlab = fastest(repeat, [&] {
                return runPeer(items, (out / ("reportlab-" + tag + ".pdf")).string());
            });
            print("reportlab", reportlab);
        }
        const std::string what = "item list to PDF, " + std::to_string(items) + " items";
        if (engine.ok && bare.ok) {
            std::printf("  engine / bare cairo time: %.2f (goal at most 1.5)\n",
                        engine.seconds / bare.seconds);
            printRow({what, engine.seconds, "s", "bare cairo", bare.seconds, engine.peakMb});
        }
        if (engine.ok && reportlab.ok) {
            std::printf("  reportlab / engine time:  %.2f (goal at least 2)\n",
                        reportlab.seconds / engine.seconds);
            printRow({what, engine.seconds, "s", "ReportLab", reportlab.seconds, engine.peakMb});
        }
        // Pages are laid out, written and forgotten one by one, so the memory
        // a report needs must not grow with its length.
        const bool memoryOk = engine.ok && engine.peakMb < kPeakGoalMb;
        if (engine.ok) {
            std::printf("  engine peak memory: %.1f MB (goal under %.0f MB)\n", engine.peakMb,
                        kPeakGoalMb);
            printRow(
                {what + ", peak memory", engine.peakMb, "MB", "goal", kPeakGoalMb, engine.peakMb});
        }
        ok = ok && engine.ok && bare.ok && memoryOk && (!runPeerHere || reportlab.ok);
    }
    return ok ? 0 : 1;
}
