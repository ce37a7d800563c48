// A fixture giving each test an empty folder of its own, removed afterwards.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <unistd.h>

namespace vorn::host {

class TempFolderTest : public ::testing::Test {
protected:
    std::filesystem::path folder = std::filesystem::path(::testing::TempDir()) /
                                   ("host_sample_test-" + std::to_string(::getpid()));
    void SetUp() override {
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
    }
    void TearDown() override { std::filesystem::remove_all(folder); }
};

} // namespace vorn::host
