// The columns of the sample tracker's `Items` table, in the order rows are
// generated and bound. The last five are the custom fields that `Custom`
// describes.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace vorn::host {

enum class ItemColumn : std::size_t {
    ItemIndex,
    ProjectIndex,
    Status,
    AssignedTo,
    Priority,
    Severity,
    Type,
    CreatedBy,
    DateCreated,
    LastModifiedBy,
    DateLastModified,
    PercentComplete,
    Subject,
    Comments,
    Resolution,
    Browser,
    Regression,
    FoundIn,
    Customer,
    Estimate,
};

inline constexpr std::size_t kItemColumnCount = static_cast<std::size_t>(ItemColumn::Estimate) + 1;

struct ColumnDeclaration {
    std::string_view name;
    std::string_view type;
};

// Text compares without regard to letter case, as in the trackers' own
// databases. PercentComplete is NUMERIC so that 37 stays 37, 42.9 stays 42.9
// and an empty text stays an empty text.
inline constexpr std::array<ColumnDeclaration, kItemColumnCount> kItemColumns{{
    {"ItemIndex", "INTEGER PRIMARY KEY"},
    {"ProjectIndex", "INTEGER"},
    {"Status", "TEXT COLLATE NOCASE"},
    {"AssignedTo", "TEXT COLLATE NOCASE"},
    {"Priority", "TEXT COLLATE NOCASE"},
    {"Severity", "TEXT COLLATE NOCASE"},
    {"Type", "TEXT COLLATE NOCASE"},
    {"CreatedBy", "TEXT COLLATE NOCASE"},
    {"DateCreated", "DATETIME"},
    {"LastModifiedBy", "TEXT COLLATE NOCASE"},
    {"DateLastModified", "DATETIME"},
    {"PercentComplete", "NUMERIC"},
    {"Subject", "TEXT COLLATE NOCASE"},
    {"Comments", "TEXT COLLATE NOCASE"},
    {"Resolution", "TEXT COLLATE NOCASE"},
    {"Browser", "TEXT COLLATE NOCASE"},
    {"Regression", "INTEGER"},
    {"FoundIn", "TEXT COLLATE NOCASE"},
    {"Customer", "TEXT COLLATE NOCASE"},
    {"Estimate", "REAL"},
}};

} // namespace vorn::host
