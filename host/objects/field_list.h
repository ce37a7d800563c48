// The item list's column list as a host hands it over in `OtherParameters`:
// `Count`, `Item(i)` from 1 (also the default member), and entries with
// `fieldwidth` (twips), `FriendlyName` (the caption) and `FieldName` (the
// query column).
#pragma once

#include "platform/automation/dispatch_object.h"

#include <span>
#include <string>
#include <vector>

namespace vorn::host {

struct FieldSpec {
    std::string fieldName;
    std::string friendlyName;
    std::int32_t width = 1440;
};

/// Reads "FIELD[:CAPTION[:WIDTH]],...": the caption defaults to the field
/// name, the width to 1440 twips. \throws std::invalid_argument on a bad width
/// or an empty field name.
std::vector<FieldSpec> parseFieldSpecs(const std::string& text);

class FieldEntry final : public automation::DispatchObject<automation::IDispatch, FieldEntry> {
public:
    explicit FieldEntry(FieldSpec column) : column_(std::move(column)) {}
    static std::span<const automation::Member<FieldEntry>> members();
    const FieldSpec& column() const { return column_; }

private:
    friend class automation::DispatchObject<automation::IDispatch, FieldEntry>;
    ~FieldEntry() = default;
    FieldSpec column_;
};

class FieldList final : public automation::DispatchObject<automation::IDispatch, FieldList> {
public:
    explicit FieldList(std::vector<FieldSpec> fields);
    static std::span<const automation::Member<FieldList>> members();

    std::int32_t count() const { return static_cast<std::int32_t>(entries_.size()); }
    /// \throws ComError subscript out of range outside 1..count().
    IDispatch* item(std::int32_t position) const;

private:
    friend class automation::DispatchObject<automation::IDispatch, FieldList>;
    ~FieldList() = default;
    std::vector<automation::ComPtr<FieldEntry>> entries_;
};

} // namespace vorn::host
