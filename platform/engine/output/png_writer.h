// Writes one page of a laid-out report as a PNG picture on a white ground.
#pragma once

#include <string>

namespace vorn::engine {

class PageDocument;

/// Writes page `page` (0-based) of `document` to `path` at `dpi` pixels per
/// inch; the picture is the page size times dpi/72, rounded up.
/// \throws EngineError kBadIndex for a page the document does not have,
///         kInvalidArgument for a resolution that is not positive or gives a
///         picture too large to draw, kFail when the file cannot be written.
void writePng(const PageDocument& document, int page, const std::string& path, double dpi);

} // namespace vorn::engine
