// What a caller decides about one print: whether the user picks the printer
// first, and which printer it goes to otherwise.
#pragma once

#include <string>

namespace vorn::engine {

class PrintProgress;

struct PrintOptions {
    /// Show the printer dialog first; cancelling it prints nothing.
    bool showPrinterDialog = false;
    /// CUPS destination; empty means the one the PRINTER environment variable
    /// names, else the default destination.
    std::string destination;
    /// Page (0-based) the dialog offers as "current page"; -1 when there is none.
    int currentPage = -1;
    /// A file that receives every print as PDF instead of a printer: hosts
    /// without one (headless hosts, tests) print this way. Empty: print.
    std::string printFile;
    /// Watches the pages as they are written (not owned; it must outlive the
    /// print). None: the print watches itself as the environment asks.
    PrintProgress* progress = nullptr;
};

} // namespace vorn::engine
