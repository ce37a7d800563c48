#include "platform/rdo/column_name.h"

#include <gtest/gtest.h>

namespace {

struct NamePair {
    std::u16string_view a;
    std::u16string_view b;
    bool equal;
};

void PrintTo(const NamePair& c, std::ostream* out) {
    *out << c.a.size() << "/" << c.b.size();
}

class ColumnNames : public testing::TestWithParam<NamePair> {};

TEST_P(ColumnNames, MatchWithoutRegardToCase) {
    EXPECT_EQ(vorn::rdo::columnNamesEqual(GetParam().a, GetParam().b), GetParam().equal);
    EXPECT_EQ(vorn::rdo::columnNamesEqual(GetParam().b, GetParam().a), GetParam().equal);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ColumnNames,
    testing::Values(NamePair{u"ProjectIndex", u"PROJECTINDEX", true},
                    NamePair{u"Total of ItemIndex", u"Total Of ItemIndex", true},
                    NamePair{u"Größe", u"GRÖßE", true}, NamePair{u"Größe", u"GROESSE", false},
                    NamePair{u"Łódź", u"łÓDŹ", true}, NamePair{u"Имя", u"иМЯ", true},
                    NamePair{u"Ёлка", u"ёлка", true}, NamePair{u"Σήμα", u"σήΜΑ", true},
                    NamePair{u"Total", u"Totals", false}, NamePair{u"", u"", true},
                    NamePair{u"A_1", u"a_1", true}, NamePair{u"A@", u"a`", false}));

} // namespace
