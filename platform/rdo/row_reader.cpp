#include "platform/rdo/row_reader.h"

#include "platform/automation/bstr.h"
#include "platform/automation/com_error.h"
#include "platform/automation/late_bound.h"

namespace vorn::rdo {

using namespace automation;

RowReader::RowReader(IDispatch* resultset) : resultset_(resultset) {
    if (!resultset)
        throw ComError(BasicError::ObjectRequired);
    cursor_ = resultset_.query<IRowCursor>(IID_IRowCursor);
}

void RowReader::fail(HRESULT code) {
    Bstr description;
    if (cursor_)
        cursor_->LastErrorDescription(description.out());
    std::string text = description.utf8();
    throw ComError(code, text.empty() ? describe(code) : std::move(text));
}

bool RowReader::eof() {
    if (cursor_) {
        VARIANT_BOOL atEnd = VARIANT_FALSE;
        if (const HRESULT rc = cursor_->IsEOF(&atEnd); failed(rc))
            fail(rc);
        return atEnd != VARIANT_FALSE;
    }
    if (eofId_ == DISPID_UNKNOWN)
        eofId_ = dispidOf(resultset_.get(), "EOF");
    return invoke(resultset_.get(), eofId_, DISPATCH_PROPERTYGET, {}).toBool();
}

void RowReader::moveNext() {
    if (cursor_) {
        if (const HRESULT rc = cursor_->MoveNext(); failed(rc))
            fail(rc);
        return;
    }
    if (moveNextId_ == DISPID_UNKNOWN)
        moveNextId_ = dispidOf(resultset_.get(), "MoveNext");
    invoke(resultset_.get(), moveNextId_, DISPATCH_METHOD, {});
}

std::int32_t RowReader::columnIndex(std::string_view name) {
    if (cursor_) {
        const Bstr wide(name);
        std::int32_t index = -1;
        if (const HRESULT rc = cursor_->ColumnIndex(wide.get(), &index); failed(rc))
            fail(rc);
        return index;
    }
    for (std::size_t i = 0; i < names_.size(); ++i)
        if (names_[i] == name)
            return static_cast<std::int32_t>(i);
    names_.emplace_back(name);
    nameArguments_.emplace_back(name);
    const auto index = static_cast<std::int32_t>(names_.size() - 1);
    try {
        lateColumn(index)->Release(); // the object's own error for a missing column
    } catch (...) {
        names_.pop_back();
        nameArguments_.pop_back();
        throw;
    }
    return index;
}

// rdoColumns(name): the column object, with a reference for the caller.
IDispatch* RowReader::lateColumn(std::int32_t column) {
    if (columnsId_ == DISPID_UNKNOWN)
        columnsId_ = dispidOf(resultset_.get(), "rdoColumns");
    const Variant columns = invoke(resultset_.get(), columnsId_, DISPATCH_PROPERTYGET, {});
    if (!columns.dispatch())
        throw ComError(BasicError::ObjectRequired);
    const Variant item =
        invoke(columns.dispatch(), DISPID_VALUE, DISPATCH_PROPERTYGET | DISPATCH_METHOD,
               {&nameArguments_[static_cast<std::size_t>(column)], 1});
    IDispatch* object = item.dispatch();
    if (!object)
        throw ComError(BasicError::ObjectRequired);
    object->AddRef();
    return object;
}

Variant RowReader::value(std::int32_t column) {
    if (cursor_) {
        Variant result;
        if (const HRESULT rc = cursor_->GetValue(column, result.out()); failed(rc))
            fail(rc);
        return result;
    }
    if (column < 0 || static_cast<std::size_t>(column) >= names_.size())
        throw ComError(BasicError::SubscriptOutOfRange);
    const ComPtr<IDispatch> object = ComPtr<IDispatch>::adopt(lateColumn(column));
    if (valueId_ == DISPID_UNKNOWN)
        valueId_ = dispidOf(object.get(), "Value");
    return invoke(object.get(), valueId_, DISPATCH_PROPERTYGET, {});
}

void RowReader::close() {
    if (cursor_) {
        if (const HRESULT rc = cursor_->Close(); failed(rc))
            fail(rc);
        return;
    }
    callMethod(resultset_.get(), "Close");
}

} // namespace vorn::rdo
