// Printing a laid-out report: through CUPS, after the printer dialog when asked,
// or into the print file of the options on hosts without a printer.
#pragma once

#include "platform/engine/printing/print_options.h"

namespace vorn::engine {

class PageDocument;

/// Prints `document`. With showPrinterDialog the dialog comes first and a
/// cancelled dialog prints nothing. When the options name a print file, the PDF
/// goes there (after the dialog, if one was asked for) instead of to a printer.
/// The pages are written under the watch of the options' progress (see
/// PrintProgress); a cancel leaves no file and sends nothing to a printer.
/// \throws EngineError kFail when the dialog cannot be shown (no display) or
///         CUPS refuses the job, kNotFound when there is no printer to print on,
///         kCancelled when the print was cancelled; whatever writePdf throws.
void print(const PageDocument& document, const PrintOptions& options);

} // namespace vorn::engine
