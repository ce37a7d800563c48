#include "platform/rdo/rdo_column.h"

#include <array>

namespace vorn::rdo {

using automation::Args;
using automation::MemberKind;
using automation::Variant;

namespace {

constexpr std::array<automation::Member<RdoColumn>, 3> kColumnMembers{{
    {"Value", automation::DISPID_VALUE, MemberKind::Get, 0, 0,
     [](RdoColumn& c, const Args&) { return c.value(); }},
    {"Name", 1, MemberKind::Get, 0, 0, [](RdoColumn& c, const Args&) { return c.name(); }},
    {"OrdinalPosition", 2, MemberKind::Get, 0, 0,
     [](RdoColumn& c, const Args&) { return c.ordinalPosition(); }},
}};

} // namespace

std::span<const automation::Member<RdoColumn>> RdoColumn::members() {
    return kColumnMembers;
}

Variant RdoColumn::value() const {
    automation::VARIANT raw{};
    state_->readValue(index_, raw);
    return Variant::adopt(raw);
}

Variant RdoColumn::ordinalPosition() const {
    state_->columnName(index_); // fails once the result set is closed
    return Variant(static_cast<std::int32_t>(index_ + 1));
}

Variant RdoColumn::name() const {
    return Variant(std::u16string_view(state_->columnName(index_)));
}

} // namespace vorn::rdo
