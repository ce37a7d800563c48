// Row values as SQLite hands them to the crosstab builder, and the two readers
// the builder needs: a value's text and whether a row is a cell row.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace vorn::rdo::dialect::test {

using Value = std::variant<std::monostate, std::int64_t, double, std::string>;
using Row = std::vector<Value>;

inline std::optional<std::string> textOf(const Value& v) {
    if (const auto* text = std::get_if<std::string>(&v))
        return *text;
    if (const auto* number = std::get_if<std::int64_t>(&v))
        return std::to_string(*number);
    return std::nullopt;
}

inline bool isCellRow(const Value& v) {
    return std::get<std::int64_t>(v) == 1;
}

} // namespace vorn::rdo::dialect::test
