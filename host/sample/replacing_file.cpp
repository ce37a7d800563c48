#include "host/sample/replacing_file.h"

#include "platform/automation/com_error.h"

#include <filesystem>
#include <system_error>
#include <unistd.h>

namespace vorn::host {

using automation::ComError;

ReplacingFile::ReplacingFile(std::string target) : target_(std::move(target)) {
    if (target_.empty())
        throw ComError(automation::E_INVALIDARG, "The sample tracker needs a file name");
    // The process id keeps two builders of one file from sharing a name.
    building_ = target_ + ".building-" + std::to_string(::getpid());
    std::error_code ignored;
    std::filesystem::remove(building_, ignored);
}

ReplacingFile::~ReplacingFile() {
    if (committed_)
        return;
    std::error_code ignored;
    std::filesystem::remove(building_, ignored);
}

void ReplacingFile::commit() {
    std::error_code error;
    std::filesystem::rename(building_, target_, error);
    if (error)
        throw ComError(automation::E_FAIL,
                       "Cannot replace \"" + target_ + "\": " + error.message());
    committed_ = true;
}

} // namespace vorn::host
