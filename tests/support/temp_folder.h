// A folder of a test's own under the system's temporary folder, removed with
// everything in it afterwards (kept when VORN_KEEP_TEST_FILES is set, to look
// at what a failing test wrote).
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>

namespace vorn::test {

class TempFolder {
public:
    explicit TempFolder(const std::string& prefix = "vorn-test")
        : path_((std::filesystem::temp_directory_path() / (prefix + "-XXXXXX")).string()) {
        if (!mkdtemp(path_.data()))
            throw std::runtime_error("cannot create " + path_);
    }
    ~TempFolder() {
        std::error_code ignored;
        if (!std::getenv("VORN_KEEP_TEST_FILES"))
            std::filesystem::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& path() const noexcept { return path_; }
    std::string file(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

/// A fixture whose every test starts with an empty `folder`.
class TempFolderTest : public ::testing::Test {
protected:
    TempFolder temp_;
    const std::filesystem::path folder{temp_.path()};
};

} // namespace vorn::test
