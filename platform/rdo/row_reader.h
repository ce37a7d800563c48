// Reads the rows of any result set object: through IRowCursor when the object
// answers it (ours do), otherwise by the late-bound calls a Basic program makes
// (`EOF`, `rdoColumns(name).Value`, `MoveNext`, `Close`), so a host's own
// result set serves as well.
#pragma once

#include "platform/automation/com_ptr.h"
#include "platform/automation/variant.h"
#include "platform/rdo/row_cursor.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vorn::rdo {

class RowReader {
public:
    /// \throws automation::ComError (Basic error 424) for a null object.
    explicit RowReader(automation::IDispatch* resultset);

    /// True when reading through IRowCursor.
    bool fast() const noexcept { return bool(cursor_); }
    automation::IDispatch* dispatch() const noexcept { return resultset_.get(); }

    // Each of these passes on the result set's own error code and description.
    bool eof();
    void moveNext();
    /// A handle for value(); fails (0x800A0CC1 for ours) when there is no such column.
    std::int32_t columnIndex(std::string_view name);
    automation::Variant value(std::int32_t column);
    automation::Variant value(std::string_view name) { return value(columnIndex(name)); }
    void close();

private:
    [[noreturn]] void fail(HRESULT code);
    automation::IDispatch* lateColumn(std::int32_t column);

    automation::ComPtr<automation::IDispatch> resultset_;
    automation::ComPtr<IRowCursor> cursor_;
    // Late-bound path: member ids looked up once, names kept as ready arguments.
    automation::DISPID eofId_ = automation::DISPID_UNKNOWN;
    automation::DISPID moveNextId_ = automation::DISPID_UNKNOWN;
    automation::DISPID columnsId_ = automation::DISPID_UNKNOWN;
    automation::DISPID valueId_ = automation::DISPID_UNKNOWN;
    std::vector<std::string> names_;
    std::vector<automation::Variant> nameArguments_;
};

} // namespace vorn::rdo
