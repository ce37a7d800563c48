#include "platform/engine/data/memory_record_source.h"
#include "platform/engine/design/design_loader.h"
#include "platform/engine/engine_error.h"
#include "platform/engine/layout/report_layouter.h"
#include "reports/designs/embedded_designs.h"
#include "tests/engine/fake_text_shaper.h"
#include "tests/support/error_code.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <sstream>

namespace vorn::engine {
namespace {

// One line per control of the four designs, as the design tables give them:
// band|name|kind|text|geometry|font|other. For a line the four numbers are x1,
// y1, x2, y2, else left, top, width, height. Text: a label's caption, a field's
// data field, "sum:" and the summed field, "page:number" or "page:count".
const std::pair<const char*, const char*> kTables[] = {
    {"repVornItemList", R"(
PageHeader|imgItem|picture|banner|630 540 5760 540||
PageHeader|ItemListHeader|label|Item List Report|720 630 5580 360|Tahoma 15.75|
PageHeader|imgBugItem|picture|item icon|90 540 450 540||
PageHeader|linItem|line||0 1170 10710 1170||
PageHeader|Image2|picture|logo|9450 90 1080 990||
PageFooter|txtPageCount|field|page:count|10170 90 450 270|Tahoma 8.25|centred
PageFooter|txtPageNumber|field|page:number|9540 90 450 270|Tahoma 8.25|centred
PageFooter|Label21|label|of|9990 90 180 270|Tahoma 8.25|
PageFooter|Label22|label|Page|9090 90 450 270|Tahoma 8.25|
PageFooter|Label3|label|Printed|630 90 540 270|Tahoma 8.25|
PageFooter|lblDatePrinted|label|Printed|1170 90 2880 270|Tahoma 8.25|
)"},
    {"repVornItemDetail", R"(
PageHeader|imgItem|picture|banner|630 0 5760 540||
PageHeader|linItem|line||0 630 8550 630||
PageHeader|imgVornLogo|picture|logo|8730 180 1080 990||
PageHeader|Label1|label|Item Detail Report|720 90 5580 360|Tahoma 15.75|
PageHeader|imgBugItem|picture|item icon|90 0 450 540||
PageHeader|txtItemIndex|field|ItemIndex|2970 1620 2430 270|Tahoma 9|
PageHeader|txtSeverity|field|Severity|2970 2160 2430 270|Tahoma 9|
PageHeader|txtStatus|field|Status|7380 1890 2430 270|Tahoma 9|
PageHeader|txtAssignedTo|field|AssignedTo|2970 2430 2430 270|Tahoma 9|
PageHeader|Label2|label|Item Number:|1260 1620 1710 270|Tahoma 9 bold|
PageHeader|txtPriority|field|Priority|2970 1890 2430 270|Tahoma 9|
PageHeader|txtType|field|Type|7380 2160 2430 270|Tahoma 9|
PageHeader|txtCreatedBy|field|CreatedBy|2970 2790 2430 270|Tahoma 9|
PageHeader|txtDateCreated|field|DateCreated|2970 3060 2430 270|Tahoma 9|
PageHeader|txtLastModifiedBy|field|LastModifiedBy|7380 2790 2430 270|Tahoma 9|
PageHeader|txtSubject|field|Subject|1800 1170 6300 360|Tahoma 15|
PageHeader|Label5|label|Priority:|1260 1890 1710 270|Tahoma 9 bold|
PageHeader|Label6|label|Severity:|1260 2160 1710 270|Tahoma 9 bold|
PageHeader|Label7|label|Status:|5580 1890 1800 270|Tahoma 9 bold|
PageHeader|Label8|label|Type:|5580 2160 1800 270|Tahoma 9 bold|
PageHeader|Label9|label|Assigned To:|1260 2430 1710 270|Tahoma 9 bold|
PageHeader|Label16|label|Created by:|1260 2790 1710 270|Tahoma 9 bold|
PageHeader|Label17|label|Date Created:|1260 3060 1710 270|Tahoma 9 bold|
PageHeader|Label18|label|Last Modified by:|5580 2790 1800 270|Tahoma 9 bold|
PageHeader|Label19|label|Date Modified:|5580 3060 1800 270|Tahoma 9 bold|
PageHeader|Label20|label|Percent Complete:|5580 2430 1800 270|Tahoma 9 bold|
PageHeader|Label23|label|Subject:|270 1170 1440 360|Tahoma 15 bold|
PageHeader|txtPercentComplete|field|PercentComplete|7380 2430 2430 270|Tahoma 9|
PageHeader|txtDateLastModified|field|DateLastModified|7380 3060 2430 270|Tahoma 9|
PageHeader|txtProject|field||1800 810 6300 360|Tahoma 15|
PageHeader|Label24|label|Project:|270 810 1440 360|Tahoma 15 bold|
Detail|txtComments|field|Comments|1260 540 4140 270|Tahoma 9|can shrink
Detail|lblComments|label|Comments|1260 180 1710 270|Tahoma 9 bold|
Detail|txtResolution|field|Resolution|5580 540 4140 270|Tahoma 9|can shrink
Detail|lblResolution|label|Resolution|5580 180 1710 270|Tahoma 9 bold|
PageFooter|Label3|label|Printed|900 90 540 270|Tahoma 8.25|
PageFooter|Line1|line||0 0 9990 0||
PageFooter|txtPageCount|field|page:count|9000 90 450 270|Tahoma 8.25|centred
PageFooter|txtPageNumber|field|page:number|8370 90 450 270|Tahoma 8.25|centred
PageFooter|Label21|label|of|8820 90 180 270|Tahoma 8.25|
PageFooter|Label22|label|Page|7920 90 450 270|Tahoma 8.25|
PageFooter|lblDatePrinted|label|Printed|1530 90 2880 270|Tahoma 8.25|
)"},
    {"repVornProjectDetail", R"(
PageHeader|imgItem|picture|banner|630 0 5760 540||
PageHeader|linItem|line||0 630 9360 630||
PageHeader|lblReportTitle|label|Project Status Report|720 90 5580 360|Tahoma 15.75|
PageHeader|imgBugItem|picture|item icon|90 0 450 540||
PageHeader|imgVornLogo|picture|logo|8730 0 1080 990||
GroupHeader1|txtProjectName|field|ProjectName|90 0 5670 315|Tahoma 12 bold|
GroupHeader1|Label26|label|Folder|90 450 4860 450|Tahoma 8.25 bold|silver background, white text
GroupHeader1|Label27|label|Date Created|4950 450 2340 450|Tahoma 8.25 bold|silver background, white text
GroupHeader1|Label30|label|Items Complete|7290 450 1080 450|Tahoma 8.25 bold|silver background, white text
GroupHeader1|Label33|label|Total|9180 450 630 450|Tahoma 8.25 bold|silver background, white text
GroupHeader1|Label31|label|Items Incomplete|8190 450 990 450|Tahoma 8.25 bold|silver background, white text
Detail|txtFolderPath|field|FolderPath|360 0 4590 270|Arial 8|
Detail|txtProjectCreated|field|ProjectCreated|5040 0 2250 270|Arial 8|
Detail|txtItemsComplete|field|ItemsComplete|7560 0 720 270|Arial 8|
Detail|txtItemsIncomplete|field|ItemsIncomplete|8370 0 720 270|Arial 8|
Detail|txtItemsTotal|field|ItemsTotal|9180 0 630 270|Arial 8|
GroupFooter1|Field1|field|sum:ItemsComplete|7560 0 810 270|Arial 8|silver background, white text
GroupFooter1|Field2|field|sum:ItemsIncomplete|8370 0 810 270|Arial 8|silver background, white text
GroupFooter1|Field3|field|sum:ItemsTotal|9180 0 630 270|Arial 8|silver background, white text
GroupFooter1|Label34|label|Total|6750 0 810 270|Tahoma 8.25 bold|silver background, white text
PageFooter|Line1|line||90 0 10080 0||
PageFooter|txtPageCount|field|page:count|9630 90 450 270|Tahoma 8.25|centred
PageFooter|txtPageNumber|field|page:number|9000 90 450 270|Tahoma 8.25|centred
PageFooter|Label21|label|of|9450 90 180 270|Tahoma 8.25|
PageFooter|Label22|label|Page|8550 90 450 270|Tahoma 8.25|
PageFooter|Label3|label|Printed|810 90 540 270|Tahoma 8.25|
PageFooter|lblDatePrinted|label|Printed|1350 90 2880 270|Tahoma 8.25|
)"},
    {"repVornUserDetail", R"(
PageHeader|imgItem|picture|banner|630 0 5760 540||
PageHeader|linItem|line||0 630 9360 630||
PageHeader|lblReportTitle|label|User Detail Report|720 90 5580 360|Tahoma 15|
PageHeader|imgBugItem|picture|item icon|90 0 450 540||
PageHeader|imgVornLogo|picture|logo|9000 0 1080 990||
GroupHeader1|Field4|field|AssignedTo|90 0 5670 315|Tahoma 12 bold|
GroupHeader1|Line2|line||90 360 9990 360||
GroupHeader2|txtProjectName|field|ProjectName|270 0 5670 360|Tahoma 12 bold|
GroupHeader2|Label26|label|Folder|90 450 4860 450|Tahoma 8.25 bold|silver background, white text
GroupHeader2|Label27|label|Date Created|4950 450 2340 450|Tahoma 8.25 bold|silver background, white text
GroupHeader2|Label30|label|Items Complete|7290 450 1080 450|Tahoma 8.25 bold|silver background, white text
GroupHeader2|Label33|label|Total|9180 450 630 450|Tahoma 8.25 bold|silver background, white text
GroupHeader2|Label31|label|Items Incomplete|8190 450 990 450|Tahoma 8.25 bold|silver background, white text
Detail|txtFolderPath|field|FolderPath|360 0 4590 270|Arial 8|
Detail|txtProjectCreated|field|ProjectCreated|5040 0 2250 270|Arial 8|
Detail|txtItemsComplete|field|ItemsComplete|7560 0 720 270|Arial 8|
Detail|txtItemsIncomplete|field|ItemsIncomplete|8370 0 720 270|Arial 8|
Detail|txtItemsTotal|field|ItemsTotal|9180 0 630 270|Arial 8|
GroupFooter1|Field1|field|sum:ItemsComplete|7560 0 810 270|Arial 8|silver background, white text
GroupFooter1|Field2|field|sum:ItemsIncomplete|8370 0 810 270|Arial 8|silver background, white text
GroupFooter1|Field3|field|sum:ItemsTotal|9180 0 630 270|Arial 8|silver background, white text
GroupFooter1|Label34|label|Total|6750 0 810 270|Tahoma 8.25 bold|silver background, white text
PageFooter|Line1|line||90 0 10080 0||
PageFooter|txtPageCount|field|page:count|9630 90 450 270|Tahoma 8.25|centred
PageFooter|txtPageNumber|field|page:number|9000 90 450 270|Tahoma 8.25|centred
PageFooter|Label21|label|of|9450 90 180 270|Tahoma 8.25|
PageFooter|Label22|label|Page|8550 90 450 270|Tahoma 8.25|
PageFooter|Label3|label|Printed|810 90 540 270|Tahoma 8.25|
PageFooter|lblDatePrinted|label|Printed|1350 90 2880 270|Tahoma 8.25|
)"},
};

struct DesignRow {
    std::string design, band, name, kind, text, geometry, font, other;
};

std::ostream& operator<<(std::ostream& out, const DesignRow& row) {
    return out << row.design << "." << row.band << "." << row.name;
}

std::vector<DesignRow> designRows() {
    std::vector<DesignRow> rows;
    for (const auto& [design, table] : kTables) {
        std::istringstream lines(table);
        std::string line;
        while (std::getline(lines, line)) {
            if (line.empty())
                continue;
            std::istringstream cells(line);
            DesignRow row;
            row.design = design;
            for (std::string* cell :
                 {&row.band, &row.name, &row.kind, &row.text, &row.geometry, &row.font, &row.other})
                std::getline(cells, *cell, '|');
            rows.push_back(row);
        }
    }
    return rows;
}

const std::vector<DesignRow> kRows = designRows();

std::vector<double> numbers(const std::string& geometry) {
    std::istringstream in(geometry);
    std::vector<double> out(4);
    for (double& n : out)
        in >> n;
    return out;
}

Report& loaded(const std::string& design) {
    static std::map<std::string, std::unique_ptr<Report>> cache;
    auto& slot = cache[design];
    if (!slot)
        slot = designs::loadReport(design);
    return *slot;
}

// A control as its table line reads it after band and name, from the loaded
// (never run) design.
std::string described(const Control& c) {
    std::ostringstream out;
    if (c.kind == ControlKind::Line) {
        out << "line||" << c.x1 << " " << c.y1 << " " << c.x2 << " " << c.y2 << "||";
        return out.str();
    }
    std::ostringstream frame;
    frame << c.left << " " << c.top << " " << c.width << " " << c.height;
    const std::string geometry = frame.str();
    if (c.kind == ControlKind::Picture)
        return "picture|" + c.picture + "|" + geometry + "||";
    if (c.kind == ControlKind::Label)
        out << "label|" << c.caption;
    else if (c.kind != ControlKind::Field)
        out << "?|";
    else if (c.pageValue != PageValue::None)
        out << "field|page:" << (c.pageValue == PageValue::PageNumber ? "number" : "count");
    else
        out << "field|" << (c.summary == SummaryFunction::Sum ? "sum:" : "") << c.dataField;
    out << "|" << geometry << "|" << c.font.name << " " << c.font.size
        << (c.font.bold ? " bold" : "") << "|";
    std::vector<std::string> other;
    if (c.alignment != Alignment::Left)
        other.push_back(c.alignment == Alignment::Center ? "centred" : "other alignment");
    if (c.canShrink)
        other.push_back("can shrink");
    if (c.backColor || c.foreColor != Color::black())
        other.push_back(c.backColor == Color::silver() && c.foreColor == Color::white()
                            ? "silver background, white text"
                            : "other colours");
    for (std::size_t i = 0; i < other.size(); ++i)
        out << (i ? ", " : "") << other[i];
    return out.str();
}

// Each design laid out over one record, read back from its first page.
struct LaidOutDesign {
    std::unique_ptr<Report> report;
    testing::FakeTextShaper shaper;
    PageList pages;
    std::map<std::string, double> bandTops; // points
};

bool isNumberColumn(const std::string& column) {
    return column.rfind("Items", 0) == 0;
}

LaidOutDesign& laidOut(const std::string& design) {
    static std::map<std::string, std::unique_ptr<LaidOutDesign>> cache;
    auto& slot = cache[design];
    if (slot)
        return *slot;
    slot = std::make_unique<LaidOutDesign>();
    slot->report = designs::loadReport(design);
    Report& report = *slot->report;
    std::vector<std::string> columns;
    std::vector<Value> values;
    for (const auto& s : report.sections())
        for (const auto& c : s->controls)
            if (!c->dataField.empty() &&
                std::find(columns.begin(), columns.end(), c->dataField) == columns.end()) {
                columns.push_back(c->dataField);
                values.push_back(isNumberColumn(c->dataField) ? Value::integer(7)
                                                              : Value::text(c->dataField));
            }
    MemoryRecordSource records(columns, {values});
    slot->pages = ReportLayouter(report, slot->shaper).run(&records);
    // One record: the bands follow each other down the first page; the page
    // footer sits on the bottom margin.
    double top = report.margins.top / 20;
    for (const auto& s : report.sections()) {
        if (s->kind == SectionKind::PageFooter)
            slot->bandTops[s->name] =
                (report.paperHeight() - report.margins.bottom - s->height) / 20;
        else {
            slot->bandTops[s->name] = top;
            top += s->height / 20;
        }
    }
    return *slot;
}

template <typename Items, typename Match> int countOf(const Items& items, Match match) {
    return static_cast<int>(std::count_if(items.begin(), items.end(), match));
}

class DesignControl : public ::testing::TestWithParam<DesignRow> {};

TEST_P(DesignControl, standsAndPrintsWhereTheDesignPutsIt) {
    const DesignRow& row = GetParam();
    Report& report = loaded(row.design);
    const Control& c = report.section(row.band).controls.get(row.name);
    EXPECT_EQ(described(c),
              row.kind + "|" + row.text + "|" + row.geometry + "|" + row.font + "|" + row.other);
    if (row.kind == "picture") {
        EXPECT_NE(report.picture(c.picture), nullptr);
    }
    if (row.kind == "field") {
        EXPECT_TRUE(c.canGrow);
        if (row.text.rfind("page:", 0) == 0) {
            EXPECT_EQ(c.text, row.text == "page:number" ? "Field6" : "Field5");
            EXPECT_TRUE(c.dataField.empty());
        } else if (c.summary == SummaryFunction::Sum) {
            EXPECT_EQ(c.text, c.dataField);
            EXPECT_EQ(c.summaryGroup, "GroupHeader1");
        } else if (!row.text.empty()) {
            EXPECT_EQ(c.dataSource, report.dataControls().front()->name);
        }
    }

    LaidOutDesign& d = laidOut(row.design);
    const double dx = d.report->margins.left / 20;
    const double dy = d.bandTops.at(row.band);
    const std::vector<double> n = numbers(row.geometry);
    auto near = [](double a, double b) { return std::abs(a - b) < 0.01; };
    // Where the control's frame prints: left, top, width, height in points.
    auto frame = [&](double x, double y, double w, double h) {
        return near(x, dx + n[0] / 20) && near(y, dy + n[1] / 20) && near(w, n[2] / 20) &&
               near(h, n[3] / 20);
    };
    const PageList& pages = d.pages;
    if (row.kind == "line") {
        EXPECT_EQ(
            countOf(pages.lines(0),
                    [&](const LineItem& l) { return frame(l.x1, l.y1, l.x2 - dx, l.y2 - dy); }),
            1);
        return;
    }
    if (row.kind == "picture") {
        EXPECT_EQ(countOf(pages.pictures(0),
                          [&](const PictureItem& p) {
                              return frame(p.x, p.top, p.width, p.height) &&
                                     pages.pictureNames[p.picture] == row.text;
                          }),
                  1);
        return;
    }
    if (row.other == "silver background, white text") {
        EXPECT_EQ(countOf(pages.boxes(0),
                          [&](const BoxItem& b) {
                              return frame(b.x, b.top, b.width, b.height) &&
                                     pages.palette[b.color] == Color::silver();
                          }),
                  1);
    }
    if (row.text.rfind("page:", 0) == 0) {
        const PageValue value =
            row.text == "page:number" ? PageValue::PageNumber : PageValue::PageCount;
        EXPECT_EQ(countOf(pages.pageValues(0),
                          [&](const PageValueItem& v) {
                              return frame(v.x, v.top, v.width, n[3] / 20) &&
                                     v.alignment == Alignment::Center && v.value == value;
                          }),
                  1);
        return;
    }
    std::string shown = row.text;
    if (row.kind == "field" && (shown.rfind("sum:", 0) == 0 || isNumberColumn(shown)))
        shown = "7";
    if (shown.empty())
        return; // txtProject: filled only by the report's own code
    const Control& printed = d.report->section(row.band).controls.get(row.name);
    // A text wider than its control is wrapped or cut: its first line starts it.
    EXPECT_EQ(countOf(pages.texts(0),
                      [&](const TextItem& t) {
                          const std::string_view text = d.shaper.text(t.run);
                          return !text.empty() && shown.rfind(text, 0) == 0 &&
                                 frame(t.x, t.top, n[2] / 20, n[3] / 20) &&
                                 d.shaper.fonts[t.font] == printed.font &&
                                 pages.palette[t.color] == printed.foreColor;
                      }),
              1)
        << "\"" << shown << "\" at " << row.geometry;
}

INSTANTIATE_TEST_SUITE_P(AllDesigns, DesignControl, ::testing::ValuesIn(kRows));

TEST(Designs, holdNoControlsBeyondTheTables) {
    for (const char* design :
         {"repVornItemList", "repVornItemDetail", "repVornProjectDetail", "repVornUserDetail"}) {
        int rows = 0;
        for (const DesignRow& row : kRows)
            rows += row.design == design;
        int controls = 0;
        for (const auto& s : loaded(design).sections())
            controls += s->controls.count();
        EXPECT_EQ(controls, rows) << design;
    }
}

// Each design's report settings and bands, in order: name text, caption, print
// width, margins (left right top bottom), data control, then each band's height,
// group field and "new page" after it.
const std::pair<const char*, const char*> kReports[] = {
    {"repVornItemList", "Vorn Item List Report|Item List Report|10530|770 770 1440 1440|rdoReport|"
                        "PageHeader 1425, Detail 120, PageFooter 465"},
    {"repVornItemDetail",
     "Vorn Item Detail Report|Item Detail Report|10000|1080 1080 1440 1440|rdoReport|"
     "PageHeader 3390, Detail 885 new page, PageFooter 405"},
    {"repVornProjectDetail",
     "Project Detail|Project Status Report|10000|1080 1080 1440 1440|DAODataControl1|"
     "PageHeader 990, GroupHeader1 900 on ProjectName, Detail 315, GroupFooter1 270, "
     "PageFooter 375"},
    {"repVornUserDetail",
     "Project Detail|User Detail Report|10000|1080 1080 1440 1440|DAODataControl1|"
     "PageHeader 990, GroupHeader1 405 on AssignedTo, GroupHeader2 900 on ProjectName, "
     "Detail 300, GroupFooter2 360, GroupFooter1 270, PageFooter 375"},
};

TEST(Designs, reportSettingsAndBandsMatchTheDesign) {
    for (const auto& [design, expected] : kReports) {
        Report& report = loaded(design);
        EXPECT_EQ(report.designName(), design);
        EXPECT_EQ(report.orientation(), Report::kPortrait);
        ASSERT_EQ(report.dataControls().size(), 1u);
        ASSERT_NE(report.windowIcon, nullptr);
        EXPECT_EQ(report.windowIcon->width(), 16);
        EXPECT_EQ(report.windowIcon->height(), 16);
        std::ostringstream got;
        const Margins& m = report.margins;
        got << report.nameText << "|" << report.caption << "|" << report.printWidth << "|" << m.left
            << " " << m.right << " " << m.top << " " << m.bottom << "|"
            << report.dataControls().front()->name << "|";
        const char* separator = "";
        for (const auto& s : report.sections()) {
            got << separator << s->name << " " << s->height;
            if (!s->groupField.empty())
                got << " on " << s->groupField;
            if (s->newPageAfter)
                got << " new page";
            separator = ", ";
        }
        EXPECT_EQ(got.str(), expected);
    }
}

TEST(Designs, localDataControlsKeepTheirQuery) {
    const auto& project = *loaded("repVornProjectDetail").dataControls().front();
    EXPECT_EQ(project.kind, DataControlKind::LocalDatabase);
    EXPECT_EQ(project.connect, "Access");
    EXPECT_EQ(project.recordSource,
              "SELECT ProjectDetails.ProjectName, ProjectDetails.FolderPath, "
              "ProjectDetails.ProjectCreated, ProjectDetails.ItemsComplete, "
              "ProjectDetails.ItemsIncomplete, ProjectDetails.ItemsTotal FROM ProjectDetails "
              "ORDER BY ProjectDetails.ProjectName, ProjectDetails.FolderPath");
    const auto& user = *loaded("repVornUserDetail").dataControls().front();
    EXPECT_EQ(user.recordSource,
              "SELECT ProjectDetails.AssignedTo, ProjectDetails.ProjectName, "
              "ProjectDetails.FolderPath, ProjectDetails.ProjectCreated, "
              "ProjectDetails.ItemsComplete, ProjectDetails.ItemsIncomplete, "
              "ProjectDetails.ItemsTotal FROM ProjectDetails ORDER BY ProjectDetails.AssignedTo, "
              "ProjectDetails.ProjectName, ProjectDetails.FolderPath");
    EXPECT_EQ(loaded("repVornItemList").dataControls().front()->kind, DataControlKind::RemoteData);
}

TEST(Designs, everyLoadIsAFreshCopy) {
    auto first = designs::loadReport("repVornItemList");
    first->section("Detail").controls.add("DDActiveReports.Field");
    auto second = designs::loadReport("repVornItemList");
    EXPECT_EQ(second->section("Detail").controls.count(), 0);
}

TEST(Designs, unknownDesignNameIsNotFound) {
    EXPECT_EQ(test::codeOf([] { designs::loadReport("repNothing"); }), error_code::kNotFound);
}

// Broken designs: each is refused with kInvalidArgument, or kNotFound for a
// missing picture file.
struct BrokenDesign {
    const char* what;
    const char* json;
    std::int32_t code;
};

std::ostream& operator<<(std::ostream& out, const BrokenDesign& row) {
    return out << row.what;
}

class DesignLoaderErrors : public ::testing::TestWithParam<BrokenDesign> {};

TEST_P(DesignLoaderErrors, areRefusedWithTheirCode) {
    const BrokenDesign& row = GetParam();
    auto lookup = [](std::string_view) -> std::optional<std::string> { return std::nullopt; };
    std::string what;
    EXPECT_EQ(test::codeOf([&] { loadDesign(row.json, lookup); }, &what), row.code)
        << row.what << ": " << what;
}

#define HEAD                                                                                       \
    R"("report": "r", "nameText": "n", "caption": "c", "printWidth": 1, "margins": [1, 1, 1, 1])"

INSTANTIATE_TEST_SUITE_P(
    Cases, DesignLoaderErrors,
    ::testing::Values(
        BrokenDesign{"not JSON", "{", error_code::kInvalidArgument},
        BrokenDesign{"a number beyond double", "{\"printWidth\": 1E458}",
                     error_code::kInvalidArgument},
        BrokenDesign{"no sections", "{" HEAD "}", error_code::kInvalidArgument},
        BrokenDesign{"three margins",
                     R"({"report": "r", "nameText": "n", "caption": "c", "printWidth": 1,
                        "margins": [1, 1, 1], "sections": []})",
                     error_code::kInvalidArgument},
        BrokenDesign{"unknown band kind",
                     "{" HEAD R"(, "sections": [{"name": "X", "kind": "side", "height": 1}]})",
                     error_code::kInvalidArgument},
        BrokenDesign{"group header without field",
                     "{" HEAD
                     R"(, "sections": [{"name": "G", "kind": "groupHeader", "height": 1}]})",
                     error_code::kInvalidArgument},
        BrokenDesign{"unknown control kind",
                     "{" HEAD R"(, "sections": [{"name": "D", "kind": "detail", "height": 1,
                        "controls": [{"name": "x", "kind": "button"}]}]})",
                     error_code::kInvalidArgument},
        BrokenDesign{"bad font",
                     "{" HEAD R"(, "sections": [{"name": "D", "kind": "detail", "height": 1,
                        "controls": [{"name": "x", "kind": "label", "left": 0, "top": 0,
                        "width": 1, "height": 1, "font": "Tahoma big"}]}]})",
                     error_code::kInvalidArgument},
        BrokenDesign{"height as text",
                     "{" HEAD R"(, "sections": [{"name": "D", "kind": "detail", "height": "x"}]})",
                     error_code::kInvalidArgument},
        BrokenDesign{"two controls of one name",
                     "{" HEAD R"(, "sections": [{"name": "D", "kind": "detail", "height": 1,
                        "controls": [{"name": "x", "kind": "line", "from": [0, 0], "to": [1, 0]},
                                     {"name": "x", "kind": "line", "from": [0, 0], "to": [1, 0]}]}]})",
                     error_code::kInvalidArgument},
        BrokenDesign{"picture control without picture",
                     "{" HEAD R"(, "sections": [{"name": "D", "kind": "detail", "height": 1,
                        "controls": [{"name": "p", "kind": "picture", "picture": "logo",
                        "left": 0, "top": 0, "width": 1, "height": 1}]}]})",
                     error_code::kInvalidArgument},
        BrokenDesign{"missing picture file",
                     "{" HEAD R"(, "pictures": {"logo": "none.jpg"}, "sections": []})",
                     error_code::kNotFound}));

} // namespace
} // namespace vorn::engine
