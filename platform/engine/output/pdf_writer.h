// Writes a laid-out report as a PDF document: one PDF page per page, the
// report's caption as the document title and its groups as bookmarks. Text
// stays text (selectable, searchable) with the fonts embedded as subsets.
#pragma once

#include <iosfwd>
#include <string>

namespace vorn::engine {

class PageDocument;

/// Writes `document` to the file `path`, replacing it only once the whole
/// document is written: after a failure (a full disk included) `path` holds
/// what it held before, or nothing.
/// \throws EngineError (kFail) when the file cannot be written; whatever
///         PageDocument::paint throws.
void writePdf(const PageDocument& document, const std::string& path);

/// Writes `document` to `out`, for callers that keep the bytes themselves.
/// \throws EngineError (kFail) when `out` fails; whatever PageDocument::paint throws.
void writePdf(const PageDocument& document, std::ostream& out);

} // namespace vorn::engine
