// A host's field list that fails inside a late-bound call, part way through
// the columns: the item list hands the host's own code and description on.
#include "data/mod_report_main.h"
#include "host/objects/field_list.h"
#include "platform/automation/com_error.h"
#include "reports/rep_vorn_item_list.h"
#include "tracker_fixture.h"

#include <array>

using namespace vorn;
using namespace vorn::automation;

namespace {

constexpr HRESULT kHostFailure = static_cast<HRESULT>(0x800A03E8); // a host's own error
constexpr const char* kHostText = "The tracker closed the column list";

// Answers Count with three, hands out two good columns, then fails.
class FailingFieldList final : public DispatchObject<IDispatch, FailingFieldList> {
public:
    FailingFieldList()
        : good_(makeObject<host::FieldList>(host::parseFieldSpecs("ItemID,Subject"))) {}
    static std::span<const Member<FailingFieldList>> members();
    Variant item(std::int32_t position) const {
        if (position > 2)
            throw ComError(kHostFailure, kHostText, "VornTracker");
        return Variant(good_->item(position));
    }

private:
    friend class DispatchObject<IDispatch, FailingFieldList>;
    ~FailingFieldList() = default;
    ComPtr<host::FieldList> good_;
};

constexpr std::array<Member<FailingFieldList>, 2> kMembers{{
    {"Item", DISPID_VALUE, MemberKind::Get, 1, 1,
     [](FailingFieldList& l, const Args& a) { return l.item(a.i4(0)); }},
    {"Count", 1, MemberKind::Get, 0, 0,
     [](FailingFieldList&, const Args&) { return Variant(std::int32_t{3}); }},
}};

std::span<const Member<FailingFieldList>> FailingFieldList::members() {
    return kMembers;
}

class FailingHostObjects : public test::TrackerFixture {};

TEST_F(FailingHostObjects, AFieldListFailingMidwayReachesTheCallerWithItsOwnError) {
    auto fields = makeObject<FailingFieldList>();
    modReportMain().gOtherParameters = ComPtr<IDispatch>(fields.get());
    reports::repVornItemList report;
    try {
        report.RunListReport();
        FAIL() << "the third column fails";
    } catch (const ComError& e) {
        EXPECT_EQ(e.code(), kHostFailure);
        EXPECT_NE(e.description().find(kHostText), std::string::npos) << e.description();
    }
}

} // namespace
