// A file that is built under a temporary name beside its final place and
// takes that place only when complete, so that readers never see half a file
// and a failed build leaves the old one alone.
#pragma once

#include <string>

namespace vorn::host {

class ReplacingFile {
public:
    /// \throws automation::ComError E_INVALIDARG for an empty path
    explicit ReplacingFile(std::string target);
    ~ReplacingFile(); // removes the unfinished file
    ReplacingFile(const ReplacingFile&) = delete;
    ReplacingFile& operator=(const ReplacingFile&) = delete;

    /// Where to write meanwhile; nothing is there when the object is made.
    const std::string& buildPath() const { return building_; }

    /// Moves the built file over the target.
    /// \throws automation::ComError E_FAIL when the target cannot be replaced
    void commit();

private:
    std::string target_;
    std::string building_;
    bool committed_ = false;
};

} // namespace vorn::host
