// The objects the host hands the component, as the component sees them:
// late-bound, by name, position, key and full path.
#include "host/objects/field_list.h"
#include "host/objects/project_tree.h"
#include "platform/automation/com_error.h"
#include "platform/automation/late_bound.h"
#include "tests/support/error_code.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <tuple>

using namespace vorn::automation;
using namespace vorn::host;
using vorn::test::codeOf;

TEST(FieldSpecs, ParsesFieldCaptionAndWidthAndRejectsWhatCannotBeAColumn) {
    const auto specs = parseFieldSpecs("ItemIndex:Item:700,Subject:Subject:5000,Status");
    ASSERT_EQ(specs.size(), 3u);
    EXPECT_EQ(std::tuple(specs[0].fieldName, specs[0].friendlyName, specs[0].width),
              std::tuple("ItemIndex", "Item", 700));
    EXPECT_EQ(std::tuple(specs[2].friendlyName, specs[2].width), std::tuple("Status", 1440));
    EXPECT_EQ(parseFieldSpecs("A::").at(0).friendlyName, "");
    EXPECT_TRUE(parseFieldSpecs("").empty());
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
    EXPECT_EQ(codeOf([&] { fields.get("Item", {Variant(std::int32_t{3})}); }),
              basicCode(BasicError::SubscriptOutOfRange));
}

namespace {

class ProjectTreeTest : public ::testing::Test {
protected:
    Variant read(const Variant& object, const char* name) const {
        return getProperty(object.dispatch(), name);
    }
    std::string fullPathOf(const std::string& key) const {
        return read(getProperty(nodes.dispatch(), "Item", {Variant(key)}), "FullPath").toString();
    }
    Variant selected() const { return getProperty(tree.get(), "SelectedItem"); }

    ComPtr<ProjectTree> tree = makeObject<ProjectTree>(std::vector<ProjectRow>{
        {1, "Alpha", 0},
        {2, "Docs", 1},
        {3, "Drafts", 2},
        {-3, "Minus", std::nullopt},
        {4, "O'Brien's Tools", 99}, // parent names no project: top level
        {5, "Loop A", 6},
        {6, "Loop B", 5}, // a circle of parents
        {7, "Self", 7},
    });
    Variant nodes = getProperty(tree.get(), "Nodes");
};

} // namespace

TEST_F(ProjectTreeTest, FullPathsJoinTextsFromTheRootEvenInCirclesOfParents) {
    for (const auto& [key, path] : {std::pair{"Root", "Projects"},
                                    {"X3", "Projects\\Alpha\\Docs\\Drafts"},
                                    {"X-3", "Projects\\Minus"},
                                    {"X4", "Projects\\O'Brien's Tools"},
                                    {"X7", "Projects\\Self"}})
        EXPECT_EQ(fullPathOf(key), path) << key;
    // Circles of parents still give every project one node.
    EXPECT_EQ(fullPathOf("X5").rfind("Projects\\", 0), 0u);
    EXPECT_NE(fullPathOf("X5"), fullPathOf("X6"));
    EXPECT_EQ(read(nodes, "Count").toI4(), 9);
}

TEST_F(ProjectTreeTest, DefaultMemberAndKeysAreExactAndSelectByKeyOrPath) {
    const Variant node = getDefault(nodes.dispatch(), {Variant("X2")});
    EXPECT_EQ(read(node, "Key").toString(), "X2");
    EXPECT_EQ(read(node, "Text").toString(), "Docs");
    EXPECT_EQ(read(node, "Children").toI4(), 1);
    const HRESULT notFound = hr(0x800A0000u + 35601);
    EXPECT_EQ(codeOf([&] { getDefault(nodes.dispatch(), {Variant("x2")}); }), notFound);
    EXPECT_EQ(codeOf([&] { getDefault(nodes.dispatch(), {Variant("X 2")}); }), notFound);

    EXPECT_EQ(selected().dispatch(), nullptr);
    // Reading through an unselected tree fails the way a Basic host would see it.
    EXPECT_EQ(codeOf([&] { read(selected(), "FullPath"); }),
              basicCode(BasicError::ObjectVariableNotSet));
    tree->select("Projects\\Alpha\\Docs");
    EXPECT_EQ(read(selected(), "Key").toString(), "X2");
    tree->select("X-3");
    EXPECT_EQ(read(selected(), "FullPath").toString(), "Projects\\Minus");
    EXPECT_THROW(tree->select("Projects\\Nowhere"), ComError);
}
