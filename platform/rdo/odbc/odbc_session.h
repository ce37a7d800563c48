// A connection through the ODBC driver manager, for every driver that is not
// served in-process. The SQL family follows the product the driver reports.
#pragma once

#include "platform/rdo/session.h"

#include <memory>
#include <string>

namespace vorn::rdo {

class OdbcLink;

class OdbcSession : public Session {
public:
    /// \throws DatabaseError
    OdbcSession(const std::string& connect, const SessionSettings& settings);

    SqlTarget target() const noexcept override { return target_; }
    std::unique_ptr<RowSource> query(const std::string& sql) override;
    std::int64_t execute(const std::string& sql) override;
    bool isAlive() noexcept override;

private:
    std::shared_ptr<OdbcLink> link_;
    SqlTarget target_;
};

} // namespace vorn::rdo
