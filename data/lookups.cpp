#include "data/lookups.h"

#include "data/mod_report_main.h"
#include "data/sql_text.h"
#include "platform/automation/com_error.h"
#include "platform/automation/utf.h"
#include "platform/rdo/connection_ref.h"

#include <unordered_set>

namespace vorn {

using automation::BasicError;
using automation::ComError;

namespace {

// Basic's InStr over UTF-16 units, positions from 1; 0 when not found.
std::size_t inStr(std::size_t start, const std::u16string& text, char16_t what) {
    if (start < 1 || start > text.size())
        return 0;
    const auto found = text.find(what, start - 1);
    return found == std::u16string::npos ? 0 : found + 1;
}

// The positions are 16-bit integers in the original arithmetic.
std::size_t checked16(std::size_t position) {
    if (position > 32767)
        throw ComError(BasicError::Overflow);
    return position;
}

} // namespace

std::string GetProjectFromPath(const std::string& path) {
    const std::u16string text = automation::toUtf16(path);
    const std::size_t first = inStr(2, text, u'\\');
    const std::size_t start = checked16(first + 1);
    std::size_t next = inStr(start, text, u'\\');
    if (next == 0)
        next = text.size() + 1;
    checked16(next);
    return automation::toUtf8(text.substr(start - 1, next - start));
}

std::string GetItemProject(std::int32_t itemIndex) {
    ReportState& state = modReportMain();
    std::int32_t current = 0;
    std::string lastName;
    try {
        rdo::ConnectionRef tracker(state.gDSN.get());
        rdo::RowReader item = tracker.openResultset(
            "SELECT ProjectIndex From Items WHERE ItemIndex=" + basicNumber(itemIndex),
            rdo::CursorType::Keyset, rdo::LockType::OptimisticValues);
        if (!item.eof())
            current = item.value("ProjectIndex").toI4();
    } catch (...) {
        // Every failure here only ends the lookup early.
    }
    std::unordered_set<std::int32_t> visited;
    while (visited.insert(current).second) {
        try {
            rdo::RowReader project =
                rdo::ConnectionRef(state.gDSN.get())
                    .openResultset("SELECT ProjectParent,ProjectName From "
                                   "Projects WHERE ProjectIndex=" +
                                       basicNumber(current),
                                   rdo::CursorType::Keyset, rdo::LockType::OptimisticValues);
            if (project.eof())
                break;
            bool parentRead = true;
            try {
                current = project.value("ProjectParent").toI4();
            } catch (...) {
                parentRead = false; // a null parent: this project is the top
            }
            try {
                lastName = project.value("ProjectName").toString();
            } catch (...) {
            }
            project.close();
            if (!parentRead)
                break;
        } catch (...) {
            break; // the query could not run: the walk ends with what it found
        }
    }
    return lastName.empty() ? "None" : lastName;
}

std::int16_t NullToZero(const automation::Variant& value) {
    if (value.isNull())
        return 0;
    return value.toI2();
}

} // namespace vorn
