// A PDF written to a disk that fills up: the caller gets an error, and the
// output name keeps what it held before (or nothing), never a truncated file.
// The disk is a 64 KB tmpfs, which needs root; elsewhere the case is skipped.
#include "fake_page_document.h"
#include "tests/support/temp_folder.h"

#include "platform/engine/engine_error.h"
#include "platform/engine/output/pdf_writer.h"
#include "tests/support/error_code.h"
#include "tests/support/scoped_mount.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

using namespace vorn::engine;
using namespace vorn::engine::testing;
using vorn::test::codeOf;

namespace {

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
    const vorn::test::ScopedMount disk = vorn::test::ScopedMount::smallDisk(folder.path(), "64k");
    if (!disk.ready())
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
