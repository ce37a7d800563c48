// The printer dialog: the user picks a printer, copies and pages, or a file.
#pragma once

#include "platform/engine/printing/job_option.h"
#include "platform/engine/printing/print_options.h"

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
/// The options' destination is selected first (empty: the default), their
/// current page is offered, and with a print file the dialog starts on
/// printing into that file.
/// \throws EngineError kFail when there is no display.
std::optional<PrinterChoice> askForPrinter(const std::string& title, const PrintOptions& options,
                                           int pageCount);

} // namespace vorn::engine
