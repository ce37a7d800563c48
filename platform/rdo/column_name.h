// Column names are matched the way the original drivers matched them: without
// regard to letter case.
#pragma once

#include <string_view>

namespace vorn::rdo {

/// Compares two UTF-16 names, folding case for Latin, Greek and Cyrillic letters.
bool columnNamesEqual(std::u16string_view a, std::u16string_view b) noexcept;

} // namespace vorn::rdo
