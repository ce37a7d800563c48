// A host that keeps the component loaded for long: memory, open files and
// windows stay flat over thousands of prints and previews, and two threads
// each run reports with their own state at the same time.
#include "command_and_file.h"
#include "data/mod_report_main.h"
#include "host/objects/field_list.h"
#include "host/sample/sample_tracker.h"
#include "host/tracker_session.h"
#include "pdf_reader.h"
#include "platform/automation/late_bound.h"
#include "platform/engine/preview/preview_registry.h"
#include "platform/toolkit/files.h"
#include "scoped_environment.h"
#include "service/cls_reports.h"
#include "tracker_fixture.h"

#include <gtest/gtest.h>
#include <gtk/gtk.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <unistd.h>

using namespace vorn;
using namespace vorn::automation;
namespace fs = std::filesystem;

namespace {

constexpr int kCalls = VORN_LONGRUN_CALLS;
constexpr const char* kReports[] = {"Vorn Item List Report", "Item Detail Report", "Project Detail",
                                    "User Detail"};
constexpr const char* kColumns[] = {"ItemIndex:Item:700,Subject:Subject:4300,Status:Status:1300",
                                    host::kDefaultColumns};

struct Usage {
    long rssKb, fds, windows;
};

Usage usage() {
    long pages = 0;
    std::ifstream("/proc/self/statm") >> pages >> pages; // size, then resident
    GList* windows = gtk_window_list_toplevels();
    const Usage now{pages * (sysconf(_SC_PAGESIZE) / 1024),
                    std::distance(fs::directory_iterator("/proc/self/fd"), {}),
                    static_cast<long>(g_list_length(windows))};
    g_list_free(windows);
    return now;
}

void settleWindows() {
    engine::closeAllPreviews();
    while (gtk_events_pending())
        gtk_main_iteration();
}

// What a host keeps open while it runs: a tracker's connection and its tree.
struct Tracker {
    ComPtr<IDispatch> connection;
    ComPtr<IDispatch> tree;
};

Tracker openSample(const fs::path& file, int items, std::uint32_t seed) {
    host::writeSampleTracker(file.string(),
                             {.projects = 6, .items = items, .users = 4, .seed = seed});
    Tracker tracker;
    tracker.connection = host::openTracker(file.string());
    tracker.tree = host::loadProjectTree(tracker.connection.get(), "");
    return tracker;
}

// One host call: a new request filled the way the tracker application fills it.
void call(const Tracker& tracker, const std::string& columns, const std::string& report,
          bool preview) {
    auto request = makeObject<clsReports>();
    auto fields = makeObject<host::FieldList>(host::parseFieldSpecs(columns));
    LateBound host(static_cast<IDispatch*>(request.get()));
    host.put("DSN", Variant(tracker.connection.get()));
    host.putRef("OtherParameters", Variant(static_cast<IDispatch*>(fields.get())));
    host.putRef("tvwProjects", Variant(tracker.tree.get()));
    host.put("ReportName", Variant(report));
    // Few rows per call: the calls, not the pages, are what this counts.
    host.put("SQLStatement", Variant("SELECT * FROM Items WHERE ItemIndex <= 3"));
    host.put("AppendSQL", Variant(" AND ItemIndex > 1"));
    host.call(preview ? "ShowReport" : "PrintReport");
}

// The fixture's folder is the component folder; its tracker stays unused.
class LongRun : public test::TrackerFixture {
protected:
    void SetUp() override {
        TrackerFixture::SetUp();
        env_.set("VORN_PRINT_FILE", temp_.file("out.pdf"));
    }
    void TearDown() override {
        settleWindows();
        TrackerFixture::TearDown();
    }
    test::ScopedEnvironment env_;
};

} // namespace

TEST_F(LongRun, MemoryFilesAndWindowsStayFlatOverThousandsOfCalls) {
    makeReportsDatabase(false);
    const std::array trackers{openSample(temp_.file("a.db"), 40, 1),
                              openSample(temp_.file("b.db"), 40, 2)};
    Usage from{};
    for (int i = 0; i < kCalls; ++i) {
        const bool preview = (i / 4) % 2 == 1;
        call(trackers[(i / 8) % 2], kColumns[(i / 16) % 2], kReports[i % 4], preview);
        if (preview)
            settleWindows();
        // The first quarter fills the caches and pools a process keeps.
        if (i + 1 == kCalls / 4)
            from = usage();
    }
    const Usage end = usage();
    std::printf("calls %d to %d: %ld to %ld kB, %ld to %ld files, %ld to %ld windows\n", kCalls / 4,
                kCalls, from.rssKb, end.rssKb, from.fds, end.fds, from.windows, end.windows);
    EXPECT_TRUE(messages_.empty()) << messages_.front();
    EXPECT_EQ(end.fds, from.fds);
    EXPECT_EQ(end.windows, from.windows);
    // The sanitizer build holds freed memory back in quarantine: RSS says
    // nothing there, and it runs the short count.
    if (kCalls >= 2000) {
        EXPECT_LT(end.rssKb - from.rssKb, 4 * 1024);
    }
    EXPECT_GT(test::pdfText(temp_.file("out.pdf")).size(), 0u);
}

TEST_F(LongRun, TwoThreadsRunReportsWithStateOfTheirOwn) {
    // Each thread: its own folder and reports.mdb, tracker and request objects.
    struct Job {
        fs::path folder;
        int items;
        std::vector<std::string> details;
        std::string failure;
    };
    std::array<Job, 2> jobs{Job{fs::path(temp_.path()) / "one", 30, {}, {}},
                            Job{fs::path(temp_.path()) / "two", 60, {}, {}}};
    const auto run = [](Job& job) {
        try {
            fs::create_directories(job.folder);
            toolkit::setComponentFolderForTesting(job.folder.string());
            test::runSql(job.folder / "reports.mdb", test::readFile(VORN_REPORTS_SCHEMA));
            const Tracker tracker = openSample(job.folder / "t.db", job.items, job.items);
            for (int i = 0; i < 10; ++i)
                call(tracker, kColumns[i % 2], kReports[i % 4], false);
            job.details = test::queryRows(job.folder / "reports.mdb",
                                          "SELECT SUM(ItemsTotal) FROM ProjectDetails");
        } catch (const std::exception& e) {
            job.failure = e.what();
        }
        modReportMain() = ReportState{};
    };
    { std::jthread one(run, std::ref(jobs[0])), two(run, std::ref(jobs[1])); }
    for (const Job& job : jobs) {
        EXPECT_EQ(job.failure, "");
        EXPECT_EQ(job.details, std::vector<std::string>{std::to_string(job.items)});
    }
    EXPECT_GT(test::pdfText(temp_.file("out.pdf")).size(), 0u);
}
