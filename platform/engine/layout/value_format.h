// Turns a bound value into the text a field shows, following the field's output
// format. Known formats: none or "General" (the value as it comes), and number
// patterns built of 0, #, the decimal point, a thousands comma and a final "%".
// Any other pattern leaves the value as it comes.
#pragma once

#include "platform/engine/data/value.h"

#include <string>
#include <string_view>

namespace vorn::engine {

std::string formatValue(const Value& value, std::string_view outputFormat);

} // namespace vorn::engine
