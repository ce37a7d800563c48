// Watches a print as its pages are counted and written: shows how far it has
// come (a window when a display is open and the print takes a while, a line on
// the host's terminal when the host asks for one) and stops it when the user
// cancels there or the host signals a cancel.
#pragma once

#include "platform/engine/layout/layout_progress.h"

#include <chrono>
#include <memory>
#include <string>

namespace vorn::engine {

class ProgressWindow;

/// The host's way to hear of a print and to stop it: the numbers of file
/// descriptors it opened for the component. The print stops once the cancel
/// descriptor (a pipe's read end) becomes readable; progress lines go to the
/// progress descriptor.
inline constexpr const char* kPrintCancelFdVariable = "VORN_PRINT_CANCEL_FD";
inline constexpr const char* kPrintProgressFdVariable = "VORN_PRINT_PROGRESS_FD";

struct PrintProgressOptions {
    /// The report's title, for the window.
    std::string title;
    /// Readable once the host wants the print stopped; -1 for none.
    int cancelFd = -1;
    /// Receives "\rPage n of m" as the print goes on; -1 for none.
    int lineFd = -1;
    /// Whether a window may show (when a display is open).
    bool window = true;
    /// A print that ends sooner shows no window.
    std::chrono::milliseconds windowDelay{1000};

    /// The options the host set through the environment (descriptors that are
    /// not open count as none).
    static PrintProgressOptions fromEnvironment(std::string title);
};

class PrintProgress {
public:
    explicit PrintProgress(PrintProgressOptions options);
    /// Closes the window and ends the progress line.
    ~PrintProgress();
    PrintProgress(const PrintProgress&) = delete;
    PrintProgress& operator=(const PrintProgress&) = delete;

    /// Shows `done` and answers whether to go on. Cheap enough to call for
    /// every page: it looks at the clock and does its work a few times a second.
    bool update(const LayoutProgress& done);
    /// update as a callback for the layout and the writers; valid while this lives.
    LayoutProgressCallback callback() {
        return [this](const LayoutProgress& done) { return update(done); };
    }
    /// Takes the window away while another (the printer dialog) stands in its
    /// place; the next update shows it again.
    void hide();
    bool cancelled() const { return cancelled_; }
    /// The window, once one shows; for tests.
    ProgressWindow* window() const { return window_.get(); }

private:
    using Clock = std::chrono::steady_clock;

    void writeLine(const std::string& text);
    void showInWindow(const LayoutProgress& done, Clock::time_point now);

    PrintProgressOptions options_;
    Clock::time_point start_;
    Clock::time_point nextLook_;
    std::unique_ptr<ProgressWindow> window_;
    std::size_t lineWidth_ = 0;
    bool cancelled_ = false;
};

} // namespace vorn::engine
