#include "platform/engine/data/memory_record_source.h"
#include "platform/engine/engine_error.h"
#include "platform/engine/output/pdf_writer.h"
#include "platform/engine/printing/page_selection.h"
#include "platform/engine/render/run_report.h"
#include "platform/engine/render/windows_font_metrics.h"
#include "reports/designs/embedded_designs.h"
#include "tests/support/error_code.h"
#include "tests/support/pdf_reader.h"
#include "tests/support/temp_folder.h"

#include <cairo.h>
#include <gtest/gtest.h>

#include <iterator>
#include <memory>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace vorn::engine {
namespace {

// pdftotext puts a word's top at its baseline less the hhea ascent, which in the
// designs' fonts equals the usWinAscent the baseline sits below the control's top.
constexpr double kTopSlack = 0.5;

using test::PdfWord;

const PdfWord* find(const std::vector<PdfWord>& words, const std::string& text) {
    for (const PdfWord& w : words)
        if (w.text == text && w.page == 1)
            return &w;
    return nullptr;
}

class ReportDocumentTest : public ::testing::Test {
protected:
    std::shared_ptr<ReportDocument> projectStatus(int folders) {
        prepareProjectStatus(folders);
        return runReport(*report);
    }

    void prepareProjectStatus(int folders) {
        report = designs::loadReport("repVornProjectDetail");
        std::vector<std::vector<Value>> rows;
        for (int i = 0; i < folders; ++i)
            rows.push_back({Value::text(i < folders / 2 ? "Alpha" : "Beta"),
                            Value::text("Folder " + std::to_string(i)), Value::date("01/02/2026"),
                            Value::integer(1), Value::integer(2), Value::integer(3)});
        report->recordSourceOpener = [rows](const DataControl& data) {
            EXPECT_EQ(data.name, "DAODataControl1");
            return std::make_unique<MemoryRecordSource>(
                std::vector<std::string>{"ProjectName", "FolderPath", "ProjectCreated",
                                         "ItemsComplete", "ItemsIncomplete", "ItemsTotal"},
                rows);
        };
        report->setPageFooterBeforePrint(
            [this] { report->control("lblDatePrinted").caption = "05/12/2026 18:00:00"; });
    }

    std::string pdfOf(const PageDocument& document) {
        const std::string pdf = dir.file("report.pdf");
        writePdf(document, pdf);
        return pdf;
    }

    test::TempFolder dir{"vorn-engine"};
    std::shared_ptr<Report> report;
};

TEST_F(ReportDocumentTest, readerSeesTheTextWhereTheControlsAreInTheDesignsOwnFontsAndColours) {
    auto document = projectStatus(4);
    const std::string pdf = pdfOf(*document);
    EXPECT_EQ(test::pdfInfo(pdf)["Pages"], "1");
    auto words = test::pdfWords(pdf);
    // Twips from the page's corner, margins 1080 and 1440: lblReportTitle at
    // 720/90 in the page header, the group header's name, a detail line (any
    // height), "Page 1 of 1" centred in the footer's fields.
    for (const auto& [text, x, y] : {std::tuple{"Project", 1080 + 720, 1440 + 90},
                                     {"Alpha", 1080 + 90, 1440 + 990},
                                     {"Folder", 1080 + 90, 0},
                                     {"of", 1080 + 9450, 15840 - 1440 - 375 + 90}}) {
        const PdfWord* word = find(words, text);
        ASSERT_NE(word, nullptr) << text;
        EXPECT_NEAR(word->xMin, x / 20.0, 0.3) << text;
        EXPECT_NEAR(y ? word->yMin : 0, y / 20.0, kTopSlack) << text;
    }
    // Group totals are the layout's to check; page numbers are read below.
    EXPECT_NE(find(words, "18:00:00"), nullptr);
    std::set<std::string> faces;
    for (const auto& font : test::pdfFonts(pdf)) {
        EXPECT_TRUE(font.embedded) << font.name;
        // Bold Tahoma is a face of its own, not the regular one emboldened.
        for (const char* face : {"TahomaBold", "Tahoma", "LiberationSans"})
            if (font.name.find(face) != std::string::npos)
                faces.insert(face);
    }
    EXPECT_EQ(faces.size(), 3u);
    // On screen, later controls cover earlier ones and the banner fills its frame.
    const std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)> surface(
        cairo_image_surface_create(CAIRO_FORMAT_RGB24, 612, 792), &cairo_surface_destroy);
    const std::unique_ptr<cairo_t, decltype(&cairo_destroy)> cr(cairo_create(surface.get()),
                                                                &cairo_destroy);
    document->paint(0, cr.get());
    cairo_surface_flush(surface.get());
    auto pixel = [&](double xTwips, double yTwips) { // 0xRRGGBB, from the margins' corner
        const int stride = cairo_image_surface_get_stride(surface.get());
        const auto* row =
            cairo_image_surface_get_data(surface.get()) + int(72 + yTwips / 20) * stride;
        return reinterpret_cast<const std::uint32_t*>(row)[int(54 + xTwips / 20)] & 0xFFFFFF;
    };
    // The header rule (y 630) is black up to the logo, which the design puts after it.
    EXPECT_LT(pixel(8000, 630) >> 16, 0x80u);
    EXPECT_GT(pixel(8800, 630) >> 16, 0x80u);
    // The banner (x 630 to 6390) is blue to the right end of the title's frame.
    EXPECT_GT(pixel(6250, 270) & 0xFF, (pixel(6250, 270) >> 16) + 40);
    EXPECT_THROW(document->paint(1, cr.get()), std::out_of_range);
    EXPECT_THROW(document->paint(-1, cr.get()), std::out_of_range);
}

