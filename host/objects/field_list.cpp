#include "host/objects/field_list.h"

#include "platform/automation/com_error.h"

#include <array>
#include <charconv>
#include <stdexcept>

namespace vorn::host {

using namespace automation;

std::vector<FieldSpec> parseFieldSpecs(const std::string& text) {
    std::vector<FieldSpec> fields;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t end = std::min(text.find(',', start), text.size());
        const std::string item = text.substr(start, end - start);
        start = end + 1;
        if (item.empty()) {
            if (end == text.size())
                break;
            throw std::invalid_argument("empty column in \"" + text + "\"");
        }
        FieldSpec column;
        const std::size_t c1 = item.find(':');
        column.fieldName = item.substr(0, c1);
        if (column.fieldName.empty())
            throw std::invalid_argument("column without a field name: \"" + item + "\"");
        column.friendlyName = column.fieldName;
        if (c1 != std::string::npos) {
            const std::size_t c2 = item.find(':', c1 + 1);
            column.friendlyName = item.substr(c1 + 1, c2 == std::string::npos ? c2 : c2 - c1 - 1);
            if (c2 != std::string::npos && c2 + 1 < item.size()) {
                const std::string width = item.substr(c2 + 1);
                auto [ptr, ec] =
                    std::from_chars(width.data(), width.data() + width.size(), column.width);
                if (ec != std::errc() || ptr != width.data() + width.size() || column.width < 0)
                    throw std::invalid_argument("bad column width \"" + width + "\" in \"" + item +
                                                "\"");
            }
        }
        fields.push_back(std::move(column));
    }
    return fields;
}

FieldList::FieldList(std::vector<FieldSpec> fields) {
    for (auto& f : fields)
        entries_.push_back(makeObject<FieldEntry>(std::move(f)));
}

IDispatch* FieldList::item(std::int32_t position) const {
    if (position < 1 || position > count())
        throw ComError(BasicError::SubscriptOutOfRange);
    return entries_[static_cast<std::size_t>(position - 1)].get();
}

namespace {

Variant entryWidth(FieldEntry& e, const Args&) {
    return Variant(e.column().width);
}
Variant entryCaption(FieldEntry& e, const Args&) {
    return Variant(e.column().friendlyName);
}
Variant entryField(FieldEntry& e, const Args&) {
    return Variant(e.column().fieldName);
}

constexpr std::array<Member<FieldEntry>, 3> kEntryMembers{{
    {"fieldwidth", 1, MemberKind::Get, 0, 0, entryWidth},
    {"FriendlyName", 2, MemberKind::Get, 0, 0, entryCaption},
    {"FieldName", DISPID_VALUE, MemberKind::Get, 0, 0, entryField},
}};

Variant listCount(FieldList& l, const Args&) {
    return Variant(l.count());
}
Variant listItem(FieldList& l, const Args& a) {
    return Variant(l.item(a.i4(0)));
}

constexpr std::array<Member<FieldList>, 2> kListMembers{{
    {"Item", DISPID_VALUE, MemberKind::Get, 1, 1, listItem},
    {"Count", 1, MemberKind::Get, 0, 0, listCount},
}};

} // namespace

std::span<const Member<FieldEntry>> FieldEntry::members() {
    return kEntryMembers;
}
std::span<const Member<FieldList>> FieldList::members() {
    return kListMembers;
}

} // namespace vorn::host
