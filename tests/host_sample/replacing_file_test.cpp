#include "host/sample/replacing_file.h"

#include "tests/support/command_and_file.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace vorn::host {
namespace {

namespace fs = std::filesystem;

void writeFile(const fs::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

class ReplacingFileTest : public vorn::test::TempFolderTest {
protected:
    fs::path target = folder / "tracker.db";
    std::size_t filesInFolder() const {
        return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder), {}));
    }
};

TEST_F(ReplacingFileTest, ReplacesTheTargetOnlyOnCommitAndLeavesNothingElse) {
    writeFile(target, "old");
    for (bool commit : {false, true}) {
        ReplacingFile file(target.string());
        writeFile(file.buildPath(), "new");
        EXPECT_EQ(vorn::test::readFile(target), "old");
        if (commit)
            file.commit();
    }
    EXPECT_EQ(vorn::test::readFile(target), "new");
    EXPECT_EQ(filesInFolder(), 1u);
}

} // namespace
} // namespace vorn::host
