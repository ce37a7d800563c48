#include "fuzz/fuzz_entries.h"

#include "platform/engine/design/design_loader.h"
#include "platform/engine/engine_error.h"

#include <optional>
#include <string_view>

namespace vorn::fuzz {

int fuzzDesignLoader(const std::uint8_t* data, std::size_t size) {
    const std::string_view json(reinterpret_cast<const char*>(data), size);
    const engine::PictureFileLookup noPictures = [](std::string_view) {
        return std::optional<std::string>();
    };
    try {
        (void)engine::loadDesign(json, noPictures);
    } catch (const engine::EngineError&) {
    }
    return 0;
}

} // namespace vorn::fuzz
