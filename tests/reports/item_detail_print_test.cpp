// The item detail report as a reader of its PDF sees it: where texts start,
// how wrapped texts are spaced, and how wrapped custom values move the lines
// below them.
#include "data/mod_report_main.h"
#include "platform/engine/output/pdf_writer.h"
#include "platform/engine/render/report_document.h"
#include "reports/rep_vorn_item_detail.h"
#include "tests/engine_ui/pdf_reader.h"
#include "tracker_fixture.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

using namespace vorn;
using namespace vorn::test;

namespace {

// Tahoma's Windows line pitch, (usWinAscent + usWinDescent) / unitsPerEm.
constexpr double kPitchEm = 2472 / 2048.0;
constexpr double kPageTop = 1440 / 20.0;

std::string words(const std::string& prefix, int count) {
    std::string text;
    for (int i = 10; i < 10 + count; ++i)
        text += (text.empty() ? "" : " ") + prefix + std::to_string(i);
    return text;
}

class ItemDetailPrint : public TrackerFixture {
protected:
    std::vector<engine::testing::PdfWord> print() {
        reports::repVornItemDetail report;
        report.setConnection(modReportMain().gDSN);
        report.setSqlText("SELECT * FROM Items WHERE ItemIndex = 1");
        report.LoadCustomCombos();
        const std::string pdf = (folder_ / "detail.pdf").string();
        engine::writePdf(*report.run(), pdf);
        return engine::testing::pdfWords(pdf);
    }
    /// The tops of the lines whose first word starts with `prefix`, top down.
    static std::vector<double> lineTops(const std::vector<engine::testing::PdfWord>& all,
                                        const std::string& prefix) {
        std::vector<double> tops;
        for (const auto& w : all)
            if (w.text.rfind(prefix, 0) == 0 &&
                std::none_of(tops.begin(), tops.end(),
                             [&](double top) { return std::abs(top - w.yMin) < 0.1; }))
                tops.push_back(w.yMin);
        std::sort(tops.begin(), tops.end());
        return tops;
    }
};

} // namespace

TEST_F(ItemDetailPrint,
       TextsStartAtTheirControlsAndWrappedValuesMoveTheLinesBelowByTheirExtraLines) {
    runSql(tracker_, "ALTER TABLE Items ADD COLUMN Browser TEXT;"
                     "ALTER TABLE Items ADD COLUMN Customer TEXT;"
                     "ALTER TABLE Items ADD COLUMN FoundIn TEXT;"
                     "ALTER TABLE Items ADD COLUMN Zone TEXT;"
                     "INSERT INTO Custom VALUES ('Browser', 'Browser', 'Text');"
                     "INSERT INTO Custom VALUES ('Customer', 'Customer', 'Text');"
                     "INSERT INTO Custom VALUES ('FoundIn', 'Found in', 'Text');"
                     "INSERT INTO Custom VALUES ('Zone', 'Zone', 'Text');"
                     "UPDATE Items SET Subject = 'Short', Browser = '" +
                         words("bw", 45) + "', Customer = 'solo', FoundIn = '" + words("fi", 25) +
                         "', Zone = 'z', Comments = '" + words("cm", 60) + "' WHERE ItemIndex = 1");
    const auto all = print();
    const double pitch8 = 8 * kPitchEm;
    // Three custom values of three, one and two lines move what follows each.
    const std::vector<double> browser = lineTops(all, "bw");
    ASSERT_EQ(browser.size(), 3u);
    const std::vector<double> foundIn = lineTops(all, "fi");
    ASSERT_EQ(foundIn.size(), 2u);
    const double customTop = kPageTop + 3420 / 20.0;
    struct Expected {
        std::string word;
        double top; // points from the page's top
    };
    for (const auto& [word, top] : {
             Expected{"Item", kPageTop + 90 / 20.0},      // Tahoma 15.75
             Expected{"Project:", kPageTop + 810 / 20.0}, // Tahoma 15 bold
             Expected{"Number:", kPageTop + 1620 / 20.0}, // Tahoma 9 bold
             Expected{"Browser:", customTop},             // Tahoma 8 bold
             Expected{"bw10", customTop},                 // Tahoma 8
             Expected{"Customer:", customTop + 13.5 + 2 * pitch8},
             Expected{"solo", customTop + 13.5 + 2 * pitch8},
             Expected{"Found", customTop + 27 + 2 * pitch8},
             Expected{"Zone:", customTop + 40.5 + 3 * pitch8},
             Expected{"Comments", kPageTop + (3390 + 4 * 270 + 30 + 180) / 20.0 + 3 * pitch8},
         }) {
        auto found = std::find_if(all.begin(), all.end(),
                                  [&](const auto& w) { return w.text == word && w.page == 1; });
        ASSERT_NE(found, all.end()) << word;
        EXPECT_NEAR(found->yMin, top, 0.5) << word;
    }
    // Wrapped lines follow each other at the line pitch: Tahoma 8 and 9.
    for (const auto& [tops, size] :
         {std::pair{browser, 8.0}, {foundIn, 8.0}, {lineTops(all, "cm"), 9.0}})
        for (std::size_t i = 1; i < tops.size(); ++i)
            EXPECT_NEAR(tops[i] - tops[i - 1], size * kPitchEm, 0.01) << size << " pt, line " << i;
    EXPECT_GE(lineTops(all, "cm").size(), 4u);
}
