#include "fake_page_document.h"
#include "tests/support/temp_folder.h"

#include "platform/engine/engine_error.h"
#include "platform/engine/output/png_writer.h"
#include "tests/support/error_code.h"

#include <filesystem>
#include <gtest/gtest.h>

#include <cairo.h>

#include <limits>
#include <memory>

using namespace vorn::engine;
using namespace vorn::engine::testing;
using namespace vorn::test;

namespace {

using Picture = std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)>;

Picture readPng(const std::string& path) {
    return {cairo_image_surface_create_from_png(path.c_str()), &cairo_surface_destroy};
}

std::uint32_t pixel(const Picture& picture, int x, int y) {
    const unsigned char* row =
        cairo_image_surface_get_data(picture.get()) +
        static_cast<size_t>(y) * cairo_image_surface_get_stride(picture.get());
    return reinterpret_cast<const std::uint32_t*>(row)[x] & 0xFFFFFFu;
}

} // namespace

TEST(PngWriter, SizeIsThePageTimesDpiOver72RoundedUpAndThePageIsDrawnOnWhiteAtScale) {
    const struct {
        PageSize page;
        double dpi;
        int width, height;
    } cases[] = {{{612, 792}, 72, 612, 792},    {{612, 792}, 96, 816, 1056},
                 {{612, 792}, 150, 1275, 1650}, {{792, 612}, 300, 3300, 2550},
                 {{612, 792}, 10, 85, 110},     {{100.5, 50.25}, 72, 101, 51}};
    TempFolder folder;
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.page.width) + " pt at " + std::to_string(c.dpi) + " dpi");
        writePng(FakePageDocument(2, "T", {}, c.page), 1, folder.file("page.png"), c.dpi);
        const Picture picture = readPng(folder.file("page.png"));
        EXPECT_EQ(cairo_image_surface_get_width(picture.get()), c.width);
        EXPECT_EQ(cairo_image_surface_get_height(picture.get()), c.height);
    }
    // The page drawn on white at scale.
    writePng(FakePageDocument(1), 0, folder.file("page.png"), 144);
    const Picture picture = readPng(folder.file("page.png"));
    ASSERT_EQ(cairo_image_surface_get_width(picture.get()), 1224);
    EXPECT_EQ(pixel(picture, 0, 0), 0xFFFFFFu);
    EXPECT_EQ(pixel(picture, 1223, 1583), 0xFFFFFFu);
    // The box's left edge stands at 72 pt, so at 144 dpi at pixel column 144.
    const int y = static_cast<int>((FakePageDocument::kTextBaseline + 45) * 2);
    EXPECT_NE(pixel(picture, 144, y), 0xFFFFFFu);
    EXPECT_EQ(pixel(picture, 150, y), 0xFFFFFFu);
}

TEST(PngWriter, ErrorsCarryTheirCodeAndLeaveNoFile) {
    constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
    const struct {
        const char* name;
        int page;
        double dpi;
        const char* file;
        std::int32_t code;
    } cases[] = {{"NegativePage", -1, 72, "page.png", error_code::kBadIndex},
                 {"PageAfterTheLast", 3, 72, "page.png", error_code::kBadIndex},
                 {"ZeroDpi", 0, 0, "page.png", error_code::kInvalidArgument},
                 {"NegativeDpi", 0, -96, "page.png", error_code::kInvalidArgument},
                 {"NotANumber", 0, kNaN, "page.png", error_code::kInvalidArgument},
                 {"TooLarge", 0, 5000, "page.png", error_code::kInvalidArgument},
                 {"Unwritable", 0, 72, "missing/page.png", error_code::kFail}};
    TempFolder folder;
    for (const auto& c : cases) {
        const std::string png = folder.file(c.file);
        EXPECT_EQ(codeOf([&] { writePng(FakePageDocument(3), c.page, png, c.dpi); }), c.code)
            << c.name;
        EXPECT_FALSE(std::filesystem::exists(png)) << c.name;
    }
}
