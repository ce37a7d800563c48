#include "platform/engine/data/memory_record_source.h"

#include "platform/engine/engine_error.h"

namespace vorn::engine {

MemoryRecordSource::MemoryRecordSource(std::vector<std::string> columns,
                                       std::vector<std::vector<Value>> rows)
    : columns_(std::move(columns)), rows_(std::move(rows)) {
    for (const auto& row : rows_)
        if (row.size() != columns_.size())
            throw EngineError(error_code::kInvalidArgument,
                              "A row has not as many values as there are columns");
}

void MemoryRecordSource::moveNext() {
    if (eof())
        throw EngineError(error_code::kFail, "No current record: the end was reached");
    ++position_;
}

Value MemoryRecordSource::value(std::string_view name) const {
    if (eof())
        throw EngineError(error_code::kFail, "No current record: the end was reached");
    for (std::size_t i = 0; i < columns_.size(); ++i)
        if (columns_[i] == name)
            return rows_[position_][i];
    throw EngineError(error_code::kNotFound, "Column not found: " + std::string(name));
}

} // namespace vorn::engine
