// Where a report's records come from. The engine reads them forward only; the
// code that owns the database connection implements this over it.
#pragma once

#include "platform/engine/data/value.h"

#include <functional>
#include <memory>
#include <string_view>

namespace vorn::engine {

struct DataControl;

class RecordSource {
public:
    virtual ~RecordSource() = default;

    /// True once the source stands past its last record (at once when it has none).
    virtual bool eof() const = 0;
    virtual void moveNext() = 0;
    /// The current record's value of the column `name`.
    /// \throws EngineError (error_code::kNotFound) when no column has that name.
    virtual Value value(std::string_view name) const = 0;
};

/// Opens the records that a data control describes (its connection and SQL text,
/// or its database path and record source).
using RecordSourceOpener = std::function<std::unique_ptr<RecordSource>(const DataControl&)>;

} // namespace vorn::engine
