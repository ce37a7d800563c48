// vornreports: a command-line host for the VornReports component. It makes
// sample trackers, and fills clsReports the way the tracker application does
// to preview or print a report.
#include "host/component_loader.h"
#include "host/component_version.h"
#include "host/objects/field_list.h"
#include "host/print_interrupt.h"
#include "host/registered_component.h"
#include "host/requests.h"
#include "host/sample/sample_tracker.h"
#include "host/tracker_session.h"
#include "platform/automation/com_error.h"
#include "platform/automation/late_bound.h"
#include "platform/automation/registry/registry_file.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <stdexcept>

namespace {

using namespace vorn;
namespace fs = std::filesystem;

constexpr int kExitOk = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

constexpr const char* kPrintFileVariable = "VORN_PRINT_FILE";

// The names the component's reports answer to: each report's name text and
// its window caption. The component rightly stays silent on any other name,
// so the host is the one to tell the user.
constexpr std::array<const char*, 7> kReportNames = {
    "Vorn Item List Report", "Item List Report", "Vorn Item Detail Report",
    "Item Detail Report",    "Project Detail",   "Project Status Report",
    "User Detail Report"};

std::string knownReportNames() {
    std::string names;
    for (const char* name : kReportNames)
        names += std::string(names.empty() ? "" : ", ") + "\"" + name + "\"";
    return names;
}

// A usage error found after parsing: exit 2 like CLI11's own.
struct UsageError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

void checkReportName(const host::RequestOptions& options) {
    if (options.chooser) // the chooser reads the name only to pick its mode
        return;
    if (std::find(kReportNames.begin(), kReportNames.end(), options.report) == kReportNames.end())
        throw UsageError("no report is named \"" + options.report + "\"; the names are " +
                         knownReportNames());
}

// This program's release, then the version strings of the component it would
// load, read from the component's file.
std::string versionText() {
    const std::string release = std::string("vornreports ") + VORN_VERSION;
    try {
        const std::string path = host::findComponent();
        std::string text = release + "\ncomponent " + path;
        for (const auto& [name, value] : host::readVersionStrings(path))
            text += "\n  " + name + ":" + (value.empty() ? "" : " " + value);
        return text;
    } catch (const std::exception& e) {
        return release + "\ncomponent: " + e.what();
    }
}

struct SampleArgs {
    std::string file;
    host::SampleOptions options;
};

void addSampleOptions(CLI::App& cmd, host::SampleOptions& o) {
    cmd.add_option("--projects", o.projects, "number of projects")->check(CLI::NonNegativeNumber);
    cmd.add_option("--items", o.items, "number of items")->check(CLI::NonNegativeNumber);
    cmd.add_option("--users", o.users, "number of users")->check(CLI::PositiveNumber);
    cmd.add_option("--seed", o.seed, "seed: the same seed writes the same file");
}

void addRequestOptions(CLI::App& cmd, host::RequestOptions& o) {
    cmd.add_option("--db", o.db, "tracker: a SQLite file, or an ODBC connect string (holds \"=\")")
        ->required();
    cmd.add_option("--database-type", o.databaseType,
                   "the tracker's kind; \"SQL Server\" selects its SQL form");
    cmd.add_option("--report", o.report,
                   "report name: \"Vorn Item List Report\", \"Vorn Item Detail Report\", "
                   "\"Project Detail\", \"User Detail Report\" or a window caption");
    cmd.add_option("--sql", o.sql, "the query that selects the items");
    cmd.add_option("--append-sql", o.appendSql, "text put right after --sql when previewing");
    cmd.add_option("--columns", o.columns, "item list columns: FIELD[:CAPTION[:WIDTH]],...")
        ->check(
            [](const std::string& text) {
                try {
                    host::parseFieldSpecs(text);
                    return std::string();
                } catch (const std::invalid_argument& e) {
                    return std::string(e.what());
                }
            },
            "FIELD[:CAPTION[:WIDTH]],...");
    cmd.add_option("--user", o.user, "the current user (user status report)");
    cmd.add_option("--select", o.select, "the project tree's selected node: a key or a full path");
    cmd.add_flag("--chooser", o.chooser, "open the report chooser (ShowHarness)");
    cmd.add_flag("--printer-dialog", o.printerDialog, "ask for the printer dialog first");
    cmd.add_option("--output", o.output, "print into this PDF file instead of a printer");
}

int runSampleDb(const SampleArgs& args) {
    host::writeSampleTracker(args.file, args.options);
    std::cout << "Wrote a sample tracker with " << args.options.projects << " projects and "
              << args.options.items << " items to " << args.file << "\n";
    return kExitOk;
}

void callReport(const host::RequestOptions& options, bool preview) {
    checkReportName(options);
    const auto reports = host::createReports();
    host::fillRequest(reports.get(), options);
    if (preview) {
        automation::callMethod(reports.get(), "ShowReport");
        host::waitForWindows();
        return;
    }
    if (!options.output.empty())
        setenv(kPrintFileVariable, options.output.c_str(), 1);
    const host::PrintInterrupt interrupt;
    automation::callMethod(reports.get(), "PrintReport");
}

struct DemoReport {
    const char* name;
    const char* file;
};

// Registers (or unregisters) the component that this program would load.
int runRegistration(bool unregister) {
    const std::string component = host::findComponent();
    const std::string registry = automation::registryPath();
    host::registerComponentAt(component, unregister);
    std::cout << (unregister ? "Unregistered " : "Registered ") << component
              << (unregister ? " from " : " in ") << registry << "\n";
    return kExitOk;
}

int runDemo(const std::string& dir) {
    fs::create_directories(dir);
    const fs::path tracker = fs::absolute(fs::path(dir) / "tracker.db");
    host::writeSampleTracker(tracker.string(), host::SampleOptions{});
    std::cout << "Sample tracker: " << tracker.string() << "\n";

    const auto reports = host::createReports();
    host::RequestOptions options;
    options.db = tracker.string();
    options.databaseType = "SQL Server";
    options.sql = "SELECT * FROM Items ORDER BY ItemIndex";
    host::fillRequest(reports.get(), options);
    automation::LateBound request(reports.get());

    for (const DemoReport& report : {DemoReport{"Vorn Item List Report", "item-list.pdf"},
                                     DemoReport{"Vorn Item Detail Report", "item-detail.pdf"},
                                     DemoReport{"Project Status Report", "project-status.pdf"},
                                     DemoReport{"User Detail Report", "user-status.pdf"}}) {
        const fs::path pdf = fs::absolute(fs::path(dir) / report.file);
        setenv(kPrintFileVariable, pdf.c_str(), 1);
        request.put("ReportName", automation::Variant(report.name));
        request.call("PrintReport");
        std::cout << report.name << ": " << pdf.string() << ", " << host::countPdfPages(pdf)
                  << " pages\n";
    }
    unsetenv(kPrintFileVariable);

    if (std::getenv("DISPLAY") && *std::getenv("DISPLAY")) {
        std::cout << "Previewing the item list; close its window to finish.\n";
        request.put("ReportName", automation::Variant("Vorn Item List Report"));
        request.call("ShowReport");
        host::waitForWindows();
    }
    return kExitOk;
}

} // namespace

