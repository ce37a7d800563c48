#include "cups_test_server.h"
#include "fake_page_document.h"

#include "platform/engine/engine_error.h"
#include "platform/engine/output/pdf_writer.h"
#include "platform/engine/printing/cups_queue.h"
#include "tests/support/error_code.h"

#include <gtest/gtest.h>

using namespace vorn::engine;
using namespace vorn::engine::testing;
using namespace vorn::test;

namespace {

class CupsQueueTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(server.running());
        writePdf(FakePageDocument(3, "Queue Test"), pdf);
    }

    CupsTestServer server{{"TESTPDF", "OTHERPDF"}};
    TempFolder folder;
    std::string pdf = folder.file("job.pdf");
    ScopedPrinterEnvironment environment;
};

} // namespace

TEST_F(CupsQueueTest, FindsTheDefaultTheNamedOrThePrinterVariablesDestinationAndFailsRefusedJobs) {
    EXPECT_EQ(CupsQueue().name(), "TESTPDF");
    EXPECT_EQ(CupsQueue("OTHERPDF").name(), "OTHERPDF");
    environment.set("PRINTER", "OTHERPDF");
    EXPECT_EQ(CupsQueue().name(), "OTHERPDF");
    EXPECT_EQ(CupsQueue("TESTPDF").name(), "TESTPDF");
    EXPECT_EQ(codeOf([] { CupsQueue("NOSUCHQUEUE"); }), error_code::kNotFound);
    environment.set("PRINTER", "NOSUCHQUEUE");
    EXPECT_EQ(codeOf([] { CupsQueue(); }), error_code::kNotFound);
    const CupsQueue queue("TESTPDF"); // a job it refuses or a scheduler gone fails
    EXPECT_EQ(codeOf([&] { queue.submitPdf(folder.file("missing.pdf"), "Missing"); }),
              error_code::kFail);
    server.stop();
    EXPECT_EQ(codeOf([&] { queue.submitPdf(pdf, "Server gone"); }), error_code::kFail);
}
