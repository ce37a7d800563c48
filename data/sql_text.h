// SQL is built as text by joining fixed pieces and values with nothing in
// between; these give the values their written form.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vorn {

/// A number as Basic's Str writes it: a leading blank when not negative.
std::string basicNumber(std::int32_t value);

/// A text value for use between single quotes: each quote doubled, so that
/// "O'Brien's Tools" stays one value and no text can change a statement.
std::string quoteDoubled(std::string_view text);

/// Blanks trimmed from both ends.
std::string trimmedText(std::string_view text);

} // namespace vorn
