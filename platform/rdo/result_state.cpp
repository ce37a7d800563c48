#include "platform/rdo/result_state.h"

#include "platform/automation/com_error.h"
#include "platform/automation/utf.h"
#include "platform/rdo/column_name.h"
#include "platform/rdo/error_codes.h"

namespace vorn::rdo {

using automation::ComError;

const RowSource& ResultState::rows() const {
    if (!rows_)
        throw ComError(kObjectClosed, "The result set is closed");
    return *rows_;
}

bool ResultState::eof() const {
    return rows().atEnd();
}

void ResultState::moveNext() {
    if (rows().atEnd())
        throw ComError(kNoCurrentRow, "No current row: the result set is at its end");
    rows_->moveNext();
}

std::size_t ResultState::columnCount() const {
    return rows().columnCount();
}

const std::u16string& ResultState::columnName(std::size_t index) const {
    if (index >= rows().columnCount())
        throw ComError(kItemNotFound,
                       "Item not found in this collection (column " + std::to_string(index) + ")");
    return rows_->columnName(index);
}

std::optional<std::size_t> ResultState::find(std::u16string_view name) const {
    const RowSource& source = rows();
    for (std::size_t i = 0; i < source.columnCount(); ++i)
        if (columnNamesEqual(source.columnName(i), name))
            return i;
    return std::nullopt;
}

std::size_t ResultState::indexOf(std::u16string_view name) const {
    if (const auto index = find(name))
        return *index;
    throw ComError(kItemNotFound,
                   "Item not found in this collection (column '" + automation::toUtf8(name) + "')");
}

void ResultState::readValue(std::size_t index, automation::VARIANT& out) {
    const RowSource& source = rows();
    if (index >= source.columnCount())
        columnName(index); // raises the error that names the position
    if (source.atEnd())
        throw ComError(kNoCurrentRow, "No current row: the result set is at its end");
    rows_->readValue(index, out);
}

} // namespace vorn::rdo
