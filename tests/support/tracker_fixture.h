// A small tracker and a local reports database in a folder of the test's own,
// with the shared report state pointing at them, as dispatch leaves it.
#pragma once

#include "platform/automation/com_ptr.h"
#include "sqlite_file.h"
#include "temp_folder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace vorn::test {

class TrackerFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    /// Creates reports.mdb (and the spare copy when asked) from the schema.
    void makeReportsDatabase(bool withSpare);
    /// The local table as text rows, in the reports' order.
    std::vector<std::string> projectDetails() const;
    /// Builds the host's project tree from the tracker's Projects table.
    void attachProjectTree();

    TempFolder temp_{"vorn-data"};
    std::filesystem::path folder_;
    std::filesystem::path tracker_;
    std::filesystem::path reports_;
    std::vector<std::string> messages_;
};

} // namespace vorn::test
