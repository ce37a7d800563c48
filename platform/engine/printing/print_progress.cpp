#include "platform/engine/printing/print_progress.h"

#include "platform/engine/printing/progress_text.h"
#include "platform/engine/printing/progress_window.h"
#include "platform/toolkit/gui.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <cstring>

namespace vorn::engine {
namespace {

// Often enough for a bar that moves smoothly and a Cancel that answers at
// once, rarely enough to cost nothing next to painting a page.
constexpr std::chrono::milliseconds kLookInterval{50};

int openDescriptor(const char* variable) {
    const char* text = std::getenv(variable);
    if (!text || !*text)
        return -1;
    int fd = -1;
    const char* end = text + std::strlen(text);
    const auto [last, error] = std::from_chars(text, end, fd);
    if (error != std::errc() || last != end || fd < 0 || ::fcntl(fd, F_GETFD) == -1)
        return -1;
    return fd;
}

bool readable(int fd) {
    pollfd watched{fd, POLLIN, 0};
    int ready;
    do
        ready = ::poll(&watched, 1, 0);
    while (ready < 0 && errno == EINTR);
    // A closed write end (POLLHUP) means the host is gone: stop as well.
    return ready > 0 && (watched.revents & (POLLIN | POLLHUP | POLLERR)) != 0;
}

} // namespace

PrintProgressOptions PrintProgressOptions::fromEnvironment(std::string title) {
    PrintProgressOptions options;
    options.title = std::move(title);
    options.cancelFd = openDescriptor(kPrintCancelFdVariable);
    options.lineFd = openDescriptor(kPrintProgressFdVariable);
    return options;
}

PrintProgress::PrintProgress(PrintProgressOptions options)
    : options_(std::move(options)), start_(Clock::now()), nextLook_(start_) {}

PrintProgress::~PrintProgress() {
    if (window_) {
        window_->hide();
        window_.reset();
        toolkit::doEvents();
    }
    if (lineWidth_ > 0 && options_.lineFd >= 0)
        writeLine("\n");
}

bool PrintProgress::update(const LayoutProgress& done) {
    const bool last = done.countKnown() && done.pagesDone >= done.pageCount;
    const Clock::time_point now = Clock::now();
    if (now < nextLook_ && !last)
        return !cancelled_;
    nextLook_ = now + kLookInterval;

    if (options_.cancelFd >= 0 && readable(options_.cancelFd))
        cancelled_ = true;
    if (options_.lineFd >= 0) {
        // Padded to the widest text so far, so that nothing of a longer one
        // stays visible behind a shorter one.
        std::string text = progressText(done);
        lineWidth_ = std::max(lineWidth_, text.size());
        text.resize(lineWidth_, ' ');
        writeLine("\r" + text);
    }
    if (options_.window)
        showInWindow(done, now);
    return !cancelled_;
}

void PrintProgress::showInWindow(const LayoutProgress& done, Clock::time_point now) {
    if (!window_) {
        if (now - start_ < options_.windowDelay || !toolkit::displayAvailable())
            return;
        window_ = std::make_unique<ProgressWindow>(options_.title);
    }
    window_->showProgress(done);
    if (!window_->get_visible())
        window_->show();
    toolkit::doEvents();
    if (window_->cancelRequested())
        cancelled_ = true;
}

void PrintProgress::hide() {
    if (!window_)
        return;
    window_->hide();
    toolkit::doEvents();
}

void PrintProgress::writeLine(const std::string& text) {
    std::size_t written = 0;
    while (written < text.size()) {
        const ssize_t n = ::write(options_.lineFd, text.data() + written, text.size() - written);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            // A terminal that went away is no reason to stop the print; only
            // its progress line stops.
            options_.lineFd = -1;
            return;
        }
        written += static_cast<std::size_t>(n);
    }
}

} // namespace vorn::engine
