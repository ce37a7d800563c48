#include "platform/engine/engine_error.h"
#include "platform/engine/model/picture.h"
#include "reports/designs/embedded_designs.h"
#include "tests/support/error_code.h"

#include <gtest/gtest.h>

#include <ostream>

namespace vorn::engine {
namespace {

struct PictureCase {
    const char* file;
    PictureFormat format;
    int width;
    int height;
    int bits;
};

std::ostream& operator<<(std::ostream& out, const PictureCase& c) {
    return out << c.file;
}

class DesignPicture : public ::testing::TestWithParam<PictureCase> {};

TEST_P(DesignPicture, hasItsSizeAndFormat) {
    const PictureCase& c = GetParam();
    auto bytes = designs::findFile(c.file);
    ASSERT_TRUE(bytes.has_value()) << c.file;
    auto picture = Picture::fromBytes(std::string(*bytes));
    EXPECT_EQ(picture->format(), c.format);
    EXPECT_EQ(picture->width(), c.width);
    EXPECT_EQ(picture->height(), c.height);
    EXPECT_EQ(picture->bitsPerPixel(), c.bits);
}

INSTANTIATE_TEST_SUITE_P(
    Embedded, DesignPicture,
    ::testing::Values(PictureCase{"banner.bmp", PictureFormat::Bmp, 420, 64, 8},
                      PictureCase{"itemicon.bmp", PictureFormat::Bmp, 44, 57, 24},
                      PictureCase{"logo.jpg", PictureFormat::Jpeg, 127, 200, 24},
                      PictureCase{"windowicon.bmp", PictureFormat::Bmp, 16, 16, 4}));

TEST(Picture, logoIsBaselineJpeg) {
    auto bytes = std::string(*designs::findFile("logo.jpg"));
    EXPECT_NE(bytes.find("\xFF\xC0"), std::string::npos);
    EXPECT_EQ(bytes.find("\xFF\xC2"), std::string::npos);
}

TEST(Picture, refusesWhatItCannotRead) {
    for (std::string bad : {std::string("GIF89a"), std::string("BM12"), std::string()})
        EXPECT_EQ(test::codeOf([&] { Picture::fromBytes(bad); }), error_code::kInvalidArgument)
            << bad;
}

} // namespace
} // namespace vorn::engine
