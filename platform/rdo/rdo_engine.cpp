#include "platform/rdo/rdo_engine.h"

#include "platform/automation/com_error.h"
#include "platform/rdo/error_codes.h"

#include <array>

namespace vorn::rdo {

using automation::Args;
using automation::MemberKind;
using automation::Variant;

namespace {

constexpr std::array<automation::Member<RdoEngine>, 1> kEngineMembers{{
    {"rdoEnvironments", 1, MemberKind::Get, 1, 1,
     [](RdoEngine& e, const Args& a) {
         return Variant(static_cast<automation::IDispatch*>(e.environment(a.i4(0)).get()));
     }},
}};

} // namespace

std::span<const automation::Member<RdoEngine>> RdoEngine::members() {
    return kEngineMembers;
}

RdoEngine::RdoEngine() : default_(automation::makeObject<RdoEnvironment>()) {}

automation::ComPtr<RdoEnvironment> RdoEngine::environment(std::int32_t index) const {
    if (index != 0)
        throw automation::ComError(kItemNotFound,
                                   "Item not found in this collection (environment " +
                                       std::to_string(index) + ")");
    return default_;
}

automation::ComPtr<automation::IDispatch> createEngine() {
    auto engine = automation::makeObject<RdoEngine>();
    return automation::ComPtr<automation::IDispatch>(engine.get());
}

} // namespace vorn::rdo