int main(int argc, char** argv) {
    CLI::App app{"vornreports: preview and print the bug tracker's reports through the "
                 "VornReports component"};
    app.require_subcommand(1);
    app.set_version_flag("--version", versionText);

    SampleArgs sample;
    auto* sampleCmd = app.add_subcommand("sample-db", "write a sample tracker database (SQLite)");
    sampleCmd->add_option("FILE", sample.file, "the file to write")->required();
    addSampleOptions(*sampleCmd, sample.options);

    std::string demoDir = "demo";
    auto* demoCmd = app.add_subcommand(
        "demo", "write a sample tracker into DIR (default: demo) and print every report there");
    demoCmd->add_option("DIR", demoDir, "output folder");

    host::RequestOptions showOptions;
    auto* showCmd = app.add_subcommand("show", "preview a report in its window");
    addRequestOptions(*showCmd, showOptions);
    host::RequestOptions printOptions;
    auto* printCmd = app.add_subcommand("print", "print a report (or write it with --output)");
    addRequestOptions(*printCmd, printOptions);

    auto* registerCmd = app.add_subcommand(
        "register", "register the component beside this program for creation by name");
    auto* unregisterCmd =
        app.add_subcommand("unregister", "remove what register wrote into the registry");

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        const int status = app.exit(e);
        return status == 0 ? kExitOk : kExitUsage;
    }

    try {
        if (*sampleCmd)
            return runSampleDb(sample);
        if (*demoCmd)
            return runDemo(demoDir);
        if (*registerCmd || *unregisterCmd)
            return runRegistration(bool(*unregisterCmd));
        if (*showCmd)
            callReport(showOptions, true);
        else if (*printCmd)
            callReport(printOptions, false);
        return kExitOk;
    } catch (const UsageError& e) {
        std::fprintf(stderr, "vornreports: %s\n", e.what());
        return kExitUsage;
    } catch (const automation::ComError& e) {
        if (static_cast<unsigned>(e.code()) == host::kCancelledCode) {
            std::fprintf(stderr, "vornreports: %s\n", e.description().c_str());
            return host::kExitInterrupted;
        }
        std::fprintf(stderr, "vornreports: error 0x%08X: %s\n", static_cast<unsigned>(e.code()),
                     e.description().c_str());
        return kExitFailed;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "vornreports: %s\n", e.what());
        return kExitFailed;
    }
}
