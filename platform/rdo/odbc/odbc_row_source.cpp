#include "platform/rdo/odbc/odbc_row_source.h"

#include "platform/automation/ole_date.h"
#include "platform/automation/utf.h"
#include "platform/rdo/odbc/odbc_link.h"

#include <sql.h>
#include <sqlext.h>
#include <sqlucode.h>

#include <cmath>
#include <limits>

namespace vorn::rdo {
namespace {

using automation::Variant;

Variant integerValue(std::int64_t value) {
    // 32-bit integers as the original databases had them; wider ones as doubles.
    if (value >= std::numeric_limits<std::int32_t>::min() &&
        value <= std::numeric_limits<std::int32_t>::max())
        return Variant(static_cast<std::int32_t>(value));
    return Variant(static_cast<double>(value));
}

} // namespace

OdbcRowSource::OdbcRowSource(std::shared_ptr<OdbcLink> link, const std::string& sql)
    : link_(std::move(link)), statement_(OdbcHandle::Kind::Statement, &link_->connection()) {
    link_->check(link_->execDirect(statement_, sql), statement_);
    SQLSMALLINT count = 0;
    link_->check(SQLNumResultCols(statement_.get(), &count), statement_);
    for (SQLUSMALLINT i = 1; i <= static_cast<SQLUSMALLINT>(count); ++i) {
        SQLWCHAR name[512] = {};
        SQLSMALLINT nameLength = 0, type = 0, scale = 0, nullable = 0;
        SQLULEN size = 0;
        link_->check(SQLDescribeColW(statement_.get(), i, name,
                                     static_cast<SQLSMALLINT>(std::size(name)), &nameLength, &type,
                                     &size, &scale, &nullable),
                     statement_);
        Reading reading = Reading::Text;
        switch (type) {
        case SQL_TINYINT:
        case SQL_SMALLINT:
        case SQL_INTEGER:
        case SQL_BIGINT:
            reading = Reading::Integer;
            break;
        case SQL_DECIMAL:
        case SQL_NUMERIC:
            reading = Reading::Decimal;
            break;
        case SQL_REAL:
        case SQL_FLOAT:
        case SQL_DOUBLE:
            reading = Reading::Real;
            break;
        case SQL_BIT:
            reading = Reading::Boolean;
            break;
        case SQL_TYPE_DATE:
        case SQL_TYPE_TIMESTAMP:
        case SQL_DATE:
        case SQL_TIMESTAMP:
            reading = Reading::Timestamp;
            break;
        case SQL_TYPE_TIME:
        case SQL_TIME:
            reading = Reading::Time;
            break;
        default:
            break;
        }
        const auto length = std::min<std::size_t>(
            static_cast<std::size_t>(std::max<SQLSMALLINT>(nameLength, 0)), std::size(name) - 1);
        columns_.push_back(
            {std::u16string(reinterpret_cast<const char16_t*>(name), length), reading, scale});
    }
    if (columns_.empty()) {
        atEnd_ = true;
        return;
    }
    row_.resize(columns_.size());
    fetch();
}

void OdbcRowSource::moveNext() {
    if (!atEnd_)
        fetch();
}

void OdbcRowSource::fetch() {
    const SQLRETURN rc = SQLFetch(statement_.get());
    link_->check(rc, statement_);
    atEnd_ = rc == SQL_NO_DATA;
    if (atEnd_) {
        row_.assign(columns_.size(), Variant());
        SQLCloseCursor(statement_.get());
        return;
    }
    for (std::size_t i = 0; i < columns_.size(); ++i)
        row_[i] = read(i);
}

void OdbcRowSource::readValue(std::size_t index, automation::VARIANT& out) {
    automation::variantCopy(&out, &row_[index].raw());
}

Variant OdbcRowSource::read(std::size_t index) {
    const auto column = static_cast<SQLUSMALLINT>(index + 1);
    SQLHSTMT stmt = statement_.get();
    SQLLEN indicator = 0;
    switch (columns_[index].reading) {
    case Reading::Integer: {
        SQLBIGINT value = 0;
        link_->check(SQLGetData(stmt, column, SQL_C_SBIGINT, &value, sizeof value, &indicator),
                     statement_);
        return indicator == SQL_NULL_DATA ? Variant::null() : integerValue(value);
    }
    case Reading::Decimal:
    case Reading::Real: {
        double value = 0;
        link_->check(SQLGetData(stmt, column, SQL_C_DOUBLE, &value, sizeof value, &indicator),
                     statement_);
        if (indicator == SQL_NULL_DATA)
            return Variant::null();
        // A whole-number decimal (a server's SUM of counts) reads as an integer.
        if (columns_[index].reading == Reading::Decimal && columns_[index].scale == 0 &&
            std::trunc(value) == value && std::abs(value) < 9.0e15)
            return integerValue(static_cast<std::int64_t>(value));
        return Variant(value);
    }
    case Reading::Boolean: {
        unsigned char value = 0;
        link_->check(SQLGetData(stmt, column, SQL_C_BIT, &value, sizeof value, &indicator),
                     statement_);
        return indicator == SQL_NULL_DATA ? Variant::null() : Variant(value != 0);
    }
    case Reading::Timestamp: {
        SQL_TIMESTAMP_STRUCT ts{};
        link_->check(SQLGetData(stmt, column, SQL_C_TYPE_TIMESTAMP, &ts, sizeof ts, &indicator),
                     statement_);
        if (indicator == SQL_NULL_DATA)
            return Variant::null();
        return Variant::date(automation::makeDate(
            {ts.year, ts.month, ts.day, ts.hour, ts.minute, static_cast<int>(ts.second)}));
    }
    case Reading::Time: {
        SQL_TIME_STRUCT t{};
        link_->check(SQLGetData(stmt, column, SQL_C_TYPE_TIME, &t, sizeof t, &indicator),
                     statement_);
        if (indicator == SQL_NULL_DATA)
            return Variant::null();
        return Variant::date(automation::makeDate({1899, 12, 30, t.hour, t.minute, t.second}));
    }
    case Reading::Text:
        return readText(column);
    }
    return Variant::null();
}

Variant OdbcRowSource::readText(std::uint16_t column) {
    std::u16string text;
    SQLWCHAR chunk[2048];
    for (;;) {
        SQLLEN indicator = 0;
        const SQLRETURN rc =
            SQLGetData(statement_.get(), column, SQL_C_WCHAR, chunk, sizeof chunk, &indicator);
        if (rc == SQL_NO_DATA)
            break;
        link_->check(rc, statement_);
        if (indicator == SQL_NULL_DATA)
            return Variant::null();
        // Each call fills the buffer less its terminator until the last part.
        const std::size_t capacity = std::size(chunk) - 1;
        std::size_t units = capacity;
        if (indicator != SQL_NO_TOTAL &&
            static_cast<std::size_t>(indicator) / sizeof(SQLWCHAR) <= capacity)
            units = static_cast<std::size_t>(indicator) / sizeof(SQLWCHAR);
        text.append(reinterpret_cast<const char16_t*>(chunk), units);
        if (rc == SQL_SUCCESS)
            break;
    }
    return Variant(std::u16string_view(text));
}

} // namespace vorn::rdo
