#include "platform/rdo/dialect/dialect_error.h"
#include "platform/rdo/dialect/tokenizer.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace vorn::rdo::dialect {
namespace {

using Kind = TokenKind;

struct TokenCase {
    std::string sql;
    std::vector<std::pair<Kind, std::string>> tokens; // End left out
};

std::ostream& operator<<(std::ostream& out, const TokenCase& c) {
    return out << c.sql;
}

class TokenizerCases : public testing::TestWithParam<TokenCase> {};

TEST_P(TokenizerCases, splitsIntoTokensAndPrintsBack) {
    const TokenCase& c = GetParam();
    const std::vector<Token> tokens = tokenize(c.sql);
    ASSERT_EQ(tokens.size(), c.tokens.size() + 1);
    EXPECT_EQ(tokens.back().kind, Kind::End);
    std::string printed;
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        if (i < c.tokens.size()) {
            EXPECT_EQ(tokens[i].kind, c.tokens[i].first) << "token " << i;
            EXPECT_EQ(tokens[i].text, c.tokens[i].second) << "token " << i;
        }
        printed += tokens[i].leading + tokens[i].text;
    }
    EXPECT_EQ(printed, c.sql);
}

INSTANTIATE_TEST_SUITE_P(
    Table, TokenizerCases,
    testing::Values(
        TokenCase{"'O''Brien'", {{Kind::String, "'O''Brien'"}}},
        TokenCase{"''", {{Kind::String, "''"}}},
        TokenCase{"'Projects\\Alpha\\Docs'", {{Kind::String, "'Projects\\Alpha\\Docs'"}}},
        TokenCase{"[Total of ItemIndex]", {{Kind::QuotedName, "[Total of ItemIndex]"}}},
        TokenCase{
            "P1.[Total Of ItemIndex]",
            {{Kind::Word, "P1"}, {Kind::Symbol, "."}, {Kind::QuotedName, "[Total Of ItemIndex]"}}},
        TokenCase{"\"a \"\"b\"\"\"", {{Kind::QuotedName, "\"a \"\"b\"\"\""}}},
        TokenCase{" 42", {{Kind::Number, "42"}}},
        TokenCase{"-3", {{Kind::Symbol, "-"}, {Kind::Number, "3"}}},
        TokenCase{"ItemIndex= 42",
                  {{Kind::Word, "ItemIndex"}, {Kind::Symbol, "="}, {Kind::Number, "42"}}},
        TokenCase{"ProjectIndex=-3",
                  {{Kind::Word, "ProjectIndex"},
                   {Kind::Symbol, "="},
                   {Kind::Symbol, "-"},
                   {Kind::Number, "3"}}},
        TokenCase{"3.25 .5 1e3 2E-2",
                  {{Kind::Number, "3.25"},
                   {Kind::Number, ".5"},
                   {Kind::Number, "1e3"},
                   {Kind::Number, "2E-2"}}},
        TokenCase{"a<>b<=c>=d!=e||f",
                  {{Kind::Word, "a"},
                   {Kind::Symbol, "<>"},
                   {Kind::Word, "b"},
                   {Kind::Symbol, "<="},
                   {Kind::Word, "c"},
                   {Kind::Symbol, ">="},
                   {Kind::Word, "d"},
                   {Kind::Symbol, "!="},
                   {Kind::Word, "e"},
                   {Kind::Symbol, "||"},
                   {Kind::Word, "f"}}},
        TokenCase{
            "SELECT -- counts\n x /* a\n b */ FROM t",
            {{Kind::Word, "SELECT"}, {Kind::Word, "x"}, {Kind::Word, "FROM"}, {Kind::Word, "t"}}},
        TokenCase{"x -- to the end", {{Kind::Word, "x"}}},
        TokenCase{"Größe_1 = 'Ärger'",
                  {{Kind::Word, "Größe_1"}, {Kind::Symbol, "="}, {Kind::String, "'Ärger'"}}},
        TokenCase{"Count(*);",
                  {{Kind::Word, "Count"},
                   {Kind::Symbol, "("},
                   {Kind::Symbol, "*"},
                   {Kind::Symbol, ")"},
                   {Kind::Symbol, ";"}}},
        TokenCase{"WHERE(P1.Created",
                  {{Kind::Word, "WHERE"},
                   {Kind::Symbol, "("},
                   {Kind::Word, "P1"},
                   {Kind::Symbol, "."},
                   {Kind::Word, "Created"}}},
        TokenCase{"", {}}, TokenCase{"  \n", {}}));

TEST(Token, undoesQuotesInNamesAndStrings) {
    const std::vector<Token> tokens = tokenize("[a]]b] \"c\"\"d\" 'O''Brien' plain");
    EXPECT_EQ(tokens[0].name(), "a]b");
    EXPECT_EQ(tokens[1].name(), "c\"d");
    EXPECT_EQ(tokens[2].stringValue(), "O'Brien");
    EXPECT_EQ(tokens[3].name(), "plain");
    EXPECT_TRUE(tokens[3].is("PLAIN"));
    EXPECT_FALSE(tokens[2].is("O'Brien"));
}

struct MalformedCase {
    std::string sql;
    std::string construct;
};

std::ostream& operator<<(std::ostream& out, const MalformedCase& c) {
    return out << c.sql;
}

class TokenizerErrors : public testing::TestWithParam<MalformedCase> {};

TEST_P(TokenizerErrors, nameWhatIsUnterminated) {
    try {
        tokenize(GetParam().sql);
        FAIL() << "no error";
    } catch (const DialectError& e) {
        EXPECT_EQ(e.code(), kMalformedSql);
        EXPECT_EQ(e.construct(), GetParam().construct);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, TokenizerErrors,
    testing::Values(MalformedCase{"WHERE a = 'O''Brien", "unterminated string literal"},
                    MalformedCase{"SELECT [Total", "unterminated bracketed name"},
                    MalformedCase{"SELECT \"x", "unterminated quoted name"},
                    MalformedCase{"SELECT 1 /* no end", "unterminated comment"}));

} // namespace
} // namespace vorn::rdo::dialect
