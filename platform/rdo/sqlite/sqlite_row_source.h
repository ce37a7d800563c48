// Rows of one SQLite query, stepped forward. A value takes its type from what
// the row holds, not from the column's declared type, except that text in a
// column declared as a date reads as a date.
#pragma once

#include "platform/rdo/row_source.h"
#include "platform/rdo/sqlite/sqlite_statement.h"

#include <memory>
#include <string>
#include <vector>

namespace vorn::rdo {

class SqliteRowSource : public RowSource {
public:
    /// Prepares and steps to the first row. \throws DatabaseError
    SqliteRowSource(std::shared_ptr<SqliteDatabase> db, std::string_view sql);

    std::size_t columnCount() const noexcept override { return names_.size(); }
    const std::u16string& columnName(std::size_t index) const override { return names_[index]; }
    bool atEnd() const noexcept override { return atEnd_; }
    void moveNext() override;
    void readValue(std::size_t index, automation::VARIANT& out) override;

private:
    std::shared_ptr<SqliteDatabase> db_; // outlives the statement
    SqliteStatement stmt_;
    std::vector<std::u16string> names_;
    std::vector<bool> dateColumns_;
    bool atEnd_ = true;
};

} // namespace vorn::rdo
