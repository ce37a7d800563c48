#include "platform/engine/printing/cups_queue.h"

#include "platform/engine/engine_error.h"

#include <cups/cups.h>

#include <cstdlib>
#include <memory>
#include <string_view>

namespace vorn::engine {
namespace {

struct DestinationDeleter {
    void operator()(cups_dest_t* dest) const noexcept { cupsFreeDests(1, dest); }
};
using DestinationPtr = std::unique_ptr<cups_dest_t, DestinationDeleter>;

class OptionList {
public:
    explicit OptionList(const JobOptions& options) {
        for (const JobOption& option : options)
            count_ = cupsAddOption(option.name.c_str(), option.value.c_str(), count_, &options_);
    }
    ~OptionList() { cupsFreeOptions(count_, options_); }
    OptionList(const OptionList&) = delete;
    OptionList& operator=(const OptionList&) = delete;

    int count() const noexcept { return count_; }
    cups_option_t* get() const noexcept { return options_; }

private:
    int count_ = 0;
    cups_option_t* options_ = nullptr;
};

struct IppDeleter {
    void operator()(ipp_t* message) const noexcept { ippDelete(message); }
};
using IppPtr = std::unique_ptr<ipp_t, IppDeleter>;

// The text the administrator gave when the queue was set to refuse jobs
// (`cupsreject -r`); the destination list does not carry it, so it is asked for.
std::string stateMessage(const cups_dest_t& dest) {
    const char* uri = cupsGetOption("printer-uri-supported", dest.num_options, dest.options);
    if (!uri)
        return {};
    ipp_t* request = ippNewRequest(IPP_OP_GET_PRINTER_ATTRIBUTES);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", nullptr,
                 "printer-state-message");
    const IppPtr response(cupsDoRequest(CUPS_HTTP_DEFAULT, request, "/")); // frees the request
    ipp_attribute_t* message =
        response ? ippFindAttribute(response.get(), "printer-state-message", IPP_TAG_TEXT)
                 : nullptr;
    const char* text = message ? ippGetString(message, 0, nullptr) : nullptr;
    return text ? text : "";
}

// A queue that refuses jobs would only say so once the whole report had been
// drawn and sent, so it is asked first.
void requireAcceptingJobs(const cups_dest_t& dest) {
    const char* accepting =
        cupsGetOption("printer-is-accepting-jobs", dest.num_options, dest.options);
    if (!accepting || std::string_view(accepting) != "false")
        return;
    std::string reason = stateMessage(dest);
    if (reason.empty())
        reason = "no reason given";
    throw EngineError(error_code::kFail, "The printer \"" + std::string(dest.name) +
                                             "\" is not accepting jobs: " + reason);
}

std::string requestedName(const std::string& name) {
    if (!name.empty())
        return name;
    const char* fromEnvironment = std::getenv("PRINTER");
    return fromEnvironment ? fromEnvironment : "";
}

} // namespace

CupsQueue::CupsQueue(const std::string& name) {
    const std::string wanted = requestedName(name);
    DestinationPtr dest(
        cupsGetNamedDest(CUPS_HTTP_DEFAULT, wanted.empty() ? nullptr : wanted.c_str(), nullptr));
    if (!dest) {
        const std::string reason = cupsLastErrorString() ? cupsLastErrorString() : "";
        throw EngineError(error_code::kNotFound,
                          wanted.empty()
                              ? "No printer is set up: there is no default printer (" + reason + ")"
                              : "The printer \"" + wanted + "\" does not exist (" + reason + ")");
    }
    requireAcceptingJobs(*dest);
    name_ = dest->name;
}

int CupsQueue::submitPdf(const std::string& path, const std::string& title,
                         const JobOptions& options) const {
    OptionList list(options);
    const int job = cupsPrintFile2(CUPS_HTTP_DEFAULT, name_.c_str(), path.c_str(), title.c_str(),
                                   list.count(), list.get());
    if (job == 0)
        throw EngineError(error_code::kFail,
                          "The printer \"" + name_ +
                              "\" did not accept the job: " + cupsLastErrorString());
    return job;
}

} // namespace vorn::engine