TEST_F(ReportDocumentTest, pagesReadNOfMAndShareTheirPictures) {
    auto document = projectStatus(120);
    ASSERT_GE(document->pageCount(), 3);
    const std::string pdf = pdfOf(*document);
    const std::string text = test::pdfText(pdf);
    const std::string total = std::to_string(document->pageCount());
    for (int page = 1; page <= document->pageCount(); ++page)
        EXPECT_TRUE(std::regex_search(
            text, std::regex("Page +" + std::to_string(page) + " +of +" + total + "\\s")))
            << page;
    EXPECT_EQ(test::pdfInfo(pdf)["Pages"], total);
    // Each picture is embedded once for all pages.
    const std::string images = test::runCommand("pdfimages -list '" + pdf + "'");
    int rows = 0;
    std::set<std::string> objects;
    std::istringstream lines(images);
    for (std::string line; std::getline(lines, line);) { // past the heading and its rule
        std::istringstream fields(line);
        const std::vector<std::string> f{std::istream_iterator<std::string>(fields), {}};
        if (f.size() > 11 && f[0] != "page")
            ++rows, objects.insert(f[10]);
    }
    EXPECT_EQ(rows, 3 * document->pageCount());
    EXPECT_EQ(objects.size(), 3u);
    EXPECT_NE(images.find("jpeg"), std::string::npos);
}

std::string pdfBytes(const PageDocument& document) {
    std::ostringstream out;
    writePdf(document, out);
    return out.str();
}

TEST_F(ReportDocumentTest, aReportLaidOutPageByPagePrintsTheSameBytesWhileItsRecordsStay) {
    prepareProjectStatus(200);
    auto whole = runReport(*report);
    ASSERT_GE(whole->pageCount(), 4);
    // Kept whole up to the limit, laid out again as painted beyond it; pages
    // asked for backwards start the layout over.
    const std::vector<int> order{3, 0, 2, 2, 1};
    for (int wholePages : {100, 2}) {
        // The bytes hold every page and bookmark.
        auto paged = runReportPageByPage(*report, wholePages);
        EXPECT_EQ(pdfBytes(*paged), pdfBytes(*whole)) << wholePages;
        EXPECT_EQ(pdfBytes(PageSelection(*paged, order)), pdfBytes(PageSelection(*whole, order)))
            << wholePages;
    }
    // The count is heard page by page and can be stopped; records that shrink
    // before the second pass are an error.
    std::vector<int> heard;
    auto paged = runReportPageByPage(*report, 2, [&](const LayoutProgress& done) {
        EXPECT_FALSE(done.countKnown());
        heard.push_back(done.pagesDone);
        return true;
    });
    ASSERT_EQ(static_cast<int>(heard.size()), paged->pageCount());
    EXPECT_EQ(heard.back(), paged->pageCount());
    const auto stopAtTwo = [](const LayoutProgress& done) { return done.pagesDone < 2; };
    test::expectError([&] { runReportPageByPage(*report, 2, stopAtTwo); }, error_code::kCancelled,
                      "cancelled");
    report->recordSourceOpener = [](const DataControl&) {
        return std::make_unique<MemoryRecordSource>(std::vector<std::string>{"ProjectName"},
                                                    std::vector<std::vector<Value>>{});
    };
    EXPECT_EQ(test::codeOf([&] { pdfBytes(PageSelection(*paged, {paged->pageCount() - 1})); }),
              error_code::kBadIndex);
}

