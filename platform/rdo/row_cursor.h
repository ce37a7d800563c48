// A binary row interface of our own that our result sets answer besides
// IDispatch, so that code reading many rows skips name lookup and argument
// packing. Foreign result sets need not have it: RowReader falls back to
// late-bound calls.
#pragma once

#include "platform/automation/com.h"

#include <cstdint>

namespace vorn::rdo {

using automation::BSTR;
using automation::HRESULT;
using automation::VARIANT;
using automation::VARIANT_BOOL;

struct IRowCursor : automation::IUnknown {
    /// The 0-based position of a column, name matched without regard to case.
    /// Fails with 0x800A0CC1 (item not found) when there is none.
    virtual HRESULT ColumnIndex(BSTR name, std::int32_t* index) = 0;
    /// The current row's value; `out` must be empty on entry.
    virtual HRESULT GetValue(std::int32_t index, VARIANT* out) = 0;
    virtual HRESULT MoveNext() = 0;
    virtual HRESULT IsEOF(VARIANT_BOOL* out) = 0;
    virtual HRESULT Close() = 0;
    /// The description of the last failed call on this cursor (the caller
    /// frees it); empty when none failed.
    virtual HRESULT LastErrorDescription(BSTR* out) = 0;
};

// {5A9FEFA2-479B-4350-8DCD-4245ACA4ED50}
inline constexpr automation::IID IID_IRowCursor = {
    0x5A9FEFA2, 0x479B, 0x4350, {0x8D, 0xCD, 0x42, 0x45, 0xAC, 0xA4, 0xED, 0x50}};

} // namespace vorn::rdo
