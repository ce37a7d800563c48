#include "cups_test_server.h"

#include "tests/support/pdf_reader.h"

#include <cups/cups.h>

#include <chrono>
#include <thread>

namespace vorn::engine::testing {

using vorn::test::readFile;
using vorn::test::runCommand;

CupsTestServer::CupsTestServer(const std::vector<std::string>& queues) {
    std::string command = std::string(VORN_CUPS_TEST_SERVER) + " start '" + folder_.path() + "'";
    for (const std::string& queue : queues)
        command += " " + queue;
    std::string socket = runCommand(command);
    while (!socket.empty() && socket.back() == '\n')
        socket.pop_back();
    running_ = !socket.empty();
    environment_.set("CUPS_SERVER", socket);
    environment_.unset("PRINTER");
    environment_.unset("LPDEST");
}

CupsTestServer::~CupsTestServer() {
    stop();
}

void CupsTestServer::stop() {
    if (!running_)
        return;
    runCommand(std::string(VORN_CUPS_TEST_SERVER) + " stop '" + folder_.path() + "'");
    running_ = false;
}

std::string CupsTestServer::outputOf(const std::string& queue) const {
    return folder_.file("out/" + queue + ".pdf");
}

bool CupsTestServer::waitForJob(const std::string& queue, double seconds) const {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    size_t lastSize = 0;
    while (std::chrono::steady_clock::now() < deadline) {
        // The queue writes the file while the job runs, the PDF wrapped in
        // printer job language: it is whole once the PDF trailer is in and
        // the file stopped growing.
        const std::string bytes = readFile(outputOf(queue));
        const auto trailer = bytes.rfind("%%EOF");
        if (trailer != std::string::npos && bytes.size() - trailer < 256 &&
            bytes.size() == lastSize)
            return true;
        lastSize = bytes.size();
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return false;
}

} // namespace vorn::engine::testing
