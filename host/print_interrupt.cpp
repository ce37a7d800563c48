#include "host/print_interrupt.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <string>
#include <system_error>

namespace vorn::host {
namespace {

// The component's names for the descriptors (see its print progress).
constexpr const char* kCancelFdVariable = "VORN_PRINT_CANCEL_FD";
constexpr const char* kProgressFdVariable = "VORN_PRINT_PROGRESS_FD";

int gSignalFd = -1;
struct sigaction gPrevious {};

void onInterrupt(int) {
    const int saved = errno;
    const char byte = 1;
    [[maybe_unused]] const ssize_t n = ::write(gSignalFd, &byte, 1);
    errno = saved;
}

} // namespace

PrintInterrupt::PrintInterrupt() {
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0)
        throw std::system_error(errno, std::generic_category(), "cannot make a pipe");
    cancelFd_ = fds[0];
    gSignalFd = fds[1];
    struct sigaction current {};
    ::sigaction(SIGINT, nullptr, &current);
    gPrevious = current;
    if (current.sa_handler != SIG_IGN) {
        struct sigaction action {};
        action.sa_handler = onInterrupt;
        sigemptyset(&action.sa_mask);
        // A second Ctrl+C kills at once, for a print that does not stop.
        action.sa_flags = SA_RESTART | SA_RESETHAND;
        ::sigaction(SIGINT, &action, nullptr);
    }
    setenv(kCancelFdVariable, std::to_string(cancelFd_).c_str(), 1);
    if (::isatty(STDERR_FILENO))
        setenv(kProgressFdVariable, std::to_string(STDERR_FILENO).c_str(), 1);
}

PrintInterrupt::~PrintInterrupt() {
    ::sigaction(SIGINT, &gPrevious, nullptr);
    unsetenv(kProgressFdVariable);
    unsetenv(kCancelFdVariable);
    ::close(cancelFd_);
    ::close(gSignalFd);
    gSignalFd = -1;
}

} // namespace vorn::host
