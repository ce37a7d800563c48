// Word wrapping: splits a text into lines no wider than a width, at blanks where
// it can and inside a word only when the word alone is too wide. Line breaks in
// the text are kept.
#pragma once

#include <functional>
#include <string_view>
#include <vector>

namespace vorn::engine {

using MeasureText = std::function<double(std::string_view)>;

/// The lines of `text`, each a view into it, without the blanks that ended them.
/// An empty text gives no line; a text that fits gives itself.
std::vector<std::string_view> breakLines(std::string_view text, double maxWidth,
                                         const MeasureText& measure);

} // namespace vorn::engine
