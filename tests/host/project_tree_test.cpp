// The host's project tree as the component sees it: late-bound, by key and by
// full path.
#include "host/objects/project_tree.h"
#include "platform/automation/com_error.h"
#include "platform/automation/late_bound.h"
#include "tests/support/error_code.h"

#include <gtest/gtest.h>

using namespace vorn::automation;
using vorn::host::ProjectRow;
using vorn::host::ProjectTree;

using vorn::test::codeOf;

namespace {

std::vector<ProjectRow> sampleProjects() {
    return {
        {1, "Alpha", 0},
        {2, "Docs", 1},
        {3, "Drafts", 2},
        {-3, "Minus", std::nullopt},
        {4, "O'Brien's Tools", 99}, // parent names no project: top level
        {5, "Loop A", 6},
        {6, "Loop B", 5}, // a circle of parents
        {7, "Self", 7},
    };
}

std::string fullPathOf(IDispatch* tree, const std::string& key) {
    LateBound nodes(getProperty(tree, "Nodes"));
    const Variant node = nodes.get("Item", {Variant(key)});
    return getProperty(node.dispatch(), "FullPath").toString();
}

} // namespace

TEST(ProjectTree, FullPathsJoinTextsFromTheRootEvenInCirclesOfParents) {
    auto tree = makeObject<ProjectTree>(sampleProjects());
    EXPECT_EQ(fullPathOf(tree.get(), "X1"), "Projects\\Alpha");
    EXPECT_EQ(fullPathOf(tree.get(), "X3"), "Projects\\Alpha\\Docs\\Drafts");
    EXPECT_EQ(fullPathOf(tree.get(), "X-3"), "Projects\\Minus");
    EXPECT_EQ(fullPathOf(tree.get(), "X4"), "Projects\\O'Brien's Tools");
    EXPECT_EQ(fullPathOf(tree.get(), "Root"), "Projects");
    // Circles of parents still give every project one node.
    const std::string a = fullPathOf(tree.get(), "X5");
    const std::string b = fullPathOf(tree.get(), "X6");
    EXPECT_TRUE(a.rfind("Projects\\", 0) == 0);
    EXPECT_NE(a, b);
    EXPECT_EQ(fullPathOf(tree.get(), "X7"), "Projects\\Self");
    EXPECT_EQ(getProperty(getProperty(tree.get(), "Nodes").dispatch(), "Count").toI4(), 9);
}

TEST(ProjectTree, DefaultMemberAndKeysAreExact) {
    auto tree = makeObject<ProjectTree>(sampleProjects());
    const Variant nodes = getProperty(tree.get(), "Nodes");
    const Variant node = getDefault(nodes.dispatch(), {Variant("X2")});
    EXPECT_EQ(getProperty(node.dispatch(), "Key").toString(), "X2");
    EXPECT_EQ(getProperty(node.dispatch(), "Text").toString(), "Docs");
    EXPECT_EQ(getProperty(node.dispatch(), "Children").toI4(), 1);
    const HRESULT notFound = hr(0x800A0000u + 35601);
    EXPECT_EQ(codeOf([&] { getDefault(nodes.dispatch(), {Variant("x2")}); }), notFound);
    EXPECT_EQ(codeOf([&] { getDefault(nodes.dispatch(), {Variant("X 2")}); }), notFound);
}

TEST(ProjectTree, SelectedItemByKeyOrPath) {
    auto tree = makeObject<ProjectTree>(sampleProjects());
    EXPECT_EQ(getProperty(tree.get(), "SelectedItem").dispatch(), nullptr);
    // Reading through an unselected tree fails the way a Basic host would see it.
    EXPECT_EQ(codeOf([&] {
                  getProperty(getProperty(tree.get(), "SelectedItem").dispatch(), "FullPath");
              }),
              basicCode(BasicError::ObjectVariableNotSet));
    tree->select("Projects\\Alpha\\Docs");
    EXPECT_EQ(getProperty(getProperty(tree.get(), "SelectedItem").dispatch(), "Key").toString(),
              "X2");
    tree->select("X-3");
    EXPECT_EQ(
        getProperty(getProperty(tree.get(), "SelectedItem").dispatch(), "FullPath").toString(),
        "Projects\\Minus");
    EXPECT_THROW(tree->select("Projects\\Nowhere"), ComError);
}
