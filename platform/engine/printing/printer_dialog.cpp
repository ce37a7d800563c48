#include "platform/engine/printing/printer_dialog.h"

#include "platform/engine/engine_error.h"
#include "platform/toolkit/gui.h"

#include <glibmm/convert.h>
#include <glibmm/main.h>
#include <gtkmm/printunixdialog.h>

#include <cstdlib>
#include <filesystem>

namespace vorn::engine {
namespace {

std::string pageRanges(const std::vector<Gtk::PrintSettings::PageRange>& ranges) {
    std::string text;
    for (const Gtk::PrintSettings::PageRange& range : ranges) {
        if (!text.empty())
            text += ',';
        text += std::to_string(range.start + 1);
        if (range.end > range.start)
            text += '-' + std::to_string(range.end + 1);
    }
    return text;
}

JobOptions jobOptionsFrom(const Glib::RefPtr<Gtk::PrintSettings>& settings, int currentPage) {
    JobOptions options;
    if (settings->get_n_copies() > 1) {
        options.push_back({"copies", std::to_string(settings->get_n_copies())});
        options.push_back({"collate", settings->get_collate() ? "true" : "false"});
    }
    switch (settings->get_print_pages()) {
    case Gtk::PRINT_PAGES_RANGES:
        if (const std::string ranges = pageRanges(settings->get_page_ranges()); !ranges.empty())
            options.push_back({"page-ranges", ranges});
        break;
    case Gtk::PRINT_PAGES_CURRENT:
        if (currentPage >= 0)
            options.push_back({"page-ranges", std::to_string(currentPage + 1)});
        break;
    default:
        break;
    }
    if (settings->get_reverse())
        options.push_back({"outputorder", "reverse"});
    switch (settings->get_duplex()) {
    case Gtk::PRINT_DUPLEX_HORIZONTAL:
        options.push_back({"sides", "two-sided-short-edge"});
        break;
    case Gtk::PRINT_DUPLEX_VERTICAL:
        options.push_back({"sides", "two-sided-long-edge"});
        break;
    default:
        break;
    }
    return options;
}

std::string outputFileFrom(const Glib::RefPtr<Gtk::PrintSettings>& settings) {
    const Glib::ustring uri = settings->get(Gtk::PrintSettings::Keys::OUTPUT_URI);
    if (uri.empty())
        return "output.pdf";
    return Glib::filename_from_uri(uri);
}

std::string absolutePath(const std::string& path) {
    return std::filesystem::absolute(path).lexically_normal().string();
}

void letTheDialogDisappear() {
    auto context = Glib::MainContext::get_default();
    while (context->pending())
        context->iteration(false);
}

// When prints go into a file anyway, the dialog starts on GTK's own "Print to
// File" printer aimed at that file, so that it shows where the print will go.
Glib::RefPtr<Gtk::PrintSettings> initialSettings(const PrintOptions& options) {
    auto settings = Gtk::PrintSettings::create();
    const char* fromEnvironment = std::getenv("PRINTER");
    if (!options.printFile.empty()) {
        settings->set_printer(g_dgettext("gtk30", "Print to File"));
        settings->set(Gtk::PrintSettings::Keys::OUTPUT_URI,
                      Glib::filename_to_uri(absolutePath(options.printFile)));
        settings->set(Gtk::PrintSettings::Keys::OUTPUT_FILE_FORMAT, "pdf");
    } else if (!options.destination.empty()) {
        settings->set_printer(options.destination);
    } else if (fromEnvironment && *fromEnvironment) {
        settings->set_printer(fromEnvironment);
    }
    return settings;
}

// The window the user is working in (the preview that asked to print, or the
// host's own), so that the dialog stays on top of it rather than anywhere.
Gtk::Window* activeWindow() {
    for (Gtk::Window* window : Gtk::Window::list_toplevels())
        if (window->get_visible() && window->is_active())
            return window;
    return nullptr;
}

} // namespace

std::optional<PrinterChoice> askForPrinter(const std::string& title, const PrintOptions& options,
                                           int pageCount) {
    const int currentPage = options.currentPage;
    toolkit::requireDisplay();
    Gtk::Window* parent = activeWindow();
    Gtk::PrintUnixDialog dialog("Print " + title);
    if (parent)
        dialog.set_transient_for(*parent);
    // The engine delivers PDF and lets the printing system do copies, ranges
    // and sides; printing into a file is offered as PDF only.
    dialog.set_manual_capabilities(Gtk::PRINT_CAPABILITY_GENERATE_PDF);
    if (currentPage >= 0 && currentPage < pageCount)
        dialog.set_current_page(currentPage);
    dialog.set_settings(initialSettings(options));

    const int response = dialog.run();
    Glib::RefPtr<Gtk::Printer> printer = dialog.get_selected_printer();
    const auto settings = dialog.get_settings();
    dialog.hide();
    letTheDialogDisappear();
    if (response != Gtk::RESPONSE_OK)
        return std::nullopt;
    PrinterChoice choice;
    if (!printer)
        return choice; // accepted before any printer appeared: the default destination
    if (printer->is_virtual())
        choice.outputFile = outputFileFrom(settings);
    else
        choice.destination = printer->get_name();
    choice.jobOptions = jobOptionsFrom(settings, currentPage);
    return choice;
}

} // namespace vorn::engine
