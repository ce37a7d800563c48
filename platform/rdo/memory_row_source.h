// Rows held in memory: what a crosstab becomes once its data values have
// been turned into columns, which needs every row of the query first.
#pragma once

#include "platform/automation/variant.h"
#include "platform/rdo/row_source.h"

#include <string>
#include <vector>

namespace vorn::rdo {

class MemoryRowSource : public RowSource {
public:
    MemoryRowSource(std::vector<std::u16string> columns,
                    std::vector<std::vector<automation::Variant>> rows) noexcept
        : columns_(std::move(columns)), rows_(std::move(rows)) {}

    std::size_t columnCount() const noexcept override { return columns_.size(); }
    const std::u16string& columnName(std::size_t index) const override { return columns_[index]; }
    bool atEnd() const noexcept override { return current_ >= rows_.size(); }
    void moveNext() override;
    void readValue(std::size_t index, automation::VARIANT& out) override;

private:
    std::vector<std::u16string> columns_;
    std::vector<std::vector<automation::Variant>> rows_;
    std::size_t current_ = 0;
};

} // namespace vorn::rdo
