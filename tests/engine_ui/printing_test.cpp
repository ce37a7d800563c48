#include "cups_test_server.h"
#include "engine_error_code.h"
#include "fake_page_document.h"
#include "pdf_reader.h"

#include "platform/engine/output/pdf_writer.h"
#include "platform/engine/output/printing.h"

#include <gtest/gtest.h>

using namespace vorn::engine;
using namespace vorn::engine::testing;

namespace {

class PrintingTest : public ::testing::Test {
protected:
    void SetUp() override {
        environment.unset(kPrintFileVariable);
        environment.unset("PRINTER");
        environment.unset("LPDEST");
        // No scheduler unless a test starts its own.
        environment.set("CUPS_SERVER", folder.file("no-such.sock"));
    }

    ScratchFolder folder;
    ScopedEnvironment environment;
    FakePageDocument document{4, "Printing Test"};
};

} // namespace

TEST_F(PrintingTest, PrintFileVariableReceivesTheSamePdfAsSaving) {
    const std::string printed = folder.file("printed.pdf");
    const std::string saved = folder.file("saved.pdf");
    environment.set(kPrintFileVariable, printed);
    print(document, PrintOptions{});
    writePdf(document, saved);
    EXPECT_EQ(readFile(printed), readFile(saved));
}

TEST_F(PrintingTest, PrintFileVariableWinsOverANamedDestination) {
    const std::string printed = folder.file("printed.pdf");
    environment.set(kPrintFileVariable, printed);
    PrintOptions options;
    options.destination = "NOSUCHQUEUE";
    print(document, options);
    EXPECT_EQ(pdfInfo(printed)["Pages"], "4");
}

TEST_F(PrintingTest, WithoutAnyPrinterRaisesNotFound) {
    EXPECT_EQ(codeOf([&] { print(document, PrintOptions{}); }), error_code::kNotFound);
}

TEST_F(PrintingTest, UnwritablePrintFileRaisesFail) {
    environment.set(kPrintFileVariable, folder.file("missing/printed.pdf"));
    EXPECT_EQ(codeOf([&] { print(document, PrintOptions{}); }), error_code::kFail);
}

TEST_F(PrintingTest, GoesToTheDefaultCupsDestination) {
    CupsTestServer server({"TESTPDF", "OTHERPDF"});
    ASSERT_TRUE(server.running());
    print(document, PrintOptions{});
    ASSERT_TRUE(server.waitForJob("TESTPDF"));
    EXPECT_EQ(pdfInfo(server.outputOf("TESTPDF"))["Pages"], "4");
    EXPECT_NE(pdfText(server.outputOf("TESTPDF")).find("Page 4 of 4"), std::string::npos);
}

TEST_F(PrintingTest, PrinterVariableAndOptionChooseTheDestination) {
    CupsTestServer server({"TESTPDF", "OTHERPDF"});
    ASSERT_TRUE(server.running());
    environment.set("PRINTER", "OTHERPDF");
    print(document, PrintOptions{});
    ASSERT_TRUE(server.waitForJob("OTHERPDF"));

    PrintOptions options;
    options.destination = "TESTPDF";
    print(document, options);
    ASSERT_TRUE(server.waitForJob("TESTPDF"));
}

TEST_F(PrintingTest, UnknownDestinationRaisesNotFound) {
    CupsTestServer server;
    PrintOptions options;
    options.destination = "NOSUCHQUEUE";
    EXPECT_EQ(codeOf([&] { print(document, options); }), error_code::kNotFound);
}

TEST_F(PrintingTest, PaintFailureReachesTheCallerAndPrintsNothing) {
    CupsTestServer server;
    document.failOnPage(2);
    EXPECT_THROW(print(document, PrintOptions{}), std::runtime_error);
    EXPECT_FALSE(server.waitForJob("TESTPDF", 1));
}
