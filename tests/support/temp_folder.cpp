#include "temp_folder.h"

#include <cstdlib>
#include <stdexcept>

namespace vorn::test {

TempFolder::TempFolder(const std::string& prefix)
    : path_((std::filesystem::temp_directory_path() / (prefix + "-XXXXXX")).string()) {
    if (!mkdtemp(path_.data()))
        throw std::runtime_error("cannot create " + path_);
}

TempFolder::~TempFolder() {
    if (std::getenv("VORN_KEEP_TEST_FILES"))
        return;
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

} // namespace vorn::test
