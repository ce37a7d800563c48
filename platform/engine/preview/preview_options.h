// How a preview is opened: which report it belongs to and how its window looks.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vorn::engine {

struct PreviewOptions {
    /// Identity of the report: showing a report whose key has an open window
    /// refreshes that window instead of opening another one.
    std::string key;
    /// Window icon as the bytes of an image file (ICO, BMP, PNG...); empty for none.
    std::vector<std::uint8_t> icon;
    /// Where the window's own print command prints: see PrintOptions::printFile.
    std::string printFile;
};

} // namespace vorn::engine
