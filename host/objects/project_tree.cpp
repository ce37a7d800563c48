#include "host/objects/project_tree.h"

#include "platform/automation/com_error.h"

#include <array>
#include <functional>
#include <unordered_map>

namespace vorn::host {

using namespace automation;

struct TreeData {
    struct Node {
        std::string key;
        std::string text;
        std::optional<std::size_t> parent;
        std::int32_t children = 0;
    };
    std::vector<Node> nodes; // the root first
    std::unordered_map<std::string, std::size_t> byKey;
};

namespace {

// The tree control's own error for a key it does not hold.
ComError elementNotFound(const std::string& what) {
    return ComError(hr(0x800A0000u + 35601), "Element not found: " + what);
}

std::string pathOf(const TreeData& tree, std::size_t node) {
    std::string path = tree.nodes[node].text;
    for (auto p = tree.nodes[node].parent; p; p = tree.nodes[*p].parent)
        path = tree.nodes[*p].text + "\\" + path;
    return path;
}

} // namespace

ProjectTree::ProjectTree(const std::vector<ProjectRow>& projects)
    : tree_(std::make_shared<TreeData>()) {
    TreeData& t = *tree_;
    t.nodes.push_back({kRootKey, "Projects", std::nullopt, 0});
    t.byKey.emplace(kRootKey, 0);
    std::unordered_map<std::int32_t, const ProjectRow*> rows;
    for (const auto& row : projects)
        rows.emplace(row.index, &row);

    // Adds a project after its ancestors. A parent that names no project, or a
    // chain of parents that runs in a circle, puts the project under the root.
    std::unordered_map<std::int32_t, std::size_t> placed;
    std::function<std::size_t(const ProjectRow&, int)> place = [&](const ProjectRow& row,
                                                                   int depth) -> std::size_t {
        if (auto it = placed.find(row.index); it != placed.end())
            return it->second;
        std::size_t parent = 0;
        if (row.parent && *row.parent != row.index && depth < static_cast<int>(rows.size())) {
            if (auto p = rows.find(*row.parent); p != rows.end())
                parent = place(*p->second, depth + 1);
        }
        if (auto it = placed.find(row.index); it != placed.end())
            return it->second; // placed while walking a circle
        const std::size_t node = t.nodes.size();
        t.nodes.push_back({"X" + std::to_string(row.index), row.name, parent, 0});
        ++t.nodes[parent].children;
        t.byKey.emplace(t.nodes.back().key, node);
        placed.emplace(row.index, node);
        return node;
    };
    for (const auto& row : projects)
        place(row, 0);
}

ComPtr<ProjectNodes> ProjectTree::nodes() const {
    return makeObject<ProjectNodes>(tree_);
}

ComPtr<ProjectNode> ProjectTree::selectedItem() const {
    if (!selected_)
        return {};
    return makeObject<ProjectNode>(tree_, *selected_);
}

void ProjectTree::select(const std::string& keyOrPath) {
    if (auto it = tree_->byKey.find(keyOrPath); it != tree_->byKey.end()) {
        selected_ = it->second;
        return;
    }
    for (std::size_t i = 0; i < tree_->nodes.size(); ++i)
        if (pathOf(*tree_, i) == keyOrPath) {
            selected_ = i;
            return;
        }
    throw elementNotFound(keyOrPath);
}

std::int32_t ProjectNodes::count() const {
    return static_cast<std::int32_t>(tree_->nodes.size());
}

ComPtr<ProjectNode> ProjectNodes::item(const Variant& keyOrIndex) const {
    const Variant v = keyOrIndex.dereferenced();
    if (v.type() == VT_BSTR) {
        const std::string key = v.toString();
        auto it = tree_->byKey.find(key);
        if (it == tree_->byKey.end())
            throw elementNotFound(key);
        return makeObject<ProjectNode>(tree_, it->second);
    }
    const std::int32_t index = v.toI4();
    if (index < 1 || index > count())
        throw ComError(BasicError::SubscriptOutOfRange);
    return makeObject<ProjectNode>(tree_, static_cast<std::size_t>(index - 1));
}

ProjectNode::ProjectNode(std::shared_ptr<const TreeData> tree, std::size_t node)
    : tree_(std::move(tree)), node_(node) {}

const std::string& ProjectNode::key() const {
    return tree_->nodes[node_].key;
}
const std::string& ProjectNode::text() const {
    return tree_->nodes[node_].text;
}
std::string ProjectNode::fullPath() const {
    return pathOf(*tree_, node_);
}
std::int32_t ProjectNode::children() const {
    return tree_->nodes[node_].children;
}

namespace {

Variant nodeKey(ProjectNode& n, const Args&) {
    return Variant(n.key());
}
Variant nodeText(ProjectNode& n, const Args&) {
    return Variant(n.text());
}
Variant nodeFullPath(ProjectNode& n, const Args&) {
    return Variant(n.fullPath());
}
Variant nodeChildren(ProjectNode& n, const Args&) {
    return Variant(n.children());
}

constexpr std::array<Member<ProjectNode>, 4> kNodeMembers{{
    {"Text", DISPID_VALUE, MemberKind::Get, 0, 0, nodeText},
    {"Key", 1, MemberKind::Get, 0, 0, nodeKey},
    {"FullPath", 2, MemberKind::Get, 0, 0, nodeFullPath},
    {"Children", 3, MemberKind::Get, 0, 0, nodeChildren},
}};

Variant nodesItem(ProjectNodes& n, const Args& a) {
    return Variant(static_cast<IDispatch*>(n.item(a.value(0)).get()));
}
Variant nodesCount(ProjectNodes& n, const Args&) {
    return Variant(n.count());
}

constexpr std::array<Member<ProjectNodes>, 2> kNodesMembers{{
    {"Item", DISPID_VALUE, MemberKind::Get, 1, 1, nodesItem},
    {"Count", 1, MemberKind::Get, 0, 0, nodesCount},
}};

Variant treeNodes(ProjectTree& t, const Args&) {
    return Variant(static_cast<IDispatch*>(t.nodes().get()));
}
Variant treeSelectedItem(ProjectTree& t, const Args&) {
    return Variant(static_cast<IDispatch*>(t.selectedItem().get()));
}

constexpr std::array<Member<ProjectTree>, 2> kTreeMembers{{
    {"Nodes", 1, MemberKind::Get, 0, 0, treeNodes},
    {"SelectedItem", 2, MemberKind::Get, 0, 0, treeSelectedItem},
}};

} // namespace

std::span<const Member<ProjectNode>> ProjectNode::members() {
    return kNodeMembers;
}
std::span<const Member<ProjectNodes>> ProjectNodes::members() {
    return kNodesMembers;
}
std::span<const Member<ProjectTree>> ProjectTree::members() {
    return kTreeMembers;
}

} // namespace vorn::host
