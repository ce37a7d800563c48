#include "platform/rdo/connection_ref.h"

#include "platform/automation/com_error.h"

namespace vorn::rdo {

using namespace automation;

ConnectionRef::ConnectionRef(IDispatch* connection) : connection_(connection) {
    if (!connection)
        throw ComError(BasicError::ObjectRequired);
}

RowReader ConnectionRef::openResultset(std::string_view sql, CursorType cursor, LockType lock) {
    const Variant result =
        connection_.call("OpenResultset", {Variant(sql), Variant(static_cast<std::int32_t>(cursor)),
                                           Variant(static_cast<std::int32_t>(lock))});
    if (!result.dispatch())
        throw ComError(BasicError::ObjectRequired);
    return RowReader(result.dispatch());
}

void ConnectionRef::execute(std::string_view sql) {
    connection_.call("Execute", {Variant(sql)});
}

bool ConnectionRef::isOpen() noexcept {
    try {
        return connection_.get("QueryTimeout").type() == VT_I4;
    } catch (...) {
        return false;
    }
}

} // namespace vorn::rdo
