// Exact conversion between the UTF-16 of the automation boundary and the UTF-8
// used everywhere inside. Surrogate pairs and embedded NULs survive; a lone
// surrogate is carried through as its three-byte form so that any string a host
// sends comes back unchanged.
#pragma once

#include <string>
#include <string_view>

namespace vorn::automation {

std::string toUtf8(std::u16string_view text);
/// Malformed UTF-8 becomes U+FFFD, one per bad byte.
std::u16string toUtf16(std::string_view text);

} // namespace vorn::automation
