#include "platform/rdo/database_error.h"

#include "platform/rdo/error_codes.h"

namespace vorn::rdo {

DatabaseError::DatabaseError(std::string description, std::string sqlState, int nativeCode)
    : ComError(kDatabaseError, std::move(description)), sqlState_(std::move(sqlState)),
      nativeCode_(nativeCode) {}

} // namespace vorn::rdo
