#include "platform/rdo/sqlite/sqlite_row_source.h"

#include "platform/automation/ascii_case.h"
#include "platform/automation/bstr.h"
#include "platform/automation/ole_date.h"
#include "platform/rdo/database_error.h"

#include <sqlite3.h>

#include <algorithm>
#include <cctype>
#include <limits>

namespace vorn::rdo {
namespace {

bool declaredAsDate(const char* declared) {
    if (!declared)
        return false;
    const std::string type = automation::asciiUpper(declared);
    return type == "DATE" || type == "DATETIME" || type.starts_with("TIMESTAMP");
}

void writeText(sqlite3_stmt* stmt, int column, automation::VARIANT& out) {
    const auto* text = static_cast<const char16_t*>(sqlite3_column_text16(stmt, column));
    const auto units = static_cast<std::size_t>(sqlite3_column_bytes16(stmt, column)) / 2;
    out.bstrVal = automation::allocBstr({text ? text : u"", text ? units : 0});
    out.vt = automation::VT_BSTR;
}

} // namespace

SqliteRowSource::SqliteRowSource(std::shared_ptr<SqliteDatabase> db, std::string_view sql)
    : db_(std::move(db)), stmt_(*db_, sql) {
    if (stmt_.empty())
        throw DatabaseError("The query text holds no statement", {}, SQLITE_MISUSE);
    const int count = sqlite3_column_count(stmt_.handle());
    names_.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        const auto* name = static_cast<const char16_t*>(sqlite3_column_name16(stmt_.handle(), i));
        names_.emplace_back(name ? name : u"");
        dateColumns_.push_back(declaredAsDate(sqlite3_column_decltype(stmt_.handle(), i)));
    }
    atEnd_ = !stmt_.step();
}

void SqliteRowSource::moveNext() {
    if (!atEnd_)
        atEnd_ = !stmt_.step();
}

void SqliteRowSource::readValue(std::size_t index, automation::VARIANT& out) {
    sqlite3_stmt* stmt = stmt_.handle();
    const int column = static_cast<int>(index);
    switch (sqlite3_column_type(stmt, column)) {
    case SQLITE_INTEGER: {
        const sqlite3_int64 value = sqlite3_column_int64(stmt, column);
        // The original databases had 32-bit integers; wider ones still read
        // exactly up to 2^53 as a double.
        if (value >= std::numeric_limits<std::int32_t>::min() &&
            value <= std::numeric_limits<std::int32_t>::max()) {
            out.vt = automation::VT_I4;
            out.lVal = static_cast<std::int32_t>(value);
        } else {
            out.vt = automation::VT_R8;
            out.dblVal = static_cast<double>(value);
        }
        return;
    }
    case SQLITE_FLOAT:
        out.vt = automation::VT_R8;
        out.dblVal = sqlite3_column_double(stmt, column);
        return;
    case SQLITE_NULL:
        out.vt = automation::VT_NULL;
        return;
    case SQLITE_TEXT:
        if (dateColumns_[index]) {
            const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt, column));
            const auto bytes = static_cast<std::size_t>(sqlite3_column_bytes(stmt, column));
            if (const auto date = automation::parseDate({text ? text : "", text ? bytes : 0})) {
                out.vt = automation::VT_DATE;
                out.date = *date;
                return;
            }
        }
        writeText(stmt, column, out);
        return;
    default: // a blob reads as the text it holds
        writeText(stmt, column, out);
        return;
    }
}

} // namespace vorn::rdo
