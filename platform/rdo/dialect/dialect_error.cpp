#include "platform/rdo/dialect/dialect_error.h"

#include <utility>

namespace vorn::rdo::dialect {

DialectError::DialectError(automation::HRESULT code, std::string description, std::string construct)
    : ComError(code, std::move(description), automation::kErrorSource),
      construct_(std::move(construct)) {}

DialectError DialectError::unsupported(std::string construct) {
    return DialectError(kUnsupportedConstruct, "SQL construct not supported: " + construct,
                        construct);
}

DialectError DialectError::malformed(std::string construct) {
    return DialectError(kMalformedSql, "Malformed SQL: " + construct, construct);
}

} // namespace vorn::rdo::dialect
