#include "platform/rdo/rdo_resultset.h"

#include "platform/automation/bstr.h"

#include <array>

namespace vorn::rdo {

using automation::Args;
using automation::MemberKind;
using automation::Variant;

namespace {

// `rdoColumns` is the default member: rs("Name") reads as rs.rdoColumns("Name").
constexpr std::array<automation::Member<RdoResultset>, 5> kResultsetMembers{{
    {"rdoColumns", automation::DISPID_VALUE, MemberKind::Get, 0, 1,
     [](RdoResultset& r, const Args& a) {
         Variant columns = r.columns();
         if (a.size() == 0)
             return columns;
         return static_cast<RdoColumns*>(columns.dispatch())->item(a.raw(0));
     }},
    {"EOF", 1, MemberKind::Get, 0, 0,
     [](RdoResultset& r, const Args&) { return Variant(r.eof()); }},
    {"MoveNext", 2, MemberKind::Method, 0, 0,
     [](RdoResultset& r, const Args&) {
         r.moveNext();
         return Variant();
     }},
    {"Close", 3, MemberKind::Method, 0, 0,
     [](RdoResultset& r, const Args&) {
         r.close();
         return Variant();
     }},
    {"ColumnCount", 4, MemberKind::Get, 0, 0,
     [](RdoResultset& r, const Args&) {
         return static_cast<RdoColumns*>(r.columns().dispatch())->count();
     }},
}};

} // namespace

std::span<const automation::Member<RdoResultset>> RdoResultset::members() {
    return kResultsetMembers;
}

HRESULT RdoResultset::QueryInterface(const automation::IID& iid, void** object) {
    if (object && iid == IID_IRowCursor) {
        *object = static_cast<IRowCursor*>(this);
        AddRef();
        return automation::S_OK;
    }
    return Base::QueryInterface(iid, object);
}

Variant RdoResultset::columns() {
    if (!columns_)
        columns_ = automation::makeObject<RdoColumns>(state_);
    return Variant(static_cast<automation::IDispatch*>(columns_.get()));
}

HRESULT RdoResultset::reportFailure() noexcept {
    const automation::CaughtError error = automation::currentError();
    try {
        lastError_ = error.description;
    } catch (...) {
        lastError_.clear();
    }
    return error.code;
}

HRESULT RdoResultset::ColumnIndex(BSTR name, std::int32_t* index) {
    if (!index)
        return automation::E_POINTER;
    try {
        *index = static_cast<std::int32_t>(state_->indexOf(automation::bstrView(name)));
        return automation::S_OK;
    } catch (...) {
        return reportFailure();
    }
}

HRESULT RdoResultset::GetValue(std::int32_t index, VARIANT* out) {
    if (!out)
        return automation::E_POINTER;
    try {
        *out = VARIANT{};
        if (index < 0)
            state_->columnName(state_->columnCount()); // raises the out-of-range error
        state_->readValue(static_cast<std::size_t>(index), *out);
        return automation::S_OK;
    } catch (...) {
        return reportFailure();
    }
}

HRESULT RdoResultset::MoveNext() {
    try {
        state_->moveNext();
        return automation::S_OK;
    } catch (...) {
        return reportFailure();
    }
}

HRESULT RdoResultset::IsEOF(VARIANT_BOOL* out) {
    if (!out)
        return automation::E_POINTER;
    try {
        *out = state_->eof() ? automation::VARIANT_TRUE : automation::VARIANT_FALSE;
        return automation::S_OK;
    } catch (...) {
        return reportFailure();
    }
}

HRESULT RdoResultset::Close() {
    state_->close();
    return automation::S_OK;
}

HRESULT RdoResultset::LastErrorDescription(BSTR* out) {
    if (!out)
        return automation::E_POINTER;
    try {
        *out = automation::allocBstrUtf8(lastError_);
        return automation::S_OK;
    } catch (...) {
        *out = nullptr;
        return automation::E_OUTOFMEMORY;
    }
}

} // namespace vorn::rdo
