// The environment and connection handles of one ODBC connection, shared by the
// session and the row sources it opened so that none outlives the connection.
#pragma once

#include "platform/rdo/odbc/odbc_handle.h"

#include <cstdint>
#include <string>

namespace vorn::rdo {

class OdbcLink {
public:
    /// Connects without prompting. \throws DatabaseError
    OdbcLink(const std::string& connect, std::int32_t loginTimeout, bool readOnly);

    const OdbcHandle& connection() const noexcept { return connection_; }
    /// checkOdbc, remembering when the error says that the link is gone.
    void check(std::int16_t rc, const OdbcHandle& handle);
    bool lost() const noexcept { return lost_; }
    /// The product behind the driver, as SQL_DBMS_NAME gives it.
    const std::string& dbmsName() const noexcept { return dbmsName_; }
    /// Runs SQL on a statement handle and gives the driver's return code.
    std::int16_t execDirect(const OdbcHandle& statement, const std::string& sql);

private:
    OdbcHandle environment_;
    OdbcHandle connection_;
    bool lost_ = false;
    std::string dbmsName_;
    bool narrowText_ = false;
};

} // namespace vorn::rdo
