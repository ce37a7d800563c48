// A private CUPS scheduler for one test (tests/support/cups-test-server): file
// queues that write each job as PDF, found through CUPS_SERVER while it lives.
#pragma once

#include "tests/support/scoped_environment.h"
#include "tests/support/temp_folder.h"

#include <cups/cups.h>

#include <string>
#include <vector>

namespace vorn::engine::testing {

// Printer variables for one test; libcups remembers the server it found, so
// it is made to look at the environment again after each change.
class ScopedPrinterEnvironment : public vorn::test::ScopedEnvironment {
public:
    ScopedPrinterEnvironment() : ScopedEnvironment([] { cupsSetServer(nullptr); }) {}
};

class CupsTestServer {
public:
    /// Starts the scheduler with `queues`; the first is the default destination.
    explicit CupsTestServer(const std::vector<std::string>& queues = {"TESTPDF"});
    ~CupsTestServer();
    CupsTestServer(const CupsTestServer&) = delete;
    CupsTestServer& operator=(const CupsTestServer&) = delete;

    bool running() const noexcept { return running_; }
    /// Where `queue` writes its jobs.
    std::string outputOf(const std::string& queue) const;
    /// Waits until `queue` has written a complete job; false after `seconds`.
    bool waitForJob(const std::string& queue, double seconds = 20) const;
    void stop();

private:
    vorn::test::TempFolder folder_;
    ScopedPrinterEnvironment environment_;
    bool running_ = false;
};

} // namespace vorn::engine::testing