// The preview's document: counted a step at a time while its pages paint, it
// ends with the same pages, bookmarks and matches as one laid out whole.
TEST_F(ReportDocumentTest, aReportLaidOutAheadEndsAsTheWholeOne) {
    prepareProjectStatus(200);
    auto whole = runReport(*report);
    auto ahead = runReportAhead(report, std::chrono::milliseconds(0));
    ASSERT_FALSE(ahead->pageCountFinal());
    EXPECT_EQ(ahead->pageCount(), 1);
    EXPECT_TRUE(ahead->layOutMore(PageDocument::Clock::time_point::max(), 2));
    EXPECT_EQ(ahead->pageCount(), 3);
    const PageValueItem count{0, 0, 100, 10, 0, 0, Alignment::Left, PageValue::PageCount, 0};
    EXPECT_EQ(ahead->pageValueText(count, 0), "3+");
    // Painting and searching early pages meanwhile leave the count alone.
    EXPECT_EQ(ahead->find(1, "FOLDER 1").size(), whole->find(1, "folder 1").size());
    pdfBytes(PageSelection(*ahead, {2, 0}));
    EXPECT_EQ(ahead->pageCount(), 3);
    while (ahead->layOutMore(PageDocument::Clock::now()))
        EXPECT_LT(ahead->pageCount(), whole->pageCount());
    ASSERT_TRUE(ahead->pageCountFinal());
    EXPECT_EQ(ahead->pageValueText(count, 0), std::to_string(whole->pageCount()));
    EXPECT_EQ(pdfBytes(*ahead), pdfBytes(*whole));
    std::size_t matches = 0;
    for (int page = 0; page < whole->pageCount(); ++page) {
        const auto found = ahead->find(page, "Folder 19");
        EXPECT_EQ(found.size(), whole->find(page, "FOLDER 19").size()) << page;
        for (const PageRect& r : found)
            EXPECT_TRUE(r.width > 20 && r.width < 80) << r.width; // not the whole field
        matches += found.size();
    }
    EXPECT_EQ(matches, 11u); // Folder 19 and 190 to 199
}

// A record source that fails after its first rows, as a lost server does.
class FailingRecords : public RecordSource {
public:
    explicit FailingRecords(std::unique_ptr<RecordSource> rows) : rows_(std::move(rows)) {}
    bool eof() const override { return rows_->eof(); }
    void moveNext() override {
        if (++read_ == 60)
            throw EngineError(error_code::kFail, "The server went away");
        rows_->moveNext();
    }
    Value value(std::string_view name) const override { return rows_->value(name); }

private:
    std::unique_ptr<RecordSource> rows_;
    int read_ = 0;
};

TEST_F(ReportDocumentTest, aLayoutAheadThatFailsSaysSoOnceAndKeepsItsPages) {
    prepareProjectStatus(200);
    auto opener = report->recordSourceOpener;
    report->recordSourceOpener = [opener](const DataControl& data) {
        return std::make_unique<FailingRecords>(opener(data));
    };
    auto ahead = runReportAhead(report, std::chrono::milliseconds(0));
    const auto never = PageDocument::Clock::time_point::max();
    EXPECT_EQ(test::codeOf([&] { ahead->layOutMore(never); }), error_code::kFail);
    const int pages = ahead->pageCount();
    EXPECT_FALSE(ahead->layOutMore(never));
    EXPECT_FALSE(ahead->pageCountFinal());
    EXPECT_EQ(ahead->pageCount(), pages);
}

TEST(RunReport, withoutARecordSourceOpenerIsAnError) {
    auto report = designs::loadReport("repVornItemList");
    setDefaultRecordSourceOpener({});
    EXPECT_EQ(test::codeOf([&] { runReport(*report); }), error_code::kFail);
}

