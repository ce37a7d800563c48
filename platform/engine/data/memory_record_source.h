// A record source over rows held in memory: for callers that already have their
// rows, and for feeding the engine known data.
#pragma once

#include "platform/engine/data/record_source.h"

#include <string>
#include <vector>

namespace vorn::engine {

class MemoryRecordSource : public RecordSource {
public:
    MemoryRecordSource(std::vector<std::string> columns, std::vector<std::vector<Value>> rows);

    bool eof() const override { return position_ >= rows_.size(); }
    void moveNext() override;
    Value value(std::string_view name) const override;

private:
    std::vector<std::string> columns_;
    std::vector<std::vector<Value>> rows_;
    std::size_t position_ = 0;
};

} // namespace vorn::engine
