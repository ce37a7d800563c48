// Rows of one ODBC query, fetched forward. Each fetch reads the whole row into
// a one-row buffer: drivers may allow SQLGetData only in column order, and
// callers read columns in any order and more than once.
#pragma once

#include "platform/automation/variant.h"
#include "platform/rdo/odbc/odbc_handle.h"
#include "platform/rdo/row_source.h"

#include <memory>
#include <string>
#include <vector>

namespace vorn::rdo {

class OdbcLink;

class OdbcRowSource : public RowSource {
public:
    /// Executes and fetches the first row. \throws DatabaseError
    OdbcRowSource(std::shared_ptr<OdbcLink> link, const std::string& sql);

    std::size_t columnCount() const noexcept override { return columns_.size(); }
    const std::u16string& columnName(std::size_t index) const override {
        return columns_[index].name;
    }
    bool atEnd() const noexcept override { return atEnd_; }
    void moveNext() override;
    void readValue(std::size_t index, automation::VARIANT& out) override;

private:
    enum class Reading { Integer, Decimal, Real, Boolean, Timestamp, Time, Text };
    struct Column {
        std::u16string name;
        Reading reading;
        std::int16_t scale;
    };
    void fetch();
    automation::Variant read(std::size_t index);
    automation::Variant readText(std::uint16_t column);

    std::shared_ptr<OdbcLink> link_; // declared first: freed after the statement
    OdbcHandle statement_;
    std::vector<Column> columns_;
    std::vector<automation::Variant> row_;
    bool atEnd_ = true;
};

} // namespace vorn::rdo
