#include "platform/rdo/dialect/crosstab_rewriter.h"

#include "platform/rdo/dialect/dialect_error.h"
#include "platform/rdo/dialect/expression_rewriter.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

namespace vorn::rdo::dialect {

namespace {

// Count and Sum of cells that land in one column add up; judged from the
// call itself, never from how the text happens to be spaced.
bool isAdditiveAggregate(const SyntaxNode& aggregate) {
    const Token* name = aggregate.firstToken();
    return isAggregateCall(aggregate) && name &&
           (name->is("COUNT") || name->is("COUNT_BIG") || name->is("SUM"));
}

SyntaxNode& expressionOf(const SyntaxNode& item) {
    return *std::get<NodePtr>(item.parts.front());
}

// The name Access gives the column of a SELECT item.
std::string columnName(const SyntaxNode& item, std::size_t position) {
    if (item.parts.size() > 1) {
        return std::get<Token>(item.parts.back()).name();
    }
    const SyntaxNode& expression = expressionOf(item);
    if (expression.kind == NodeKind::Name) {
        const Token& last = std::get<Token>(expression.parts.back());
        if (last.isSymbol("*")) {
            throw DialectError::unsupported("* in the SELECT list of a TRANSFORM");
        }
        return last.name();
    }
    return "Expr" + std::to_string(1000 + position);
}

NodePtr aliased(NodePtr expression, const char* alias) {
    auto item = makeNode(NodeKind::SelectItem);
    expression->leading() = " ";
    item->parts.emplace_back(std::move(expression));
    item->parts.emplace_back(makeToken(TokenKind::Word, "AS"));
    item->parts.emplace_back(makeToken(TokenKind::Word, alias));
    return item;
}

void appendItems(SyntaxNode& select, std::vector<NodePtr> items) {
    SyntaxNode& list = *select.child(NodeKind::SelectList);
    for (NodePtr& item : items) {
        list.parts.emplace_back(makeToken(TokenKind::Symbol, ",", ""));
        list.parts.emplace_back(std::move(item));
    }
}

std::vector<std::string> fixedValues(const SyntaxNode& pivot) {
    std::vector<std::string> values;
    const SyntaxNode& list = *pivot.children().back();
    for (const SyntaxNode* value : list.children()) {
        const Token* token = value->firstToken();
        if (value->kind != NodeKind::Literal || !token || token->is("NULL")) {
            throw DialectError::unsupported("PIVOT IN with a value that is not a constant");
        }
        values.push_back(token->kind == TokenKind::String ? token->stringValue() : token->text);
    }
    return values;
}

} // namespace

Crosstab CrosstabRewriter::rewrite(NodePtr& statement) const {
    SyntaxNode& transform = *statement;
    const SyntaxNode& aggregate = expressionOf(*std::get<NodePtr>(transform.parts[1]));
    const SyntaxNode& select = *std::get<NodePtr>(transform.parts[2]);
    const SyntaxNode& pivot = *std::get<NodePtr>(transform.parts[3]);
    const SyntaxNode& pivotValue = *std::get<NodePtr>(pivot.parts[1]);

    if (select.child(NodeKind::Having)) {
        throw DialectError::unsupported("HAVING in TRANSFORM");
    }
    const SyntaxNode* groupBy = select.child(NodeKind::GroupBy);
    if (!groupBy) {
        throw DialectError::unsupported("TRANSFORM without GROUP BY");
    }
    if (std::holds_alternative<Token>(groupBy->parts.back())) {
        throw DialectError::unsupported("WITH CUBE or ROLLUP in TRANSFORM");
    }

    Crosstab layout;
    std::vector<std::size_t> headingPositions;
    std::vector<std::string> headings;
    const std::vector<SyntaxNode*> items = select.child(NodeKind::SelectList)->children();
    for (std::size_t i = 0; i < items.size(); ++i) {
        layout.columns.push_back(columnName(*items[i], i));
        if (!containsAggregate(expressionOf(*items[i]))) {
            headingPositions.push_back(i);
            headings.push_back(expressionOf(*items[i]).canonical());
        }
    }
    for (const SyntaxNode* column : groupBy->children()) {
        if (std::find(headings.begin(), headings.end(), column->canonical()) == headings.end()) {
            throw DialectError::unsupported("TRANSFORM grouping by a column it does not select");
        }
    }
    layout.additiveCells = isAdditiveAggregate(aggregate);
    layout.pivotColumn = items.size();
    layout.cellColumn = items.size() + 1;
    layout.kindColumn = items.size() + 2;
    if (pivot.parts.size() > 2) {
        layout.fixedPivotValues = fixedValues(pivot);
    }

    NodePtr headers = select.clone();
    headers->leading() = std::get<Token>(transform.parts[0]).leading;
    {
        std::vector<NodePtr> extra;
        extra.push_back(aliased(makeLiteral("NULL"), kPivotAlias));
        extra.push_back(aliased(makeLiteral("NULL"), kCellAlias));
        extra.push_back(aliased(makeLiteral("0"), kKindAlias));
        appendItems(*headers, std::move(extra));
    }

    NodePtr cells = select.clone();
    cells->leading() = " ";
    for (SyntaxNode* item : cells->child(NodeKind::SelectList)->children()) {
        NodePtr& expression = std::get<NodePtr>(item->parts.front());
        if (containsAggregate(*expression)) {
            expression = makeLiteral("NULL", expression->leading());
        }
    }
    {
        std::vector<NodePtr> extra;
        extra.push_back(aliased(pivotValue.clone(), kPivotAlias));
        extra.push_back(aliased(aggregate.clone(), kCellAlias));
        extra.push_back(aliased(makeLiteral("1"), kKindAlias));
        appendItems(*cells, std::move(extra));
    }
    SyntaxNode& cellGroups = *cells->child(NodeKind::GroupBy);
    cellGroups.parts.emplace_back(makeToken(TokenKind::Symbol, ",", ""));
    NodePtr groupedPivot = pivotValue.clone();
    groupedPivot->leading() = " ";
    cellGroups.parts.emplace_back(std::move(groupedPivot));

    auto order = makeNode(NodeKind::OrderBy);
    order->parts.emplace_back(makeToken(TokenKind::Word, "ORDER"));
    order->parts.emplace_back(makeToken(TokenKind::Word, "BY"));
    headingPositions.push_back(layout.kindColumn);
    for (std::size_t i = 0; i < headingPositions.size(); ++i) {
        if (i > 0) {
            order->parts.emplace_back(makeToken(TokenKind::Symbol, ",", ""));
        }
        order->parts.emplace_back(makeLiteral(std::to_string(headingPositions[i] + 1)));
    }

    auto query = makeNode(NodeKind::Query);
    query->parts.emplace_back(std::move(headers));
    query->parts.emplace_back(makeToken(TokenKind::Word, "UNION"));
    query->parts.emplace_back(makeToken(TokenKind::Word, "ALL"));
    query->parts.emplace_back(std::move(cells));
    query->parts.emplace_back(std::move(order));
    // The statement's own end: an optional ";" and the trailing comments.
    for (std::size_t i = 4; i < transform.parts.size(); ++i) {
        query->parts.push_back(std::move(transform.parts[i]));
    }
    statement = std::move(query);
    return layout;
}

} // namespace vorn::rdo::dialect
