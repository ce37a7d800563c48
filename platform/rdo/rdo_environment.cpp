#include "platform/rdo/rdo_environment.h"

#include "platform/rdo/rdo_connection.h"
#include "platform/rdo/session_factory.h"

#include <array>

namespace vorn::rdo {

using automation::Args;
using automation::MemberKind;
using automation::Variant;

namespace {

// OpenConnection(dsName, [prompt], [readOnly], [connect], [options])
Variant openConnection(RdoEnvironment& e, const Args& a) {
    const bool readOnly = a.isMissing(2) ? false : a.boolean(2);
    const std::string connect = a.isMissing(3) ? std::string() : a.text(3);
    auto connection = e.openConnection(a.text(0), readOnly, connect);
    return Variant(static_cast<automation::IDispatch*>(connection.get()));
}

constexpr std::array<automation::Member<RdoEnvironment>, 6> kEnvironmentMembers{{
    {"OpenConnection", 1, MemberKind::Method, 1, 5, openConnection},
    {"CursorDriver", 2, MemberKind::Get, 0, 0,
     [](RdoEnvironment& e, const Args&) { return Variant(e.cursorDriver); }},
    {"CursorDriver", 2, MemberKind::Put, 1, 1,
     [](RdoEnvironment& e, const Args& a) {
         e.cursorDriver = a.i4(0);
         return Variant();
     }},
    {"LoginTimeout", 3, MemberKind::Get, 0, 0,
     [](RdoEnvironment& e, const Args&) { return Variant(e.loginTimeout); }},
    {"LoginTimeout", 3, MemberKind::Put, 1, 1,
     [](RdoEnvironment& e, const Args& a) {
         e.loginTimeout = a.i4(0);
         return Variant();
     }},
    {"Name", 4, MemberKind::Get, 0, 0,
     [](RdoEnvironment&, const Args&) { return Variant("Default_Environment"); }},
}};

} // namespace

std::span<const automation::Member<RdoEnvironment>> RdoEnvironment::members() {
    return kEnvironmentMembers;
}

automation::ComPtr<RdoConnection> RdoEnvironment::openConnection(std::string_view dataSourceName,
                                                                 bool readOnly,
                                                                 std::string_view connect) {
    SessionSettings settings;
    settings.loginTimeout = loginTimeout;
    settings.readOnly = readOnly;
    return automation::makeObject<RdoConnection>(openSession(dataSourceName, connect, settings),
                                                 std::string(connect));
}

} // namespace vorn::rdo
