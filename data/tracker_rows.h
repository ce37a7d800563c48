// Reading rows through a connection object that may be the host's: every call
// goes through the object's automation interface, so any connection that
// answers OpenResultset, EOF, rdoColumns, MoveNext and Close serves.
#pragma once

#include "platform/automation/late_bound.h"

#include <string>
#include <string_view>

namespace vorn {

enum class CursorType : std::int16_t { ForwardOnly = 0, Keyset = 1, Dynamic = 2 };
enum class LockType : std::int16_t { ReadOnly = 1, OptimisticValues = 4 };

class TrackerRows {
public:
    /// Opens `sql` on `connection`, positioned on the first row.
    /// \throws automation::ComError the connection's error, or 91 for no connection.
    TrackerRows(automation::IDispatch* connection, const std::string& sql, CursorType cursor,
                LockType lock);
    ~TrackerRows();
    TrackerRows(const TrackerRows&) = delete;
    TrackerRows& operator=(const TrackerRows&) = delete;

    bool eof();
    /// The column's value; null for a database null.
    /// \throws automation::ComError when the result has no such column.
    automation::Variant value(std::string_view column);
    void moveNext();
    void close();

private:
    automation::LateBound rows_;
    automation::LateBound columns_;
    bool closed_ = false;
};

/// Runs an action query on `connection`.
void executeOn(automation::IDispatch* connection, const std::string& sql);

} // namespace vorn
