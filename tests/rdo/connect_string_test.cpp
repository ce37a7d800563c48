#include "tests/support/error_code.h"

#include "platform/rdo/connect_string.h"
#include "platform/rdo/error_codes.h"

#include <gtest/gtest.h>

#include <optional>

using vorn::rdo::ConnectString;

namespace {

struct Lookup {
    const char* text;
    const char* key;
    std::optional<std::string> expected;
};

void PrintTo(const Lookup& c, std::ostream* out) {
    *out << c.key << " in " << c.text;
}

class ConnectStringLookup : public testing::TestWithParam<Lookup> {};

TEST_P(ConnectStringLookup, FindsTheValue) {
    const Lookup& c = GetParam();
    EXPECT_EQ(ConnectString(c.text).get(c.key), c.expected) << c.text;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ConnectStringLookup,
    testing::Values(Lookup{"DRIVER={Microsoft Access Driver (*.mdb)};DBQ=C:\\Reports\\reports.mdb;"
                           "DefaultDir=C:\\Reports;",
                           "driver", "Microsoft Access Driver (*.mdb)"},
                    Lookup{"DRIVER={Microsoft Access Driver (*.mdb)};DBQ=C:\\Reports\\reports.mdb;",
                           "Dbq", "C:\\Reports\\reports.mdb"},
                    Lookup{"Driver=SQLite3;Database=/tmp/a b.db", "DATABASE", "/tmp/a b.db"},
                    Lookup{" Server = 127.0.0.1 ; Port=5432", "server", "127.0.0.1"},
                    Lookup{"Pwd={a;b}}c};Uid=x", "PWD", "a;b}c"},
                    Lookup{"Pwd={a;b}}c};Uid=x", "uid", "x"},
                    Lookup{"DSN=one;DSN=two", "dsn", "two"}, Lookup{"Database=", "Database", ""},
                    Lookup{"garbage;DSN=x", "DSN", "x"}, Lookup{"DSN=x", "Driver", std::nullopt},
                    Lookup{"", "DSN", std::nullopt}));

TEST(ConnectString, UnclosedBraceIsAnError) {
    vorn::test::expectError([] { ConnectString("DRIVER={SQLite3;Database=x"); },
                            vorn::rdo::kBadConnectString, "DRIVER");
}

} // namespace
