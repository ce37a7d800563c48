#include "platform/rdo/dialect/dialect_error.h"
#include "platform/rdo/dialect/tokenizer.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace vorn::rdo::dialect {
namespace {

// Each token as its kind's letter and its text: "w:Word", "s:Symbol",
// "n:Number", "t:'text'", "q:[quoted name]".
std::string spelled(const Token& token) {
    static const std::map<TokenKind, std::string> letters{
        {TokenKind::Word, "w:"},   {TokenKind::Symbol, "s:"},     {TokenKind::Number, "n:"},
        {TokenKind::String, "t:"}, {TokenKind::QuotedName, "q:"}, {TokenKind::End, "end:"}};
    return letters.at(token.kind) + token.text;
}

struct TokenCase {
    std::string sql;
    std::vector<std::string> tokens; // spelled, End left out
};

void PrintTo(const TokenCase& c, std::ostream* out) {
    *out << c.sql;
}

class TokenizerCases : public testing::TestWithParam<TokenCase> {};

TEST_P(TokenizerCases, splitsIntoTokensAndPrintsBack) {
    const std::vector<Token> tokens = tokenize(GetParam().sql);
    ASSERT_FALSE(tokens.empty());
    EXPECT_EQ(tokens.back().kind, TokenKind::End);
    std::vector<std::string> spelledTokens;
    std::string printed;
    for (const Token& token : tokens) {
        if (&token != &tokens.back())
            spelledTokens.push_back(spelled(token));
        printed += token.leading + token.text;
    }
    EXPECT_EQ(spelledTokens, GetParam().tokens);
    EXPECT_EQ(printed, GetParam().sql);
}

INSTANTIATE_TEST_SUITE_P(
    Table, TokenizerCases,
    testing::Values(TokenCase{"'O''Brien'", {"t:'O''Brien'"}}, TokenCase{"''", {"t:''"}},
                    TokenCase{"'Projects\\Alpha\\Docs'", {"t:'Projects\\Alpha\\Docs'"}},
                    TokenCase{"[Total of ItemIndex]", {"q:[Total of ItemIndex]"}},
                    TokenCase{"P1.[Total Of ItemIndex]", {"w:P1", "s:.", "q:[Total Of ItemIndex]"}},
                    TokenCase{"\"a \"\"b\"\"\"", {"q:\"a \"\"b\"\"\""}},
                    TokenCase{"ItemIndex= 42", {"w:ItemIndex", "s:=", "n:42"}},
                    TokenCase{"ProjectIndex=-3", {"w:ProjectIndex", "s:=", "s:-", "n:3"}},
                    TokenCase{"3.25 .5 1e3 2E-2", {"n:3.25", "n:.5", "n:1e3", "n:2E-2"}},
                    TokenCase{"a<>b<=c>=d!=e||f",
                              {"w:a", "s:<>", "w:b", "s:<=", "w:c", "s:>=", "w:d", "s:!=", "w:e",
                               "s:||", "w:f"}},
                    TokenCase{"SELECT -- counts\n x /* a\n b */ FROM t",
                              {"w:SELECT", "w:x", "w:FROM", "w:t"}},
                    TokenCase{"x -- to the end", {"w:x"}},
                    TokenCase{"Größe_1 = 'Ärger'", {"w:Größe_1", "s:=", "t:'Ärger'"}},
                    TokenCase{"Count(*);", {"w:Count", "s:(", "s:*", "s:)", "s:;"}},
                    TokenCase{"WHERE(P1.Created", {"w:WHERE", "s:(", "w:P1", "s:.", "w:Created"}},
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

} // namespace
} // namespace vorn::rdo::dialect
