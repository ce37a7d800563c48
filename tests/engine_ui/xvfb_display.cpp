#include "xvfb_display.h"

#include <glib.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <stdexcept>
#include <string>

namespace vorn::engine::testing {

XvfbDisplay::XvfbDisplay() {
    // Xvfb writes the display number it chose to its standard output.
    const char* argv[] = {"Xvfb",         "-displayfd", "1",   "-screen",  "0",
                          "1280x1024x24", "-nolisten",  "tcp", "-noreset", nullptr};
    // A test that crashes or is killed runs no destructor: let the server go
    // with it rather than linger.
    const GSpawnChildSetupFunc dieWithParent = [](gpointer) { prctl(PR_SET_PDEATHSIG, SIGTERM); };
    int out = -1;
    if (!g_spawn_async_with_pipes(nullptr, const_cast<char**>(argv), nullptr,
                                  GSpawnFlags(G_SPAWN_SEARCH_PATH | G_SPAWN_DO_NOT_REAP_CHILD |
                                              G_SPAWN_STDERR_TO_DEV_NULL),
                                  dieWithParent, nullptr, &pid_, nullptr, &out, nullptr, nullptr))
        throw std::runtime_error("Xvfb cannot be run");
    std::string number;
    pollfd ready{out, POLLIN, 0};
    for (char c = 0; poll(&ready, 1, 10000) > 0 && read(out, &c, 1) == 1 && c != '\n';)
        number += c;
    close(out);
    if (number.empty())
        throw std::runtime_error("Xvfb did not start");
    setenv("DISPLAY", (":" + number).c_str(), 1);
    unsetenv("WAYLAND_DISPLAY");
    setenv("GDK_BACKEND", "x11", 1);
}

XvfbDisplay::~XvfbDisplay() {
    if (pid_ <= 0)
        return;
    kill(pid_, SIGTERM);
    waitpid(pid_, nullptr, 0);
}

} // namespace vorn::engine::testing
