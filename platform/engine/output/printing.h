// Printing a laid-out report: through CUPS, after the printer dialog when asked,
// or into the file VORN_PRINT_FILE names on hosts without a printer.
#pragma once

#include "platform/engine/output/print_options.h"

namespace vorn::engine {

class PageDocument;

/// Environment variable that sends every print to a PDF file instead of a printer.
inline constexpr const char* kPrintFileVariable = "VORN_PRINT_FILE";

/// Prints `document`. With showPrinterDialog the dialog comes first and a
/// cancelled dialog prints nothing. When VORN_PRINT_FILE names a file, the PDF
/// goes there (after the dialog, if one was asked for) instead of to a printer.
/// \throws EngineError kFail when the dialog cannot be shown (no display) or
///         CUPS refuses the job, kNotFound when there is no printer to print on;
///         whatever writePdf throws.
void print(const PageDocument& document, const PrintOptions& options);

} // namespace vorn::engine
