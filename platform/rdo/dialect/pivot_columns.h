// The columns of a crosstab: distinct pivot values, letter case ignored, and
// the order Access lists them in.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace vorn::rdo::dialect {

class PivotColumns {
public:
    /// With `fixed` values, only those are columns, in that order.
    explicit PivotColumns(std::optional<std::vector<std::string>> fixed = std::nullopt);

    /// The column of a pivot value (none for null), added when new; none when
    /// the columns are fixed and the value is not among them.
    std::optional<std::size_t> add(const std::optional<std::string>& value);

    std::size_t size() const { return names_.size(); }
    const std::string& name(std::size_t column) const { return names_[column]; }
    /// Columns in display order: the fixed order, or null first, then
    /// ascending, numbers by value, texts letter case ignored.
    std::vector<std::size_t> sortedOrder() const;

private:
    std::vector<std::string> names_;
    std::vector<std::optional<std::string>> keys_; // folded; none for null
    std::unordered_map<std::string, std::size_t> byKey_;
    std::optional<std::size_t> nullColumn_;
    bool fixed_ = false;
};

} // namespace vorn::rdo::dialect
