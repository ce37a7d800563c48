// Ctrl+C during a print: instead of killing the process halfway through a
// file, the host tells the component to stop, and the component removes what
// it had begun. Also asks for the progress line when standard error is a
// terminal someone watches.
#pragma once

namespace vorn::host {

/// The exit status of a print stopped by Ctrl+C, as the shell reports a
/// process killed by SIGINT.
inline constexpr int kExitInterrupted = 130;
/// The status code of the component's error for a stopped print.
inline constexpr unsigned kCancelledCode = 0x800704C7;

class PrintInterrupt {
public:
    /// Catches SIGINT (unless it was ignored when this program started, as
    /// under nohup) and hands the component the read end of a pipe that the
    /// signal writes to; sets the progress line up when stderr is a terminal.
    /// \throws std::system_error when the pipe cannot be made.
    PrintInterrupt();
    /// Puts SIGINT back as it was and withdraws both from the component.
    ~PrintInterrupt();
    PrintInterrupt(const PrintInterrupt&) = delete;
    PrintInterrupt& operator=(const PrintInterrupt&) = delete;

private:
    int cancelFd_ = -1;
};

} // namespace vorn::host
