#include "platform/engine/printing/cups_queue.h"

#include "platform/engine/engine_error.h"

#include <cups/cups.h>

#include <cstdlib>
#include <memory>

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
