// The host's project tree as the component reaches it late-bound: `Nodes`
// with `Item(key)` (also the default member), nodes with `Key`, `Text`,
// `FullPath` and `Children`, and `SelectedItem`. Built from the tracker's
// `Projects` table: one root "Projects", each project keyed "X" followed by its
// ProjectIndex, under its parent project or, when the parent names no project,
// under the root.
#pragma once

#include "platform/automation/dispatch_object.h"

#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace vorn::host {

struct ProjectRow {
    std::int32_t index = 0;
    std::string name;
    std::optional<std::int32_t> parent; // none: a null ProjectParent
};

struct TreeData; // nodes shared by the tree and every node object handed out

class ProjectNode final : public automation::DispatchObject<automation::IDispatch, ProjectNode> {
public:
    ProjectNode(std::shared_ptr<const TreeData> tree, std::size_t node);
    static std::span<const automation::Member<ProjectNode>> members();

    const std::string& key() const;
    const std::string& text() const;
    std::string fullPath() const;
    std::int32_t children() const;

private:
    friend class automation::DispatchObject<automation::IDispatch, ProjectNode>;
    ~ProjectNode() = default;
    std::shared_ptr<const TreeData> tree_;
    std::size_t node_;
};

class ProjectNodes final : public automation::DispatchObject<automation::IDispatch, ProjectNodes> {
public:
    explicit ProjectNodes(std::shared_ptr<const TreeData> tree) : tree_(std::move(tree)) {}
    static std::span<const automation::Member<ProjectNodes>> members();

    std::int32_t count() const;
    /// By key ("X12", "Root") or 1-based position. \throws ComError "Element not found"
    automation::ComPtr<ProjectNode> item(const automation::Variant& keyOrIndex) const;

private:
    friend class automation::DispatchObject<automation::IDispatch, ProjectNodes>;
    ~ProjectNodes() = default;
    std::shared_ptr<const TreeData> tree_;
};

class ProjectTree final : public automation::DispatchObject<automation::IDispatch, ProjectTree> {
public:
    explicit ProjectTree(const std::vector<ProjectRow>& projects);
    static std::span<const automation::Member<ProjectTree>> members();

    automation::ComPtr<ProjectNodes> nodes() const;
    /// The selected node; none until select() is called.
    automation::ComPtr<ProjectNode> selectedItem() const;
    /// Selects by key, or by full path ("Projects\Alpha\Docs").
    /// \throws ComError when no node has that key or path.
    void select(const std::string& keyOrPath);

private:
    friend class automation::DispatchObject<automation::IDispatch, ProjectTree>;
    ~ProjectTree() = default;
    std::shared_ptr<TreeData> tree_;
    std::optional<std::size_t> selected_;
};

/// The key of the root node.
inline constexpr const char* kRootKey = "Root";

} // namespace vorn::host
