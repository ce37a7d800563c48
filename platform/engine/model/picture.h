// A picture stored with a design: the file's bytes as they are, with the format
// and the pixel size read from its header. Decoding waits until painting.
#pragma once

#include <memory>
#include <string>

namespace vorn::engine {

enum class PictureFormat { Bmp, Jpeg, Png, Ico };

class Picture {
public:
    /// \throws EngineError (error_code::kInvalidArgument) for data that is not a
    /// BMP, JPEG, PNG or ICO file, or whose header is cut short.
    static std::shared_ptr<const Picture> fromBytes(std::string bytes);

    PictureFormat format() const { return format_; }
    int width() const { return width_; }
    int height() const { return height_; }
    /// Bits per pixel of a bitmap; for JPEG the number of colour components times 8.
    int bitsPerPixel() const { return bitsPerPixel_; }
    const std::string& bytes() const { return bytes_; }

private:
    Picture() = default;
    std::string bytes_;
    PictureFormat format_ = PictureFormat::Bmp;
    int width_ = 0;
    int height_ = 0;
    int bitsPerPixel_ = 0;
};

} // namespace vorn::engine
