// rdoResultset: the rows of one query, read forward once. Answers IDispatch
// for late-bound callers and IRowCursor for our own fast reader.
#pragma once

#include "platform/automation/dispatch_object.h"
#include "platform/rdo/rdo_columns.h"
#include "platform/rdo/result_state.h"
#include "platform/rdo/row_cursor.h"

#include <memory>
#include <span>
#include <string>

namespace vorn::rdo {

class RdoResultset final : public automation::DispatchObject<automation::IDispatch, RdoResultset>,
                           public IRowCursor {
    using Base = automation::DispatchObject<automation::IDispatch, RdoResultset>;

public:
    explicit RdoResultset(std::shared_ptr<ResultState> state) noexcept : state_(std::move(state)) {}
    static std::span<const automation::Member<RdoResultset>> members();

    // One IUnknown for both interfaces.
    HRESULT QueryInterface(const automation::IID& iid, void** object) override;
    automation::ULONG AddRef() override { return Base::AddRef(); }
    automation::ULONG Release() override { return Base::Release(); }

    HRESULT ColumnIndex(BSTR name, std::int32_t* index) override;
    HRESULT GetValue(std::int32_t index, VARIANT* out) override;
    HRESULT MoveNext() override;
    HRESULT IsEOF(VARIANT_BOOL* out) override;
    HRESULT Close() override;
    HRESULT LastErrorDescription(BSTR* out) override;

    automation::Variant columns();
    bool eof() const { return state_->eof(); }
    void moveNext() { state_->moveNext(); }
    void close() noexcept { state_->close(); }

private:
    friend class automation::DispatchObject<automation::IDispatch, RdoResultset>;
    ~RdoResultset() = default;
    HRESULT reportFailure() noexcept; // call from a catch block

    std::shared_ptr<ResultState> state_;
    automation::ComPtr<RdoColumns> columns_;
    std::string lastError_;
};

} // namespace vorn::rdo
