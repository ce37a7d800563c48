// Letter case of UTF-8 text, for names and pivot values in any script.
#pragma once

#include <string>
#include <string_view>

namespace vorn::rdo::dialect {

/// A key under which texts that differ only in letter case are equal.
std::string caseFolded(std::string_view utf8);
/// The text in lower case, for quoted identifiers.
std::string lowerCase(std::string_view utf8);

} // namespace vorn::rdo::dialect
