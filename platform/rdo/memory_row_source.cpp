#include "platform/rdo/memory_row_source.h"

namespace vorn::rdo {

void MemoryRowSource::moveNext() {
    if (current_ < rows_.size())
        rows_[current_++].clear(); // a row read past is not needed again
}

void MemoryRowSource::readValue(std::size_t index, automation::VARIANT& out) {
    automation::variantCopy(&out, &rows_[current_][index].raw());
}

} // namespace vorn::rdo
