#include "engine_error_code.h"
#include "fake_page_document.h"
#include "scratch_folder.h"

#include "platform/engine/engine_error.h"
#include "platform/engine/output/png_writer.h"

#include <gtest/gtest.h>

#include <cairo.h>

#include <cmath>
#include <limits>
#include <memory>

using namespace vorn::engine;
using namespace vorn::engine::testing;

namespace {

struct Picture {
    int width = 0;
    int height = 0;
    std::uint32_t pixel(int x, int y) const {
        const auto* row = data.get() + static_cast<size_t>(y) * stride;
        return reinterpret_cast<const std::uint32_t*>(row)[x] & 0xFFFFFFu;
    }
    int stride = 0;
    std::unique_ptr<unsigned char[]> data;
};

Picture readPng(const std::string& path) {
    cairo_surface_t* surface = cairo_image_surface_create_from_png(path.c_str());
    Picture picture;
    if (cairo_surface_status(surface) == CAIRO_STATUS_SUCCESS) {
        picture.width = cairo_image_surface_get_width(surface);
        picture.height = cairo_image_surface_get_height(surface);
        picture.stride = cairo_image_surface_get_stride(surface);
        const size_t size = static_cast<size_t>(picture.stride) * picture.height;
        picture.data = std::make_unique<unsigned char[]>(size);
        std::copy_n(cairo_image_surface_get_data(surface), size, picture.data.get());
    }
    cairo_surface_destroy(surface);
    return picture;
}

struct SizeCase {
    PageSize page;
    double dpi;
    int width;
    int height;
};

std::ostream& operator<<(std::ostream& out, const SizeCase& c) {
    return out << c.page.width << "x" << c.page.height << "pt at " << c.dpi << " dpi";
}

class PngSize : public ::testing::TestWithParam<SizeCase> {};

} // namespace

TEST_P(PngSize, IsThePageTimesDpiOver72RoundedUp) {
    const SizeCase& c = GetParam();
    ScratchFolder folder;
    const std::string png = folder.file("page.png");
    writePng(FakePageDocument(2, "T", {}, c.page), 1, png, c.dpi);
    const Picture picture = readPng(png);
    EXPECT_EQ(picture.width, c.width);
    EXPECT_EQ(picture.height, c.height);
}

INSTANTIATE_TEST_SUITE_P(
    Resolutions, PngSize,
    ::testing::Values(SizeCase{{612, 792}, 72, 612, 792}, SizeCase{{612, 792}, 96, 816, 1056},
                      SizeCase{{612, 792}, 150, 1275, 1650}, SizeCase{{792, 612}, 300, 3300, 2550},
                      SizeCase{{612, 792}, 10, 85, 110}, SizeCase{{100.5, 50.25}, 72, 101, 51}));

TEST(PngWriter, DrawsThePageOnWhiteAtScale) {
    ScratchFolder folder;
    const std::string png = folder.file("page.png");
    writePng(FakePageDocument(1), 0, png, 144);
    const Picture picture = readPng(png);
    ASSERT_EQ(picture.width, 1224);
    EXPECT_EQ(picture.pixel(0, 0), 0xFFFFFFu);
    EXPECT_EQ(picture.pixel(1223, 1583), 0xFFFFFFu);
    // The box's left edge stands at 72 pt, so at 144 dpi at pixel column 144.
    const int y = static_cast<int>((FakePageDocument::kTextBaseline + 45) * 2);
    EXPECT_NE(picture.pixel(144, y), 0xFFFFFFu);
    EXPECT_EQ(picture.pixel(150, y), 0xFFFFFFu);
}

namespace {

struct ErrorCase {
    const char* name;
    int page;
    double dpi;
    bool badFolder;
    std::int32_t code;
};

std::ostream& operator<<(std::ostream& out, const ErrorCase& c) {
    return out << c.name;
}

class PngErrors : public ::testing::TestWithParam<ErrorCase> {};

} // namespace

TEST_P(PngErrors, CarryTheirCode) {
    const ErrorCase& c = GetParam();
    ScratchFolder folder;
    const std::string png = folder.file(c.badFolder ? "missing/page.png" : "page.png");
    EXPECT_EQ(codeOf([&] { writePng(FakePageDocument(3), c.page, png, c.dpi); }), c.code);
    EXPECT_FALSE(fileExists(png));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PngErrors,
    ::testing::Values(ErrorCase{"NegativePage", -1, 72, false, error_code::kBadIndex},
                      ErrorCase{"PageAfterTheLast", 3, 72, false, error_code::kBadIndex},
                      ErrorCase{"ZeroDpi", 0, 0, false, error_code::kInvalidArgument},
                      ErrorCase{"NegativeDpi", 0, -96, false, error_code::kInvalidArgument},
                      ErrorCase{"NotANumber", 0, std::numeric_limits<double>::quiet_NaN(), false,
                                error_code::kInvalidArgument},
                      ErrorCase{"TooLarge", 0, 5000, false, error_code::kInvalidArgument},
                      ErrorCase{"Unwritable", 0, 72, true, error_code::kFail}),
    [](const auto& test) { return std::string(test.param.name); });
