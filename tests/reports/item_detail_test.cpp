// The item detail report: custom fields from the tracker's Custom table and
// what Detail_BeforePrint does to each item's page.
#include "data/mod_report_main.h"
#include "platform/automation/com_error.h"
#include "platform/engine/output/pdf_writer.h"
#include "platform/engine/render/report_document.h"
#include "reports/rep_vorn_item_detail.h"
#include "tests/support/pdf_reader.h"
#include "tracker_fixture.h"

#include <algorithm>
#include <set>

using namespace vorn;
using namespace vorn::test;

namespace {

// Every text of page `index`, page numbers and counts included.
std::vector<std::string> pageTexts(const engine::ReportDocument& document, int index) {
    std::vector<std::string> texts;
    for (const auto& item : document.pages().texts(index))
        texts.emplace_back(document.text(item));
    for (const auto& item : document.pages().pageValues(index))
        texts.push_back(document.pageValueText(item, index));
    return texts;
}
bool pageShows(const engine::ReportDocument& document, int index, const std::string& text) {
    const auto texts = pageTexts(document, index);
    return std::find(texts.begin(), texts.end(), text) != texts.end();
}

class ItemDetail : public TrackerFixture {
protected:
    void SetUp() override {
        TrackerFixture::SetUp();
        report_.setConnection(modReportMain().gDSN);
        report_.setSqlText("SELECT * FROM Items ORDER BY ItemIndex");
    }
    std::vector<const engine::Control*> customLabels() {
        std::vector<const engine::Control*> out;
        for (const auto& c : report_.report().section("PageHeader").controls)
            if (c->kind == engine::ControlKind::Label && c->top >= 3420)
                out.push_back(c.get());
        return out;
    }
    reports::repVornItemDetail report_;
};

} // namespace

TEST_F(ItemDetail, OneCustomFieldPerRunOfEqualNamesHoweverOftenLoadedAndNoCustomTableIsAnError) {
    report_.LoadCustomCombos(); // no custom rows change nothing
    EXPECT_TRUE(customLabels().empty());
    EXPECT_EQ(report_.report().section("PageHeader").height, 3390);
    runSql(tracker_, "INSERT INTO Custom VALUES ('', 'Blank', 'Text'),"
                     "('Browser ', 'Browser', 'Text'), ('Browser ', 'Web browser:', 'Text'),"
                     "('Regression', 'Regression:', 'Yes/No');");
    report_.LoadCustomCombos();
    report_.LoadCustomCombos(); // a second load must not add the fields again
    const auto labels = customLabels();
    ASSERT_EQ(labels.size(), 2u);
    EXPECT_EQ(labels[0]->caption, "Browser:");
    EXPECT_EQ(labels[0]->top, 3420);
    EXPECT_EQ(labels[0]->left, 1260);
    EXPECT_EQ(labels[1]->caption, "Regression:");
    EXPECT_EQ(labels[1]->top, 3690);
    EXPECT_EQ(report_.report().section("PageHeader").height, 3390 + 2 * 270 + 30);
    for (const auto& c : report_.report().section("PageHeader").controls)
        if (c->dataField == "Browser") { // an empty value takes no room
            EXPECT_TRUE(c->left == 2970 && c->width == 6480 && c->canShrink) << c->name;
        }
    runSql(tracker_, "DROP TABLE Custom");
    EXPECT_THROW(report_.LoadCustomCombos(), automation::ComError);
}