// Which face each design font resolves to shows in the fonts of a PDF, above.
TEST(PangoTextShaper, glyphsFollowTheirRunInTheWindowsMetricsAndMissingOnesComeFromAFallback) {
    PangoTextShaper shaper;
    const FontId tahoma = shaper.font({"Tahoma", 15.75, false});
    // Widths scale with the size as given, not rounded to whole points.
    const double small = shaper.measure(shaper.font({"Tahoma", 7.875, false}), "Item List Report");
    EXPECT_NEAR(shaper.measure(tahoma, "Item List Report"), 2 * small, 1e-3);
    std::vector<cairo_glyph_t> own, other;
    std::vector<FontId> faces;
    auto fallback = [&](FontId face) -> std::vector<cairo_glyph_t>& {
        faces.push_back(face);
        return other;
    };
    const RunId run = shaper.shape(tahoma, "Report");
    shaper.appendGlyphs(run, 10, 20, own, fallback);
    ASSERT_EQ(own.size(), 6u);
    EXPECT_TRUE(other.empty());
    EXPECT_DOUBLE_EQ(own.front().x, 10);
    EXPECT_DOUBLE_EQ(own.back().y, 20);
    EXPECT_NEAR(own.back().x - own.front().x, shaper.width(run) - shaper.measure(tahoma, "t"),
                1e-3);
    own.clear();
    shaper.appendGlyphs(shaper.shape(tahoma, "a\u2713b"), 0, 0, own, fallback); // a check mark
    ASSERT_EQ(own.size(), 2u);
    ASSERT_EQ(other.size(), 1u);
    EXPECT_NE(other[0].index, 0u);
    EXPECT_NE(faces.at(0), tahoma);
    EXPECT_GT(other[0].x, own[0].x);
    EXPECT_LT(other[0].x, own[1].x);
    // usWinAscent and (usWinAscent + usWinDescent + external leading), per unitsPerEm.
    for (const auto& [style, ascent, pitch] :
         {std::tuple{FontStyle{"Tahoma", 10, false}, 2049, 2472},
          {FontStyle{"Tahoma", 9, true}, 2049, 2472},
          {FontStyle{"Arial", 8, false}, 1854, 2355}}) {
        const FontMetrics m = shaper.metrics(shaper.font(style));
        EXPECT_NEAR(m.ascent, ascent / 2048.0 * style.size, 1e-4) << style.name;
        EXPECT_NEAR(m.lineHeight, pitch / 2048.0 * style.size, 1e-4) << style.name;
    }
    // A line gap smaller than what the win metrics add to the hhea ones adds nothing.
    EXPECT_EQ(windowsMetrics({1000, 900, 300, 800, -200, 150}, 10).lineHeight, 12);
    EXPECT_NEAR(shaper.measure(shaper.font({"Tahoma", 10, true}), "Subject"), 38.05, 0.01);
}

TEST(PangoTextShaper, aRunIsSharedOnlyBySameTextInTheSameFont) {
    PangoTextShaper shaper;
    const FontId regular = shaper.font({"Tahoma", 8.25, false});
    const FontId bold = shaper.font({"Tahoma", 8.25, true});
    // Enough runs that the lookup rehashes several times between the checks.
    std::vector<RunId> runs;
    for (int i = 0; i < 5000; ++i)
        runs.push_back(shaper.shape(regular, "Subject " + std::to_string(i)));
    const RunId boldRun = shaper.shape(bold, "Subject 17");
    const RunId prefix = shaper.shape(regular, "Subject 1");
    EXPECT_NE(boldRun, runs[17]);
    EXPECT_EQ(shaper.fontOf(boldRun), bold);
    EXPECT_EQ(prefix, runs[1]);
    EXPECT_NE(shaper.shape(regular, "Subject 4999 "), runs[4999]);
    for (int i : {0, 17, 2500, 4999}) {
        const std::string text = "Subject " + std::to_string(i);
        EXPECT_EQ(shaper.shape(regular, text), runs[static_cast<std::size_t>(i)]) << text;
        EXPECT_EQ(shaper.measure(regular, text), shaper.width(runs[static_cast<std::size_t>(i)]));
    }
    // A shaped text measures as its run; an unshaped one from its glyphs, the same.
    EXPECT_NEAR(shaper.measure(regular, "Subject 5000"), shaper.width(runs[4999]), 1e-3);
    shaper.dropLookup();
    EXPECT_EQ(shaper.text(runs[2500]), "Subject 2500");
    EXPECT_NE(shaper.shape(regular, "Subject 0"), runs[0]); // the lookup is gone, runs stay
}

} // namespace
} // namespace vorn::engine
