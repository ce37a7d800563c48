// vornreports: a command-line host for the VornReports component. It makes
// sample trackers, and fills clsReports the way the tracker application does
// to preview or print a report.
#include "host/component_loader.h"
#include "host/sample/sample_tracker.h"
#include "platform/automation/com_error.h"

#include <CLI/CLI.hpp>

#include <cstdio>
#include <filesystem>
#include <iostream>

namespace {

using namespace vorn;

constexpr int kExitOk = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

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

int runSampleDb(const SampleArgs& args) {
    host::writeSampleTracker(args.file, args.options);
    std::cout << "Wrote a sample tracker with " << args.options.projects << " projects and "
              << args.options.items << " items to " << args.file << "\n";
    return kExitOk;
}

int runDemo(const std::string& dir) {
    namespace fs = std::filesystem;
    fs::create_directories(dir);
    const fs::path tracker = fs::path(dir) / "tracker.db";
    host::writeSampleTracker(tracker.string(), host::SampleOptions{});
    std::cout << "Sample tracker: " << fs::absolute(tracker).string() << "\n";
    return kExitOk;
}

} // namespace

int main(int argc, char** argv) {
    CLI::App app{"vornreports: preview and print the bug tracker's reports through the "
                 "VornReports component"};
    app.require_subcommand(1);

    SampleArgs sample;
    auto* sampleCmd = app.add_subcommand("sample-db", "write a sample tracker database (SQLite)");
    sampleCmd->add_option("FILE", sample.file, "the file to write")->required();
    addSampleOptions(*sampleCmd, sample.options);

    std::string demoDir = "demo";
    auto* demoCmd = app.add_subcommand("demo", "write a sample tracker into DIR (default: demo)");
    demoCmd->add_option("DIR", demoDir, "output folder");

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
    } catch (const automation::ComError& e) {
        std::fprintf(stderr, "vornreports: error 0x%08X: %s\n", static_cast<unsigned>(e.code()),
                     e.description().c_str());
        return kExitFailed;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "vornreports: %s\n", e.what());
        return kExitFailed;
    }
    return kExitUsage;
}
