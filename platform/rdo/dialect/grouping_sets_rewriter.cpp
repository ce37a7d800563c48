#include "platform/rdo/dialect/grouping_sets_rewriter.h"

#include "platform/rdo/dialect/dialect_error.h"
#include "platform/rdo/dialect/expression_rewriter.h"
#include "platform/rdo/dialect/not_null_columns.h"

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

// The GROUP BY columns (as a bit mask) whose rolled-up rows the enclosing query
// throws away: the select list names them plainly and that name is in
// `notNull`.
unsigned columnsRequiredNotNull(const SyntaxNode& select, const std::vector<std::string>& columns,
                                const std::set<std::string>& notNull) {
    unsigned mask = 0;
    const SyntaxNode* list = select.child(NodeKind::SelectList);
    if (!list || notNull.empty()) {
        return mask;
    }
    for (const SyntaxNode* item : list->children()) {
        const std::vector<SyntaxNode*> parts = item->children();
        if (parts.empty() || !notNull.contains(outputName(*item))) {
            continue;
        }
        const std::string expression = parts.front()->canonical();
        for (std::size_t i = 0; i < columns.size(); ++i) {
            if (columns[i] == expression) {
                mask |= 1u << i;
            }
        }
    }
    return mask;
}

std::vector<unsigned> keptSets(std::vector<unsigned> sets, unsigned required) {
    std::erase_if(sets, [required](unsigned kept) { return (kept & required) != required; });
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
        if (kept_ == 0) {
            keepOneRow(*branch);
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

    // The grand-total set gives one row even from no rows. Without GROUP BY,
    // SQLite gives that only for a query with an aggregate in its select
    // list, so one that has none gets an aggregate that leaves its first
    // value as it is: CASE WHEN Count(*) >= 0 THEN value END.
    static void keepOneRow(SyntaxNode& branch) {
        SyntaxNode& list = *branch.child(NodeKind::SelectList);
        if (containsAggregate(list)) {
            return;
        }
        // A select item that was a rolled-up column is a NULL of its own by now.
        NodePtr* slot = &std::get<NodePtr>(list.parts.front());
        if ((*slot)->kind == NodeKind::SelectItem) {
            slot = &std::get<NodePtr>((*slot)->parts.front());
        }
        NodePtr& value = *slot;
        if (value->kind == NodeKind::Name && value->print().ends_with("*")) {
            throw DialectError::unsupported("* in a SELECT WITH CUBE or ROLLUP");
        }
        auto count = makeNode(NodeKind::Call);
        count->parts.emplace_back(makeToken(TokenKind::Word, "Count", ""));
        count->parts.emplace_back(makeToken(TokenKind::Symbol, "(", ""));
        auto star = makeNode(NodeKind::Name);
        star->parts.emplace_back(makeToken(TokenKind::Symbol, "*", ""));
        count->parts.emplace_back(std::move(star));
        count->parts.emplace_back(makeToken(TokenKind::Symbol, ")", ""));
        auto guard = makeNode(NodeKind::Case);
        guard->parts.emplace_back(makeToken(TokenKind::Word, "CASE", value->leading()));
        guard->parts.emplace_back(makeToken(TokenKind::Word, "WHEN"));
        auto test = makeNode(NodeKind::Comparison);
        count->leading() = " ";
        test->parts.emplace_back(std::move(count));
        test->parts.emplace_back(makeToken(TokenKind::Symbol, ">="));
        test->parts.emplace_back(makeLiteral("0"));
        guard->parts.emplace_back(std::move(test));
        guard->parts.emplace_back(makeToken(TokenKind::Word, "THEN"));
        value->leading() = " ";
        guard->parts.emplace_back(std::move(value));
        guard->parts.emplace_back(makeToken(TokenKind::Word, "END"));
        value = std::move(guard);
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
            }
            // A column written straight after a comma ("a,b") would run into BY.
            keptColumns[i]->leading() = " ";
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
    // Read before any rewrite: the outer WHEREs still name the derived tables'
    // columns as written.
    const NotNullColumns notNull = findNotNullColumns(root);
    const auto rewriteOne = [&](SyntaxNode& query) {
        const auto found = notNull.find(&query);
        rewriteQuery(query, found == notNull.end() ? std::set<std::string>() : found->second);
    };
    if (root.kind == NodeKind::Query) {
        rewriteOne(root);
    }
    forEachSlot(root, [&](NodePtr& slot) {
        if (slot->kind == NodeKind::Query) {
            rewriteOne(*slot);
        }
    });
}

void GroupingSetsRewriter::useGroupingSets(SyntaxNode& select,
                                           const std::vector<unsigned>& sets) const {
    // GROUP BY a, b WITH CUBE  ->  GROUP BY GROUPING SETS ((a, b), (a))
    SyntaxNode& groupBy = *select.child(NodeKind::GroupBy);
    std::vector<NodePtr> columns;
    for (std::size_t i = 2; i + 2 < groupBy.parts.size(); ++i) {
        if (auto* node = std::get_if<NodePtr>(&groupBy.parts[i])) {
            columns.push_back(std::move(*node));
        }
    }
    auto list = makeNode(NodeKind::Expression);
    list->parts.emplace_back(makeToken(TokenKind::Word, "GROUPING"));
    list->parts.emplace_back(makeToken(TokenKind::Word, "SETS"));
    list->parts.emplace_back(makeToken(TokenKind::Symbol, "(", " "));
    for (std::size_t s = 0; s < sets.size(); ++s) {
        if (s > 0) {
            list->parts.emplace_back(makeToken(TokenKind::Symbol, ",", ""));
        }
        list->parts.emplace_back(makeToken(TokenKind::Symbol, "(", s > 0 ? " " : ""));
        bool first = true;
        for (std::size_t i = 0; i < columns.size(); ++i) {
            if ((sets[s] & (1u << i)) == 0) {
                continue;
            }
            if (!first) {
                list->parts.emplace_back(makeToken(TokenKind::Symbol, ",", ""));
            }
            NodePtr column = columns[i]->clone();
            column->leading() = first ? "" : " ";
            list->parts.emplace_back(std::move(column));
            first = false;
        }
        list->parts.emplace_back(makeToken(TokenKind::Symbol, ")", ""));
    }
    list->parts.emplace_back(makeToken(TokenKind::Symbol, ")", ""));
    groupBy.parts.resize(2);
    groupBy.parts.emplace_back(std::move(list));
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

void GroupingSetsRewriter::rewriteQuery(SyntaxNode& query,
                                        const std::set<std::string>& notNull) const {
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
        std::vector<std::string> columns;
        for (SyntaxNode* column : select.child(NodeKind::GroupBy)->children()) {
            columns.push_back(column->canonical());
        }
        if (target_ == Target::PostgreSQL) {
            // Beyond kMaxCubeColumns the sets are not worth listing: CUBE stays.
            const unsigned required = columns.size() <= kMaxCubeColumns
                                          ? columnsRequiredNotNull(select, columns, notNull)
                                          : 0;
            if (required == 0) {
                useNativeGrouping(select);
            } else {
                useGroupingSets(select, keptSets(groupingSets(grouping, columns.size()), required));
            }
            continue;
        }
        if (selects.size() > 1) {
            throw DialectError::unsupported("WITH CUBE or ROLLUP in a UNION");
        }
        if (columns.size() > kMaxCubeColumns) {
            throw DialectError::unsupported("WITH CUBE over more than " +
                                            std::to_string(kMaxCubeColumns) + " columns");
        }
        const unsigned required = columnsRequiredNotNull(select, columns, notNull);
        // Drop "WITH CUBE" before the branches are cloned.
        SyntaxNode& groupBy = *select.child(NodeKind::GroupBy);
        groupBy.parts.resize(groupBy.parts.size() - 2);

        std::vector<Part> branches;
        for (unsigned kept : keptSets(groupingSets(grouping, columns.size()), required)) {
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
