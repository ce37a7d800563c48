#include "platform/engine/model/picture.h"

#include "platform/engine/engine_error.h"

#include <cstdint>
#include <cstdlib>

namespace vorn::engine {
namespace {

[[noreturn]] void fail(const std::string& why) {
    throw EngineError(error_code::kInvalidArgument, "Unreadable picture: " + why);
}

std::uint32_t readLe(const std::string& b, std::size_t at, int bytes) {
    if (at + static_cast<std::size_t>(bytes) > b.size())
        fail("the header is cut short");
    std::uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i)
        v = (v << 8) | static_cast<std::uint8_t>(b[at + static_cast<std::size_t>(i)]);
    return v;
}

std::uint32_t readBe(const std::string& b, std::size_t at, int bytes) {
    if (at + static_cast<std::size_t>(bytes) > b.size())
        fail("the header is cut short");
    std::uint32_t v = 0;
    for (int i = 0; i < bytes; ++i)
        v = (v << 8) | static_cast<std::uint8_t>(b[at + static_cast<std::size_t>(i)]);
    return v;
}

} // namespace

std::shared_ptr<const Picture> Picture::fromBytes(std::string bytes) {
    auto picture = std::shared_ptr<Picture>(new Picture());
    const std::string& b = bytes;
    if (b.size() >= 2 && b[0] == 'B' && b[1] == 'M') {
        picture->format_ = PictureFormat::Bmp;
        picture->width_ = static_cast<int>(static_cast<std::int32_t>(readLe(b, 18, 4)));
        picture->height_ = std::abs(static_cast<std::int32_t>(readLe(b, 22, 4)));
        picture->bitsPerPixel_ = static_cast<int>(readLe(b, 28, 2));
    } else if (b.size() >= 3 && static_cast<std::uint8_t>(b[0]) == 0xFF &&
               static_cast<std::uint8_t>(b[1]) == 0xD8) {
        picture->format_ = PictureFormat::Jpeg;
        std::size_t at = 2;
        for (;;) {
            if (at + 4 > b.size())
                fail("no frame header in the JPEG data");
            if (static_cast<std::uint8_t>(b[at]) != 0xFF)
                fail("broken JPEG marker");
            auto marker = static_cast<std::uint8_t>(b[at + 1]);
            std::uint32_t length = readBe(b, at + 2, 2);
            if (marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 &&
                marker != 0xCC) {
                picture->height_ = static_cast<int>(readBe(b, at + 5, 2));
                picture->width_ = static_cast<int>(readBe(b, at + 7, 2));
                picture->bitsPerPixel_ = static_cast<int>(readBe(b, at + 9, 1)) * 8;
                break;
            }
            at += 2 + length;
        }
    } else if (b.size() >= 24 && b.compare(1, 3, "PNG") == 0) {
        picture->format_ = PictureFormat::Png;
        picture->width_ = static_cast<int>(readBe(b, 16, 4));
        picture->height_ = static_cast<int>(readBe(b, 20, 4));
        picture->bitsPerPixel_ = static_cast<int>(readBe(b, 24, 1));
    } else if (b.size() >= 6 && readLe(b, 0, 2) == 0 && readLe(b, 2, 2) == 1) {
        picture->format_ = PictureFormat::Ico;
        std::uint32_t w = readLe(b, 6, 1);
        std::uint32_t h = readLe(b, 7, 1);
        picture->width_ = w == 0 ? 256 : static_cast<int>(w);
        picture->height_ = h == 0 ? 256 : static_cast<int>(h);
        picture->bitsPerPixel_ = static_cast<int>(readLe(b, 12, 2));
    } else {
        fail("not a BMP, JPEG, PNG or ICO file");
    }
    picture->bytes_ = std::move(bytes);
    return picture;
}

} // namespace vorn::engine
