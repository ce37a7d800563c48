#include "platform/rdo/dialect/grouping_sets_rewriter.h"

#include "platform/rdo/dialect/dialect_error.h"
#include "platform/rdo/dialect/expression_rewriter.h"

#include <algorithm>
#include <bit>
#include <string>
#include <utility>
#include <vector>

namespace vorn::rdo::dialect {

namespace {

enum class Grouping { None, Cube, Rollup };

Grouping groupingOf(const SyntaxNode& select) {
    const SyntaxNode* groupBy = select.child(NodeKind::GroupBy);
    if (!groupBy) {
        return Grouping::None;
    }
    const auto* last = std::get_if<Token>(&groupBy->parts.back());
    if (last && last->is("CUBE")) {
        return Grouping::Cube;
    }
    if (last && last->is("ROLLUP")) {
        return Grouping::Rollup;
    }
    return Grouping::None;
}

// The grouping sets as bit masks over the GROUP BY columns (bit i: column i is
// grouped), the set of all columns first.
std::vector<unsigned> groupingSets(Grouping grouping, std::size_t columns) {
    const unsigned all = (1u << columns) - 1;
    std::vector<unsigned> sets;
    if (grouping == Grouping::Rollup) {
        for (std::size_t kept = columns + 1; kept-- > 0;) {
            sets.push_back((1u << kept) - 1);
        }
        return sets;
    }
    for (unsigned mask = all + 1; mask-- > 0;) {
        sets.push_back(mask);
    }
    std::stable_sort(sets.begin(), sets.end(),
                     [](unsigned a, unsigned b) { return std::popcount(a) > std::popcount(b); });
    return sets;
}

class BranchBuilder {
public:
    BranchBuilder(const SyntaxNode& select, std::vector<std::string> columns, unsigned kept)
        : select_(select), columns_(std::move(columns)), kept_(kept) {}

    NodePtr build() const {
        NodePtr branch = select_.clone();
        rebuildGroupBy(*branch);
        for (Part& part : branch->parts) {
            auto* node = std::get_if<NodePtr>(&part);
            if (node &&
                ((*node)->kind == NodeKind::SelectList || (*node)->kind == NodeKind::Having)) {
                substitute(**node);
            }
        }
        return branch;
    }

private:
    bool isKept(const std::string& canonical) const {
        for (std::size_t i = 0; i < columns_.size(); ++i) {
            if (columns_[i] == canonical) {
                return (kept_ & (1u << i)) != 0;
            }
        }
        return true;
    }

    bool isGroupColumn(const std::string& canonical) const {
        return std::find(columns_.begin(), columns_.end(), canonical) != columns_.end();
    }

    void rebuildGroupBy(SyntaxNode& branch) const {
        auto at = std::find_if(branch.parts.begin(), branch.parts.end(), [](const Part& part) {
            const auto* node = std::get_if<NodePtr>(&part);
            return node && (*node)->kind == NodeKind::GroupBy;
        });
        SyntaxNode& groupBy = *std::get<NodePtr>(*at);
        std::vector<NodePtr> keptColumns;
        for (std::size_t i = 0; i < groupBy.parts.size(); ++i) {
            auto* node = std::get_if<NodePtr>(&groupBy.parts[i]);
            if (node && isKept((*node)->canonical())) {
                keptColumns.push_back(std::move(*node));
            }
        }
        if (keptColumns.empty()) {
            branch.parts.erase(at);
            return;
        }
        std::vector<Part> parts;
        parts.push_back(std::move(groupBy.parts[0]));
        parts.push_back(std::move(groupBy.parts[1]));
        for (std::size_t i = 0; i < keptColumns.size(); ++i) {
            if (i > 0) {
                parts.emplace_back(makeToken(TokenKind::Symbol, ",", ""));
                keptColumns[i]->leading() = " ";
            }
            parts.emplace_back(std::move(keptColumns[i]));
        }
        groupBy.parts = std::move(parts);
    }

    // Replaces rolled-up columns by NULL and GROUPING(column) by its constant,
    // leaving the arguments of aggregates and subqueries alone.
    void substitute(SyntaxNode& node) const {
        for (Part& part : node.parts) {
            auto* slot = std::get_if<NodePtr>(&part);
            if (!slot) {
                continue;
            }
            SyntaxNode& child = **slot;
            if (child.kind == NodeKind::Subquery) {
                continue;
            }
            const std::string canonical = child.canonical();
            if (child.kind == NodeKind::Call && child.firstToken()->is("GROUPING")) {
                *slot = makeLiteral(groupingConstant(child), child.leading());
            } else if (isGroupColumn(canonical)) {
                if (!isKept(canonical)) {
                    *slot = makeLiteral("NULL", child.leading());
                }
            } else if (!isAggregateCall(child)) {
                substitute(child);
            }
        }
    }

