// The printer dialog: the user picks a printer, copies and pages, or a file.
#pragma once

#include "platform/engine/output/job_option.h"

#include <optional>
#include <string>

namespace vorn::engine {

/// What the user chose in the printer dialog.
struct PrinterChoice {
    /// CUPS destination; empty for the default destination, or when printing into a file.
    std::string destination;
    /// File to print into; empty when printing to a printer.
    std::string outputFile;
    /// Copies, page ranges and the like, as CUPS job options.
    JobOptions jobOptions;
};

/// Shows the printer dialog modally on the calling thread and returns the
/// user's choice, or nothing when the dialog was cancelled or closed.
/// `preselected` names the printer to select first (empty: the default).
/// `currentPage` is 0-based, -1 when there is no current page to offer.
/// \throws EngineError kFail when there is no display.
std::optional<PrinterChoice> askForPrinter(const std::string& title, const std::string& preselected,
                                           int pageCount, int currentPage);

} // namespace vorn::engine
