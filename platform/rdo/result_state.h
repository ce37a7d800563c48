// The cursor behind one result set, shared by the result set, its columns
// collection and its column objects (which must not keep each other alive),
// and by the binary row interface. Raises the errors a Basic caller expects.
#pragma once

#include "platform/rdo/row_source.h"

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace vorn::rdo {

class ResultState {
public:
    explicit ResultState(std::unique_ptr<RowSource> rows) noexcept : rows_(std::move(rows)) {}

    /// \throws automation::ComError kObjectClosed after close().
    bool eof() const;
    /// \throws kObjectClosed; kNoCurrentRow at the end; DatabaseError.
    void moveNext();
    std::size_t columnCount() const;
    const std::u16string& columnName(std::size_t index) const;
    std::optional<std::size_t> find(std::u16string_view name) const;
    /// \throws kItemNotFound naming the column.
    std::size_t indexOf(std::u16string_view name) const;
    /// \throws kObjectClosed; kNoCurrentRow at the end; kItemNotFound for a bad index.
    void readValue(std::size_t index, automation::VARIANT& out);

    /// Releases the statement; later calls fail with kObjectClosed.
    void close() noexcept { rows_.reset(); }
    bool closed() const noexcept { return !rows_; }

private:
    const RowSource& rows() const;
    std::unique_ptr<RowSource> rows_;
};

} // namespace vorn::rdo
