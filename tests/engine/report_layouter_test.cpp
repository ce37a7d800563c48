#include "platform/engine/data/memory_record_source.h"
#include "platform/engine/engine_error.h"
#include "platform/engine/layout/report_layouter.h"
#include "tests/engine/fake_text_shaper.h"
#include "tests/support/error_code.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace vorn::engine {
namespace {

Control& addField(Section& s, const std::string& name, const std::string& column, double top = 0) {
    Control& c = s.controls.add(ControlKind::Field, name);
    c.dataField = column;
    c.top = top;
    c.width = 4000;
    c.height = 200;
    return c;
}

// Every band of these reports is 200 twips (10 points) high.
Section& addBand(Report& r, SectionKind kind, const std::string& name,
                 const std::string& groupField = "") {
    Section& s = r.addSection(kind, name);
    s.height = 200;
    s.groupField = groupField;
    return s;
}

std::vector<std::string> textsDown(const PageList& pages, const testing::FakeTextShaper& shaper,
                                   int page, double from) {
    std::vector<const TextItem*> items;
    for (const TextItem& t : pages.texts(page))
        if (t.top >= from - 1e-3)
            items.push_back(&t);
    std::stable_sort(items.begin(), items.end(),
                     [](const TextItem* a, const TextItem* b) { return a->top < b->top; });
    std::vector<std::string> out;
    for (const TextItem* t : items)
        out.emplace_back(shaper.text(t->run));
    return out;
}

// A report with a page header, one group per "Project", a detail line and a
// group footer with the sum of "Count".
struct GroupedReport {
    GroupedReport() : report("grouped") {
        addField(addBand(report, SectionKind::PageHeader, "PageHeader"), "hdrItem", "Item");
        addField(addBand(report, SectionKind::GroupHeader, "GroupHeader1", "Project"), "txtProject",
                 "Project");
        addField(addBand(report, SectionKind::Detail, "Detail"), "txtItem", "Item");
        Control& sum =
            addField(addBand(report, SectionKind::GroupFooter, "GroupFooter1"), "Field1", "Count");
        sum.summary = SummaryFunction::Sum;
        sum.summaryGroup = "GroupHeader1";
        sum.text = "Count";
        Section& pageFooter = addBand(report, SectionKind::PageFooter, "PageFooter");
        Control& number = addField(pageFooter, "txtPageNumber", "");
        number.pageValue = PageValue::PageNumber;
        Control& count = addField(pageFooter, "txtPageCount", "");
        count.pageValue = PageValue::PageCount;
    }

    PageList run(std::vector<std::vector<Value>> rows) {
        MemoryRecordSource records({"Project", "Item", "Count"}, std::move(rows));
        return ReportLayouter(report, shaper).run(&records);
    }

    /// The texts of a page from top to bottom, without the page header's.
    std::vector<std::string> body(const PageList& pages, int page) {
        return textsDown(pages, shaper, page, 72 + 10);
    }

