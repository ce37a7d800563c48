// Writes a laid-out report as a PDF document: one PDF page per page, the
// report's caption as the document title and its groups as bookmarks. Text
// stays text (selectable, searchable) with the fonts embedded as subsets.
#pragma once

#include "platform/engine/layout/layout_progress.h"

#include <iosfwd>
#include <string>

namespace vorn::engine {

class PageDocument;

/// Writes `document` to the file `path`, replacing it only once the whole
/// document is written: after a failure (a full disk included) `path` holds
/// what it held before, or nothing. `progress` hears of each page written and
/// may stop the writing, which leaves no file either.
/// \throws EngineError (kFail) when the file cannot be written, (kCancelled)
///         when `progress` stops it; whatever PageDocument::paint throws.
void writePdf(const PageDocument& document, const std::string& path,
              const LayoutProgressCallback& progress = {});

/// Writes `document` to `out`, for callers that keep the bytes themselves.
/// \throws EngineError (kFail) when `out` fails, (kCancelled) when `progress`
///         stops it; whatever PageDocument::paint throws.
void writePdf(const PageDocument& document, std::ostream& out,
              const LayoutProgressCallback& progress = {});

} // namespace vorn::engine
