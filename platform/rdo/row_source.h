// What a backend hands the result set: rows read forward, one at a time, with
// values typed per row. Created on the first row (or at the end when empty);
// destroying it releases the statement.
#pragma once

#include "platform/automation/com.h"

#include <cstddef>
#include <string>

namespace vorn::rdo {

class RowSource {
public:
    virtual ~RowSource() = default;

    virtual std::size_t columnCount() const noexcept = 0;
    virtual const std::u16string& columnName(std::size_t index) const = 0;
    virtual bool atEnd() const noexcept = 0;
    /// \throws DatabaseError when the database fails while fetching.
    virtual void moveNext() = 0;
    /// Writes the current row's value of a column into `out`, which must be
    /// empty: VT_NULL for a database null. Call only when not at the end.
    virtual void readValue(std::size_t index, automation::VARIANT& out) = 0;
};

} // namespace vorn::rdo
