// A temporary folder for one test's files, removed with everything in it.
#pragma once

#include <string>

namespace vorn::engine::testing {

class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::string& path() const noexcept { return path_; }
    std::string file(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

bool fileExists(const std::string& path);

} // namespace vorn::engine::testing