    Report report;
    testing::FakeTextShaper shaper;
};

Value text(const char* s) {
    return Value::text(s);
}

// Sums, and whether they print as whole numbers, restart with each group.
TEST(ReportLayouter, groupsBreakInnerOnesWithTheirOuterGroupAndSumsRestartPerGroup) {
    Report report("nested");
    addField(addBand(report, SectionKind::GroupHeader, "GroupHeader1", "User"), "u", "User");
    addField(addBand(report, SectionKind::GroupHeader, "GroupHeader2", "Project"), "p", "Project");
    addField(addBand(report, SectionKind::Detail, "Detail"), "f", "Folder");
    addField(addBand(report, SectionKind::GroupFooter, "GroupFooter2"), "gap", "").text = "-";
    Control& sum =
        addField(addBand(report, SectionKind::GroupFooter, "GroupFooter1"), "Field1", "N");
    sum.summary = SummaryFunction::Sum;
    sum.summaryGroup = "GroupHeader1";

    MemoryRecordSource records({"User", "Project", "Folder", "N"},
                               {{text("u1"), text("p1"), text("f1"), Value::integer(1)},
                                {text("u1"), text("p1"), text("f2"), Value::integer(2)},
                                {text("u1"), text("p2"), text("f3"), Value::real(4.5)},
                                {text("u2"), text("p2"), text("f4"), Value::integer(8)}});
    testing::FakeTextShaper shaper;
    PageList pages = ReportLayouter(report, shaper).run(&records);
    EXPECT_EQ(textsDown(pages, shaper, 0, 0),
              (std::vector<std::string>{"u1", "p1", "f1", "f2", "-", "p2", "f3", "-", "7.5", "u2",
                                        "p2", "f4", "-", "8"}));
    // Each group opened gives a bookmark at its level.
    std::vector<std::pair<std::string, int>> outline;
    for (const OutlineEntry& e : pages.outline) {
        outline.emplace_back(e.title, e.level);
        EXPECT_EQ(e.page, 0);
    }
    EXPECT_EQ(outline, (std::vector<std::pair<std::string, int>>{
                           {"u1", 0}, {"p1", 1}, {"p2", 1}, {"u2", 0}, {"p2", 1}}));
}

TEST(ReportLayouter, pagesAreNumberedAcrossTheReportLandscapeShortensThemAndNoRecordsMakeOne) {
    GroupedReport r;
    std::vector<int> footerNumbers;
    Control& number = r.report.control("txtPageNumber");
    r.report.setPageFooterBeforePrint([&] { footerNumbers.push_back(std::stoi(number.text)); });
    std::vector<std::vector<Value>> rows;
    for (int i = 0; i < 150; ++i)
        rows.push_back({text("P"), Value::text(std::to_string(i)), Value::integer(1)});
    PageList pages = r.run(rows);
    // 628 points of body hold 62 ten-point bands: 152 bands need three pages.
    ASSERT_EQ(pages.pageCount(), 3);
    EXPECT_EQ(footerNumbers, (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(r.body(pages, 2).back(), "150");
    // Landscape turns the paper: 612 - 144 - 20 leaves 448 points, 44 bands a page.
    r.report.setOrientation(Report::kLandscape);
    pages = r.run(rows);
    EXPECT_DOUBLE_EQ(pages.paperWidth, 792);
    EXPECT_DOUBLE_EQ(pages.paperHeight, 612);
    EXPECT_EQ(pages.pageCount(), 4);
    EXPECT_EQ(r.body(pages, 0).size(), 44u);
    // No records: one page with its header and footer.
    r.report.control("hdrItem").dataField.clear();
    r.report.control("hdrItem").text = "title";
    pages = ReportLayouter(r.report, r.shaper).run(nullptr);
    ASSERT_EQ(pages.pageCount(), 1);
    EXPECT_EQ(textsDown(pages, r.shaper, 0, 0), std::vector<std::string>{"title"});
    EXPECT_EQ(pages.pageValues(0).size, 2u);
}

// The page header is bound after its page's first detail ran its callback, so
// it can show what that callback set.
TEST(ReportLayouter, callbacksRunInPrintingOrderAndThePageHeaderShowsItsPagesFirstRecord) {
    GroupedReport r;
    r.report.section("Detail").newPageAfter = true;
    r.report.section("GroupFooter1").visible = false;
    std::vector<std::string> calls;
    Control& headerItem = r.report.control("hdrItem");
    Control& item = r.report.control("txtItem");
    r.report.section("PageHeader").beforePrint = [&] { calls.push_back(headerItem.text); };
    r.report.setDetailBeforePrint([&] { headerItem.text = "item " + item.text; });
    r.report.setPageFooterBeforePrint([&] { calls.push_back("footer"); });
    PageList pages = r.run(
        {{text("P"), text("a"), Value::integer(1)}, {text("P"), text("b"), Value::integer(1)}});
    ASSERT_EQ(pages.pageCount(), 2);
    EXPECT_EQ(calls, (std::vector<std::string>{"item a", "footer", "item b", "footer"}));
    EXPECT_EQ(textsDown(pages, r.shaper, 1, 0).front(), "item b");
}

// Each broken report is refused with kNotFound and a message naming the culprit.
TEST(ReportLayouter, refusesWhatIsMissingNamingIt) {
    const struct {
        void (*breakIt)(Report&);
        std::vector<const char*> named;
    } cases[] = {
        {[](Report& r) { r.control("txtItem").dataField = "Nothing"; }, {"txtItem", "Nothing"}},
        {[](Report& r) { r.section("GroupHeader1").groupField = "Nothing"; }, {"GroupHeader1"}},
        {[](Report& r) { r.control("Field1").summaryGroup = "GroupHeader9"; }, {}}};
    for (const auto& c : cases) {
        GroupedReport r;
        c.breakIt(r.report);
        std::string what;
        EXPECT_EQ(test::codeOf(
                      [&] {
                          r.run({{text("P"), text("a"), Value::integer(1)}});
                      },
                      &what),
                  error_code::kNotFound)
            << what;
        for (const char* name : c.named)
            EXPECT_NE(what.find(name), std::string::npos) << what;
    }
}

} // namespace
} // namespace vorn::engine
