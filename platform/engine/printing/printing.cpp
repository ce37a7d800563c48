#include "platform/engine/printing/printing.h"

#include "platform/engine/engine_error.h"
#include "platform/engine/output/pdf_writer.h"
#include "platform/engine/page_document.h"
#include "platform/engine/printing/cups_queue.h"
#include "platform/engine/printing/page_selection.h"
#include "platform/engine/printing/print_progress.h"
#include "platform/engine/printing/printer_dialog.h"
#include "platform/engine/printing/temporary_file.h"

#include <optional>

namespace vorn::engine {
namespace {

std::string jobTitle(const PageDocument& document) {
    const std::string title = document.title();
    return title.empty() ? "Report" : title;
}

// A cancelled print ends while its pages are written: nothing reaches the queue.
void sendToCups(const PageDocument& document, const CupsQueue& queue, const JobOptions& options,
                const LayoutProgressCallback& progress) {
    TemporaryFile pdf(".pdf");
    writePdf(document, pdf.path(), progress);
    queue.submitPdf(pdf.path(), jobTitle(document), options);
}

// A printer picks the chosen pages itself; a file gets only those pages
// written. Copies and sides mean nothing to a file.
void writeChosenPages(const PageDocument& document, const JobOptions& options,
                      const std::string& file, const LayoutProgressCallback& progress) {
    for (const JobOption& option : options)
        if (option.name == "page-ranges") {
            std::vector<int> pages = parsePageRanges(option.value, document.pageCount());
            if (pages.empty())
                throw EngineError(error_code::kInvalidArgument,
                                  "The report has no page " + option.value + " to print");
            writePdf(PageSelection(document, std::move(pages)), file, progress);
            return;
        }
    writePdf(document, file, progress);
}

} // namespace

void print(const PageDocument& document, const PrintOptions& options) {
    std::optional<PrintProgress> ownProgress;
    PrintProgress* watcher = options.progress;
    if (!watcher)
        watcher = &ownProgress.emplace(PrintProgressOptions::fromEnvironment(jobTitle(document)));
    const LayoutProgressCallback progress = watcher->callback();

    const std::string& file = options.printFile;
    if (!options.showPrinterDialog) {
        if (!file.empty())
            writePdf(document, file, progress);
        else
            sendToCups(document, CupsQueue(options.destination), {}, progress);
        return;
    }

    watcher->hide();
    const std::optional<PrinterChoice> choice =
        askForPrinter(jobTitle(document), options, document.pageCount());
    if (!choice)
        return;
    if (!file.empty())
        writeChosenPages(document, choice->jobOptions, file, progress);
    else if (!choice->outputFile.empty())
        writeChosenPages(document, choice->jobOptions, choice->outputFile, progress);
    else
        sendToCups(document, CupsQueue(choice->destination), choice->jobOptions, progress);
}

} // namespace vorn::engine
