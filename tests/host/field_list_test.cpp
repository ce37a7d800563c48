#include "host/objects/field_list.h"
#include "platform/automation/com_error.h"
#include "platform/automation/late_bound.h"
#include "tests/support/error_code.h"

#include <gtest/gtest.h>

#include <stdexcept>

using namespace vorn::automation;
using vorn::host::FieldList;
using vorn::host::FieldSpec;
using vorn::host::parseFieldSpecs;

TEST(FieldSpecs, ParsesFieldCaptionAndWidth) {
    const auto specs = parseFieldSpecs("ItemIndex:Item:700,Subject:Subject:5000,Status");
    ASSERT_EQ(specs.size(), 3u);
    EXPECT_EQ(specs[0].fieldName, "ItemIndex");
    EXPECT_EQ(specs[0].friendlyName, "Item");
    EXPECT_EQ(specs[0].width, 700);
    EXPECT_EQ(specs[2].friendlyName, "Status");
    EXPECT_EQ(specs[2].width, 1440);
    EXPECT_EQ(parseFieldSpecs("A::").at(0).friendlyName, "");
    EXPECT_TRUE(parseFieldSpecs("").empty());
}

TEST(FieldSpecs, RejectsWhatCannotBeAColumn) {
    for (const char* bad : {"A:B:wide", "A:B:-5", ":Caption", "A,,B", "A:B:7x"})
        EXPECT_THROW(parseFieldSpecs(bad), std::invalid_argument) << bad;
}

TEST(FieldList, CountAndOneBasedItemsLateBound) {
    auto list = makeObject<FieldList>(parseFieldSpecs("ItemIndex:Item:700,Subject:Subject:5000"));
    LateBound fields(static_cast<IDispatch*>(list.get()));
    EXPECT_EQ(fields.get("Count").toI2(), 2);
    LateBound second = fields.object("Item", {Variant(std::int16_t{2})});
    EXPECT_EQ(second.get("fieldwidth").toI4(), 5000);
    EXPECT_EQ(second.get("FRIENDLYNAME").toString(), "Subject");
    EXPECT_EQ(getDefault(getDefault(list.get(), {Variant(1.0)}).dispatch()).toString(),
              "ItemIndex");
    EXPECT_EQ(vorn::test::codeOf([&] { fields.get("Item", {Variant(std::int32_t{3})}); }),
              basicCode(BasicError::SubscriptOutOfRange));
}