TEST_F(ItemDetail, EachItemOnItsOwnPageWithItsProjectPercentCommentsAndPrintTime) {
    runSql(tracker_, "UPDATE Items SET PercentComplete = 37, Comments = 'Seen twice' WHERE "
                     "ItemIndex = 1;"
                     "UPDATE Items SET PercentComplete = 42.9 WHERE ItemIndex = 2;"
                     "UPDATE Items SET PercentComplete = 100 WHERE ItemIndex = 3;"
                     "UPDATE Items SET PercentComplete = 150 WHERE ItemIndex = 4;"
                     "UPDATE Items SET PercentComplete = -5 WHERE ItemIndex = 5;"
                     "UPDATE Items SET PercentComplete = '' WHERE ItemIndex = 6;"
                     "UPDATE Items SET Subject = 'Second item', Resolution = 'Fixed' WHERE "
                     "ItemIndex = 2;");
    report_.LoadCustomCombos();
    const auto document = report_.run();
    ASSERT_EQ(document->pageCount(), 10);
    // Percentages clamped; each page's item and its top-level project (Drafts is
    // under Docs, under Alpha); captions of empty comments and resolutions hidden
    // item by item; every footer shows its own page of the whole report.
    const std::tuple<int, const char*, bool> shows[] = {
        {0, "37%", true},       {1, "42%", true},
        {2, "100%", true},      {3, "0%", true},
        {4, "0%", true},        {5, "0%", true},
        {6, "0%", true},        {1, "Second item", true},
        {5, "Alpha", true},     {6, "O'Brien's Tools", true},
        {0, "Comments", true},  {0, "Resolution", false},
        {1, "Comments", false}, {1, "Resolution", true},
        {9, "10", true}};
    for (const auto& [page, text, shown] : shows)
        EXPECT_EQ(pageShows(*document, page, text), shown) << page << ": " << text;
    const auto texts = pageTexts(*document, 0);
    // "Printed" once as the caption, and the design's placeholder replaced by the time.
    EXPECT_EQ(std::count(texts.begin(), texts.end(), std::string("Printed")), 1);
    const bool hasDate = std::any_of(texts.begin(), texts.end(), [](const std::string& t) {
        return t.find('/') != std::string::npos && t.find(':') != std::string::npos;
    });
    EXPECT_TRUE(hasDate);
}

TEST_F(ItemDetail, TextStartsAtItsControlsTopAndEachFurtherLineOfAValueMovesWhatFollowsOneLine) {
    // Values of 70 words "bw" and 50 "fi", 100 words "cm": 3, 2 and 8 lines.
    runSql(tracker_,
           "ALTER TABLE Items ADD Bw; ALTER TABLE Items ADD Cu; ALTER TABLE Items ADD Fi;"
           "INSERT INTO Custom VALUES ('Bw', 'Bw', ''), ('Cu', 'Cu', ''), ('Fi', 'Fi', '');"
           "UPDATE Items SET Subject = 'S', Cu = 'cu',"
           " Bw = replace(hex(zeroblob(70)), '00', 'bw '),"
           " Fi = replace(hex(zeroblob(50)), '00', 'fi '),"
           " Comments = replace(hex(zeroblob(100)), '00', 'cm ')");
    report_.LoadCustomCombos();
    const std::string pdf = (folder_ / "detail.pdf").string();
    engine::writePdf(*report_.run(), pdf);
    const auto all = pdfWords(pdf);
    auto tops = [&](const std::string& prefix) { // of the lines whose first word has it
        std::set<double> out;
        for (const auto& w : all)
            if (w.page == 1 && w.text.rfind(prefix, 0) == 0)
                out.insert(w.yMin);
        return std::vector<double>(out.begin(), out.end());
    };
    const double pitch = 2472 / 2048.0, top = 72, custom = 72 + 171; // Tahoma's Windows pitch
    // Tahoma 9 bold; custom captions and values in 8 after values of 3, 1 and 2 lines.
    for (const auto& [word, at] : {std::pair{"Number:", top + 81},
                                   {"bw", custom},
                                   {"Cu:", custom + 13.5 + 16 * pitch},
                                   {"Fi:", custom + 27 + 16 * pitch},
                                   {"Comments", top + (3390 + 840 + 180) / 20.0 + 24 * pitch}})
        EXPECT_NEAR(tops(word).at(0), at, 0.5) << word;
    for (const auto& [prefix, lines, size] :
         {std::tuple{"bw", 3u, 8}, {"fi", 2u, 8}, {"cm", 8u, 9}}) {
        const auto t = tops(prefix);
        ASSERT_EQ(t.size(), lines) << prefix;
        for (std::size_t i = 1; i < t.size(); ++i)
            EXPECT_NEAR(t[i] - t[i - 1], size * pitch, 0.01) << prefix << i;
    }
}
