// Synthetic items for the item list benchmark: six columns whose texts vary from
// row to row like a tracker's do, made on the fly as a database cursor would.
#pragma once

#include "platform/engine/data/record_source.h"

#include <string>
#include <vector>

namespace vorn::bench {

struct ItemColumn {
    const char* fieldName;
    const char* friendlyName;
    int fieldWidth; // twips
};

/// The six columns: ItemIndex, Subject, Status, Priority, AssignedTo, DateCreated.
const std::vector<ItemColumn>& itemColumns();

/// The text of column `column` of item `row`; the same for every program measured.
std::string itemText(int row, int column);

class ItemRecords : public engine::RecordSource {
public:
    explicit ItemRecords(int count) : count_(count) {}
    bool eof() const override { return row_ >= count_; }
    void moveNext() override { ++row_; }
    engine::Value value(std::string_view name) const override;

private:
    int count_;
    int row_ = 0;
};

} // namespace vorn::bench
