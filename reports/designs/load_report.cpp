#include "platform/engine/design/design_loader.h"
#include "platform/engine/engine_error.h"
#include "reports/designs/embedded_designs.h"

#include <string>

namespace vorn::designs {

std::unique_ptr<engine::Report> loadReport(std::string_view designName) {
    const std::string file = std::string(designName) + ".json";
    auto design = findFile(file);
    if (!design)
        throw engine::EngineError(engine::error_code::kNotFound,
                                  "No report design named " + std::string(designName));
    return engine::loadDesign(*design, [](std::string_view name) -> std::optional<std::string> {
        auto bytes = findFile(name);
        return bytes ? std::optional<std::string>(std::string(*bytes)) : std::nullopt;
    });
}

} // namespace vorn::designs
