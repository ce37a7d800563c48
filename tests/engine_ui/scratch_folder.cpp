#include "scratch_folder.h"

#include <stdlib.h>

#include <filesystem>
#include <stdexcept>

namespace vorn::engine::testing {

ScratchFolder::ScratchFolder()
    : path_((std::filesystem::temp_directory_path() / "vorn-ui-test-XXXXXX").string()) {
    if (!mkdtemp(path_.data()))
        throw std::runtime_error("cannot create " + path_);
}

ScratchFolder::~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

bool fileExists(const std::string& path) {
    return std::filesystem::exists(path);
}

} // namespace vorn::engine::testing
