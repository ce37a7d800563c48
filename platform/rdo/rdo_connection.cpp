#include "platform/rdo/rdo_connection.h"

#include "platform/automation/com_error.h"
#include "platform/rdo/error_codes.h"
#include "platform/rdo/rdo_resultset.h"
#include "platform/rdo/session_factory.h"
#include "platform/rdo/translated_sql.h"

#include <algorithm>
#include <array>
#include <limits>

namespace vorn::rdo {

using automation::Args;
using automation::MemberKind;
using automation::Variant;

namespace {

constexpr std::array<automation::Member<RdoConnection>, 7> kConnectionMembers{{
    {"OpenResultset", 1, MemberKind::Method, 1, 4,
     [](RdoConnection& c, const Args& a) {
         auto result = c.openResultset(a.text(0));
         return Variant(static_cast<automation::IDispatch*>(result.get()));
     }},
    {"Execute", 2, MemberKind::Method, 1, 2,
     [](RdoConnection& c, const Args& a) {
         c.execute(a.text(0));
         return Variant();
     }},
    {"Close", 3, MemberKind::Method, 0, 0,
     [](RdoConnection& c, const Args&) {
         c.close();
         return Variant();
     }},
    {"QueryTimeout", 4, MemberKind::Get, 0, 0,
     [](RdoConnection& c, const Args&) { return Variant(c.queryTimeout()); }},
    {"QueryTimeout", 4, MemberKind::Put, 1, 1,
     [](RdoConnection& c, const Args& a) {
         c.setQueryTimeout(a.i4(0));
         return Variant();
     }},
    {"Connect", 5, MemberKind::Get, 0, 0,
     [](RdoConnection& c, const Args&) { return Variant(c.connect()); }},
    {"RowsAffected", 6, MemberKind::Get, 0, 0,
     [](RdoConnection& c, const Args&) {
         return Variant(static_cast<std::int32_t>(
             std::min<std::int64_t>(c.rowsAffected(), std::numeric_limits<std::int32_t>::max())));
     }},
}};

} // namespace

std::span<const automation::Member<RdoConnection>> RdoConnection::members() {
    return kConnectionMembers;
}

RdoConnection::RdoConnection(std::unique_ptr<Session> session, std::string connect) noexcept
    : session_(std::move(session)), connect_(std::move(connect)),
      declared_(declaredDialect(connect_)) {}

Session& RdoConnection::session() const {
    if (!session_)
        throw automation::ComError(kObjectClosed, "The connection is closed");
    return *session_;
}

automation::ComPtr<RdoResultset> RdoConnection::openResultset(std::string_view sql) {
    auto state = std::make_shared<ResultState>(openTranslatedQuery(session(), sql, declared_));
    std::erase_if(results_, [](const auto& r) { return r.expired(); });
    results_.push_back(state);
    return automation::makeObject<RdoResultset>(std::move(state));
}

void RdoConnection::execute(std::string_view sql) {
    rowsAffected_ = executeTranslated(session(), sql, declared_);
}

void RdoConnection::close() noexcept {
    // Statements go before the connection they run on.
    for (const auto& weak : results_)
        if (const auto state = weak.lock())
            state->close();
    results_.clear();
    session_.reset();
}

std::int32_t RdoConnection::queryTimeout() const {
    if (!session().isAlive())
        throw automation::ComError(kObjectClosed, "The connection to the database is broken");
    return queryTimeout_;
}

void RdoConnection::setQueryTimeout(std::int32_t seconds) {
    session();
    queryTimeout_ = seconds;
}

} // namespace vorn::rdo
