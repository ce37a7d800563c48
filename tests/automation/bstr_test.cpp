#include "platform/automation/bstr.h"
#include "platform/automation/utf.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace vorn::automation;

TEST(Bstr, LayoutIsLengthPrefixedAndTerminatedAndNullIsEmpty) {
    BSTR text = allocBstr(u"Vorn");
    std::uint32_t bytes = 0;
    std::memcpy(&bytes, reinterpret_cast<unsigned char*>(text) - 4, 4);
    EXPECT_EQ(bytes, 8u);
    EXPECT_EQ(text[4], u'\0');
    EXPECT_EQ(bstrLength(text), 4u);
    freeBstr(text);
    // A null BSTR is the empty string.
    EXPECT_EQ(bstrLength(nullptr), 0u);
    EXPECT_TRUE(bstrView(nullptr).empty());
    EXPECT_EQ(bstrToUtf8(nullptr), "");
    freeBstr(nullptr); // harmless
}

struct Utf8Case {
    std::u16string utf16;
    std::string utf8;
};

class Utf : public ::testing::TestWithParam<Utf8Case> {};

TEST_P(Utf, RoundTripsExactly) {
    const auto& c = GetParam();
    EXPECT_EQ(toUtf8(c.utf16), c.utf8);
    EXPECT_EQ(toUtf16(c.utf8), c.utf16);
}

INSTANTIATE_TEST_SUITE_P(
    Strings, Utf,
    ::testing::Values(Utf8Case{u"", ""}, Utf8Case{u"plain", "plain"},
                      Utf8Case{std::u16string(u"a\0b", 3), std::string("a\0b", 3)},
                      Utf8Case{u"Zo\u00eb \u0141\u00f3d\u017a",
                               "Zo\xc3\xab \xc5\x81\xc3\xb3\x64\xc5\xba"},
                      Utf8Case{u"\u20ac", "\xe2\x82\xac"},
                      // a surrogate pair becomes one four-byte sequence
                      Utf8Case{u"\U0001F41B", "\xf0\x9f\x90\x9b"},
                      // a lone surrogate is carried through rather than lost
                      Utf8Case{std::u16string(1, char16_t(0xD800)), "\xed\xa0\x80"}));

TEST(Utf, MalformedUtf8BecomesReplacementCharacters) {
    EXPECT_EQ(toUtf16("a\xff"
                      "b"),
              u"a\uFFFDb");
    EXPECT_EQ(toUtf16("\xe2\x82"), u"\uFFFD\uFFFD"); // truncated sequence
    EXPECT_EQ(toUtf16("\xc0\xaf"), u"\uFFFD\uFFFD"); // overlong form of '/'
}
