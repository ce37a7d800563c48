#include "fuzz/fuzz_entries.h"

#include "platform/rdo/dialect/dialect_error.h"
#include "platform/rdo/dialect/sql_parser.h"
#include "platform/rdo/dialect/tokenizer.h"
#include "platform/rdo/dialect/translator.h"

#include <string_view>

namespace vorn::fuzz {

// The first byte picks the target and the dialect the connection declares;
// the rest is the host's SQL text.
int fuzzSqlDialect(const std::uint8_t* data, std::size_t size) {
    using namespace rdo::dialect;
    if (size == 0) {
        return 0;
    }
    const Target target = (data[0] & 1) != 0 ? Target::PostgreSQL : Target::SQLite;
    const SourceDialect declared = static_cast<SourceDialect>((data[0] >> 1) % 3);
    const std::string_view sql(reinterpret_cast<const char*>(data + 1), size - 1);
    try {
        SqlParser(tokenize(sql)).parseStatement();
    } catch (const DialectError&) {
    }
    try {
        translate(sql, target, declared);
    } catch (const DialectError&) {
    }
    return 0;
}

} // namespace vorn::fuzz
