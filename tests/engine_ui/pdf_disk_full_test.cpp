// A PDF written to a disk that fills up: the caller gets an error, and the
// output name keeps what it held before (or nothing), never a truncated file.
// The disk is a 64 KB tmpfs, which needs root; elsewhere the case is skipped.
#include "fake_page_document.h"
#include "tests/support/temp_folder.h"

#include "platform/engine/engine_error.h"
#include "platform/engine/output/pdf_writer.h"
#include "tests/support/error_code.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/mount.h>

using namespace vorn::engine;
using namespace vorn::engine::testing;
using vorn::test::codeOf;

namespace {

class SmallDisk {
public:
    explicit SmallDisk(const std::string& folder) : folder_(folder) {
        mounted_ = ::mount("tmpfs", folder_.c_str(), "tmpfs", 0, "size=64k") == 0;
    }
    ~SmallDisk() {
        if (mounted_)
            ::umount2(folder_.c_str(), MNT_DETACH);
    }
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;
    bool mounted() const noexcept { return mounted_; }

private:
    std::string folder_;
    bool mounted_ = false;
};

std::string contentsOf(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<std::string> namesIn(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    return names;
}

} // namespace

TEST(PdfDiskFullTest, FailsWithoutLeavingATruncatedFileOrLosingTheOldOne) {
    vorn::test::TempFolder folder;
    const SmallDisk disk(folder.path());
    if (!disk.mounted())
        GTEST_SKIP() << "mounting a tmpfs needs root";
    const std::string pdf = folder.file("report.pdf");
    const FakePageDocument large(400);

    EXPECT_EQ(codeOf([&] { writePdf(large, pdf); }), error_code::kFail);
    EXPECT_TRUE(namesIn(folder.path()).empty());

    { std::ofstream(pdf) << "the previous report"; }
    EXPECT_EQ(codeOf([&] { writePdf(large, pdf); }), error_code::kFail);
    EXPECT_EQ(namesIn(folder.path()), std::vector<std::string>{"report.pdf"});
    EXPECT_EQ(contentsOf(pdf), "the previous report");

    // The space the failed writes took is free again: a small one fits.
    writePdf(FakePageDocument(1), pdf);
    EXPECT_EQ(contentsOf(pdf).substr(0, 5), "%PDF-");
}

TEST(PdfDiskFullTest, ADeviceThatFailsIsReportedAndKept) {
    EXPECT_EQ(codeOf([] { writePdf(FakePageDocument(1), "/dev/full"); }), error_code::kFail);
    EXPECT_TRUE(std::filesystem::exists("/dev/full"));
}
