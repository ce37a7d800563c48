#include "platform/rdo/dialect/pivot_columns.h"

#include "platform/rdo/dialect/crosstab.h"
#include "platform/rdo/dialect/text_case.h"

#include <algorithm>
#include <charconv>
#include <numeric>

namespace vorn::rdo::dialect {

namespace {

std::optional<double> asNumber(const std::string& text) {
    double value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (error != std::errc() || stop != end || text.empty()) {
        return std::nullopt;
    }
    return value;
}

} // namespace

PivotColumns::PivotColumns(std::optional<std::vector<std::string>> fixed) {
    if (!fixed) {
        return;
    }
    fixed_ = true;
    for (const std::string& value : *fixed) {
        const std::string key = caseFolded(value);
        if (byKey_.emplace(key, names_.size()).second) {
            names_.push_back(value);
            keys_.emplace_back(key);
        }
    }
}

std::optional<std::size_t> PivotColumns::add(const std::optional<std::string>& value) {
    if (!value) {
        if (!nullColumn_ && !fixed_) {
            nullColumn_ = names_.size();
            names_.emplace_back(Crosstab::kNullColumn);
            keys_.emplace_back(std::nullopt);
        }
        return nullColumn_;
    }
    std::string key = caseFolded(*value);
    if (const auto found = byKey_.find(key); found != byKey_.end()) {
        return found->second;
    }
    if (fixed_) {
        return std::nullopt;
    }
    byKey_.emplace(key, names_.size());
    names_.push_back(*value);
    keys_.emplace_back(std::move(key));
    return names_.size() - 1;
}

std::vector<std::size_t> PivotColumns::sortedOrder() const {
    std::vector<std::size_t> order(names_.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    if (fixed_) {
        return order;
    }
    std::sort(order.begin(), order.end(), [this](std::size_t a, std::size_t b) {
        const auto& left = keys_[a];
        const auto& right = keys_[b];
        if (!left || !right) {
            return !left && right;
        }
        const auto leftNumber = asNumber(*left);
        const auto rightNumber = asNumber(*right);
        if (leftNumber && rightNumber) {
            return *leftNumber < *rightNumber;
        }
        if (leftNumber || rightNumber) {
            return leftNumber.has_value(); // numbers before texts
        }
        return *left < *right;
    });
    return order;
}

} // namespace vorn::rdo::dialect
