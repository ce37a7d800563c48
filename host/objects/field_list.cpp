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
        FieldSpec spec;
        const std::size_t c1 = item.find(':');
        spec.fieldName = item.substr(0, c1);
        if (spec.fieldName.empty())
            throw std::invalid_argument("column without a field name: \"" + item + "\"");
        spec.friendlyName = spec.fieldName;
        if (c1 != std::string::npos) {
            const std::size_t c2 = item.find(':', c1 + 1);
            spec.friendlyName = item.substr(c1 + 1, c2 == std::string::npos ? c2 : c2 - c1 - 1);
            if (c2 != std::string::npos && c2 + 1 < item.size()) {
                const std::string width = item.substr(c2 + 1);
                auto [ptr, ec] =
                    std::from_chars(width.data(), width.data() + width.size(), spec.width);
                if (ec != std::errc() || ptr != width.data() + width.size() || spec.width < 0)
                    throw std::invalid_argument("bad column width \"" + width + "\" in \"" + item +
                                                "\"");
            }
        }
        fields.push_back(std::move(spec));
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
    return Variant(e.spec().width);
}
Variant entryCaption(FieldEntry& e, const Args&) {
    return Variant(e.spec().friendlyName);
}
Variant entryField(FieldEntry& e, const Args&) {
    return Variant(e.spec().fieldName);
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
