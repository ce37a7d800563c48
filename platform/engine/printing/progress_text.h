// What a print's progress reads as, the same in its window and on a terminal.
#pragma once

#include "platform/engine/layout/layout_progress.h"

#include <string>

namespace vorn::engine {

/// "Page 1,234 of 27,778" once the page count is known, "Laying out page
/// 1,234" while the pages are still being counted.
std::string progressText(const LayoutProgress& done);

} // namespace vorn::engine
