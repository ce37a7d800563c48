#include "data/tracker_rows.h"

#include "platform/automation/com_error.h"

namespace vorn {

using automation::Variant;

TrackerRows::TrackerRows(automation::IDispatch* connection, const std::string& sql,
                         CursorType cursor, LockType lock)
    : rows_(automation::callMethod(connection, "OpenResultset",
                                   {Variant(sql), Variant(static_cast<std::int16_t>(cursor)),
                                    Variant(static_cast<std::int16_t>(lock))})) {
    if (!rows_)
        throw automation::ComError(automation::BasicError::ObjectRequired);
    columns_ = rows_.object("rdoColumns");
}

TrackerRows::~TrackerRows() {
    try {
        close();
    } catch (...) {
        // A result set that can't be closed is released all the same.
    }
}

bool TrackerRows::eof() { return rows_.get("EOF").toBool(); }

Variant TrackerRows::value(std::string_view column) {
    const Variant field = columns_.get("Item", {Variant(column)});
    return automation::getProperty(field.dispatch(), "Value");
}

void TrackerRows::moveNext() { rows_.call("MoveNext"); }

void TrackerRows::close() {
    if (closed_)
        return;
    closed_ = true;
    rows_.call("Close");
}

void executeOn(automation::IDispatch* connection, const std::string& sql) {
    automation::callMethod(connection, "Execute", {Variant(sql)});
}

} // namespace vorn