    std::string groupingConstant(const SyntaxNode& call) const {
        const std::vector<SyntaxNode*> arguments = call.children();
        if (arguments.size() != 1 || !isGroupColumn(arguments.front()->canonical())) {
            throw DialectError::unsupported("GROUPING of a column not in GROUP BY");
        }
        return isKept(arguments.front()->canonical()) ? "0" : "1";
    }

    const SyntaxNode& select_;
    std::vector<std::string> columns_;
    unsigned kept_;
};

// Subqueries are left out: they are queries with a GROUP BY of their own.
bool containsGroupingCall(const SyntaxNode& node) {
    for (const SyntaxNode* child : node.children()) {
        if (child->kind == NodeKind::Subquery) {
            continue;
        }
        if ((child->kind == NodeKind::Call && child->firstToken()->is("GROUPING")) ||
            containsGroupingCall(*child)) {
            return true;
        }
    }
    return false;
}

} // namespace

void GroupingSetsRewriter::rewrite(SyntaxNode& root) const {
    if (root.kind == NodeKind::Query) {
        rewriteQuery(root);
    }
    forEachSlot(root, [this](NodePtr& slot) {
        if (slot->kind == NodeKind::Query) {
            rewriteQuery(*slot);
        }
    });
}

void GroupingSetsRewriter::useNativeGrouping(SyntaxNode& select) const {
    // GROUP BY a, b WITH CUBE  ->  GROUP BY CUBE(a, b)
    SyntaxNode& groupBy = *select.child(NodeKind::GroupBy);
    Token keyword = std::get<Token>(groupBy.parts.back());
    groupBy.parts.pop_back();
    groupBy.parts.pop_back(); // WITH
    auto call = makeNode(NodeKind::Call);
    keyword.text = keyword.is("CUBE") ? "CUBE" : "ROLLUP";
    keyword.leading = std::get<NodePtr>(groupBy.parts[2])->leading();
    std::get<NodePtr>(groupBy.parts[2])->leading().clear();
    call->parts.emplace_back(std::move(keyword));
    call->parts.emplace_back(makeToken(TokenKind::Symbol, "(", ""));
    for (std::size_t i = 2; i < groupBy.parts.size(); ++i) {
        call->parts.push_back(std::move(groupBy.parts[i]));
    }
    call->parts.emplace_back(makeToken(TokenKind::Symbol, ")", ""));
    groupBy.parts.resize(2);
    groupBy.parts.emplace_back(std::move(call));
}

void GroupingSetsRewriter::rewriteQuery(SyntaxNode& query) const {
    const std::vector<SyntaxNode*> selects = [&] {
        std::vector<SyntaxNode*> out;
        for (SyntaxNode* child : query.children()) {
            if (child->kind == NodeKind::Select) {
                out.push_back(child);
            }
        }
        return out;
    }();
    for (std::size_t s = 0; s < query.parts.size(); ++s) {
        auto* slot = std::get_if<NodePtr>(&query.parts[s]);
        if (!slot || (*slot)->kind != NodeKind::Select) {
            continue;
        }
        SyntaxNode& select = **slot;
        const Grouping grouping = groupingOf(select);
        if (grouping == Grouping::None) {
            if (containsGroupingCall(select)) {
                throw DialectError::unsupported("GROUPING without CUBE or ROLLUP");
            }
            continue;
        }
        if (target_ == Target::PostgreSQL) {
            useNativeGrouping(select);
            continue;
        }
        if (selects.size() > 1) {
            throw DialectError::unsupported("WITH CUBE or ROLLUP in a UNION");
        }
        std::vector<std::string> columns;
        for (SyntaxNode* column : select.child(NodeKind::GroupBy)->children()) {
            columns.push_back(column->canonical());
        }
        if (columns.size() > kMaxCubeColumns) {
            throw DialectError::unsupported("WITH CUBE over more than " +
                                            std::to_string(kMaxCubeColumns) + " columns");
        }
        // Drop "WITH CUBE" before the branches are cloned.
        SyntaxNode& groupBy = *select.child(NodeKind::GroupBy);
        groupBy.parts.resize(groupBy.parts.size() - 2);

        std::vector<Part> branches;
        for (unsigned kept : groupingSets(grouping, columns.size())) {
            if (!branches.empty()) {
                branches.emplace_back(makeToken(TokenKind::Word, "UNION"));
                branches.emplace_back(makeToken(TokenKind::Word, "ALL"));
            }
            NodePtr branch = BranchBuilder(select, columns, kept).build();
            if (!branches.empty()) {
                branch->leading() = " ";
            }
            branches.emplace_back(std::move(branch));
        }
        query.parts.erase(query.parts.begin() + static_cast<std::ptrdiff_t>(s));
        const std::size_t count = branches.size();
        query.parts.insert(query.parts.begin() + static_cast<std::ptrdiff_t>(s),
                           std::make_move_iterator(branches.begin()),
                           std::make_move_iterator(branches.end()));
        s += count - 1;
    }
}

} // namespace vorn::rdo::dialect
