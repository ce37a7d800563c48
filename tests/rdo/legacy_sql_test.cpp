// Legacy constructs whose rewrite must keep their meaning, run on every
// backend: grouping sets without aggregates, text joined with & and +, Access
// texts in double quotes, and a DELETE that must not widen.
#include "test_database.h"

#include "platform/automation/variant.h"
#include "platform/rdo/session_factory.h"
#include "platform/rdo/translated_sql.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace vorn::automation;
using namespace vorn::rdo;
using namespace vorn::rdo::test;

namespace {

struct LegacyCase {
    std::string sql;
    std::vector<std::string> rows; // columns joined by '|', null as NULL; sorted
};

const std::vector<LegacyCase> kCases = {
    {"SELECT a, b, Count(*) FROM t WHERE n < 4 GROUP BY a,b WITH CUBE",
     {"NULL|NULL|3", "NULL|p|2", "NULL|q|1", "x|NULL|2", "x|p|1", "x|q|1", "y|NULL|1", "y|p|1"}},
    {"SELECT a, b FROM t WHERE n < 4 GROUP BY a, b WITH ROLLUP",
     {"NULL|NULL", "x|NULL", "x|p", "x|q", "y|NULL", "y|p"}},
    {"SELECT a FROM t WHERE n > 9 GROUP BY a WITH ROLLUP", {"NULL"}},
    {"SELECT a & '/' & n & \"-\" & b FROM t WHERE n <> 3", {"/4-", "x/1-p", "x/2-q"}},
    {"SELECT 'Item ' + b FROM t WHERE n > 2", {"Item p", "NULL"}},
    {"SELECT n + 1 FROM t WHERE 'x' + a = 'xx'", {"2", "3"}},
    {"SELECT n FROM t WHERE a = \"X\" AND IIf(b = \"q\", 1, 0) = 1", {"2"}},
};

class LegacySql : public testing::TestWithParam<Backend> {
protected:
    void SetUp() override {
        if (GetParam() == Backend::PostgreSql && postgreSqlSkipped())
            GTEST_SKIP() << "VORN_SKIP_PG is set";
        db_ = std::make_unique<TestDatabase>(GetParam());
        db_->run("CREATE TABLE t (a VARCHAR(10), b VARCHAR(10), n INTEGER)");
        db_->run("INSERT INTO t VALUES ('x', 'p', 1), ('x', 'q', 2), ('y', 'p', 3), "
                 "(NULL, NULL, 4)");
        session_ = openSession("", db_->connect(), {});
    }

    std::vector<std::string> rows(const std::string& sql) {
        std::vector<std::string> out;
        for (auto source = openTranslatedQuery(*session_, sql); !source->atEnd();
             source->moveNext()) {
            std::string row;
            for (std::size_t i = 0; i < source->columnCount(); ++i) {
                const Variant value = valueAt(*source, i);
                row += (i ? "|" : "") + (value.isNull() ? std::string("NULL") : value.toString());
            }
            out.push_back(row);
        }
        std::sort(out.begin(), out.end());
        return out;
    }

    std::unique_ptr<TestDatabase> db_;
    std::unique_ptr<Session> session_;
};

TEST_P(LegacySql, KeepsItsMeaning) {
    for (const LegacyCase& c : kCases)
        EXPECT_EQ(rows(c.sql), c.rows) << c.sql;
}

// Jet deletes whole rows whatever names stand before FROM.
TEST_P(LegacySql, DeleteDeletesNoMoreThanItSays) {
    executeTranslated(*session_, "DELETE t.* FROM t WHERE a = \"Y\"");
    EXPECT_EQ(rows("SELECT n FROM t"), (std::vector<std::string>{"1", "2", "4"}));
}

INSTANTIATE_TEST_SUITE_P(Backends, LegacySql,
                         testing::Values(Backend::Sqlite, Backend::SqliteOdbc, Backend::PostgreSql),
                         [](const auto& p) { return backendName(p.param); });

} // namespace
