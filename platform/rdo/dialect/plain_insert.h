// An INSERT of literal values into plainly named columns: both legacy products
// write it alike and every target reads it as written, so it needs no
// translation, and a backend may run every insert of one shape through a
// single prepared statement, only the values changing.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vorn::rdo::dialect {

struct LiteralValue {
    enum class Kind : std::uint8_t { Null, Integer, Text };
    Kind kind = Kind::Null;
    std::int64_t integer = 0;
    std::string text; // without its quotes, doubled quotes made single
};

struct PlainInsert {
    /// The statement with a ? for each value; equal for inserts that differ
    /// only in their values.
    std::string shape;
    std::vector<LiteralValue> values;
};

/// The shape and values of "INSERT INTO t (a,b) VALUES ('x', -1, NULL)";
/// nothing for any other text (other values than texts, whole numbers and NULL,
/// quoted names, comments, more than one statement), which goes the usual way.
std::optional<PlainInsert> plainInsert(std::string_view sql);

} // namespace vorn::rdo::dialect
