// rdoConnection: an open connection. Statements pass through the dialect
// rewrite for its backend, read in the dialect its database was written for
// when they show none of their own. Close also closes the result sets it opened; a
// result set still held when the object itself goes keeps its statement.
#pragma once

#include "platform/automation/dispatch_object.h"
#include "platform/rdo/dialect/source_dialect.h"
#include "platform/rdo/result_state.h"
#include "platform/rdo/session.h"

#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vorn::rdo {

class RdoResultset;

class RdoConnection final
    : public automation::DispatchObject<automation::IDispatch, RdoConnection> {
public:
    RdoConnection(std::unique_ptr<Session> session, std::string connect) noexcept;
    static std::span<const automation::Member<RdoConnection>> members();

    /// Cursor and lock types are accepted as the original callers pass them;
    /// every result set reads forward only.
    /// \throws DatabaseError; automation::ComError kObjectClosed.
    automation::ComPtr<RdoResultset> openResultset(std::string_view sql);
    /// \throws DatabaseError; automation::ComError kObjectClosed.
    void execute(std::string_view sql);
    void close() noexcept;
    /// Only while the connection is open and its link works.
    /// \throws automation::ComError kObjectClosed.
    std::int32_t queryTimeout() const;
    void setQueryTimeout(std::int32_t seconds);
    std::int64_t rowsAffected() const noexcept { return rowsAffected_; }
    const std::string& connect() const noexcept { return connect_; }

private:
    friend class automation::DispatchObject<automation::IDispatch, RdoConnection>;
    ~RdoConnection() = default;
    Session& session() const;

    std::unique_ptr<Session> session_;
    std::string connect_;
    dialect::SourceDialect declared_;
    std::int32_t queryTimeout_ = 30;
    std::int64_t rowsAffected_ = 0;
    std::vector<std::weak_ptr<ResultState>> results_;
};

} // namespace vorn::rdo
