#include "platform/rdo/rdo_columns.h"

#include "platform/automation/bstr.h"

#include <array>

namespace vorn::rdo {

using automation::Args;
using automation::MemberKind;
using automation::Variant;

namespace {

constexpr std::array<automation::Member<RdoColumns>, 2> kColumnsMembers{{
    {"Item", automation::DISPID_VALUE, MemberKind::Get, 1, 1,
     [](RdoColumns& c, const Args& a) { return c.item(a.raw(0)); }},
    {"Count", 1, MemberKind::Get, 0, 0, [](RdoColumns& c, const Args&) { return c.count(); }},
}};

} // namespace

std::span<const automation::Member<RdoColumns>> RdoColumns::members() {
    return kColumnsMembers;
}

Variant RdoColumns::item(const automation::VARIANT& nameOrIndex) {
    const automation::VARIANT& key =
        nameOrIndex.vt == (automation::VT_BYREF | automation::VT_VARIANT) ? *nameOrIndex.pvarVal
                                                                          : nameOrIndex;
    std::size_t index = 0;
    // Names are looked up in place: this runs once per value read.
    if (key.vt == automation::VT_BSTR)
        index = state_->indexOf(automation::bstrView(key.bstrVal));
    else if (key.vt == (automation::VT_BYREF | automation::VT_BSTR))
        index = state_->indexOf(automation::bstrView(*key.pbstrVal));
    else {
        const std::int32_t position = Variant(key).dereferenced().toI4();
        index = static_cast<std::size_t>(position);
        state_->columnName(position < 0 ? state_->columnCount() : index); // checks the range
    }
    if (columns_.size() <= index)
        columns_.resize(state_->columnCount());
    if (!columns_[index])
        columns_[index] = automation::makeObject<RdoColumn>(state_, index);
    return Variant(static_cast<automation::IDispatch*>(columns_[index].get()));
}

Variant RdoColumns::count() const {
    return Variant(static_cast<std::int32_t>(state_->columnCount()));
}

} // namespace vorn::rdo
