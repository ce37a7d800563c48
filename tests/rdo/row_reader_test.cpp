// RowReader and ConnectionRef over foreign objects that answer only late-bound
// calls must read the same values and raise the same errors as over our own
// (which rdo_connection_test reads through the binary row interface).
#include "test_database.h"
#include "tests/support/error_code.h"

#include "platform/automation/dispatch_object.h"
#include "platform/automation/late_bound.h"
#include "platform/rdo/connection_ref.h"
#include "platform/rdo/error_codes.h"
#include "platform/rdo/rdo_connection.h"
#include "platform/rdo/rdo_environment.h"

#include <gtest/gtest.h>

#include <array>

using namespace vorn::automation;
using namespace vorn::rdo;
using namespace vorn::rdo::test;
using namespace vorn::test;

namespace {

// A host's connection or result set: forwards the members a Basic program
// uses and nothing else, and hands out result sets of its own kind.
class Foreign final : public DispatchObject<IDispatch, Foreign> {
public:
    explicit Foreign(IDispatch* wrapped) : inner(wrapped) {}
    static std::span<const Member<Foreign>> members();
    LateBound inner;

private:
    friend class DispatchObject<IDispatch, Foreign>;
    ~Foreign() = default;
};

Variant foreignOpen(Foreign& c, const Args& a) {
    const Variant inner = c.inner.call("OpenResultset", {a.value(0), a.value(1), a.value(2)});
    return Variant(static_cast<IDispatch*>(makeObject<Foreign>(inner.dispatch()).get()));
}

constexpr std::array<Member<Foreign>, 7> kForeignMembers{{
    {"EOF", 11, MemberKind::Get, 0, 0, [](Foreign& r, const Args&) { return r.inner.get("EOF"); }},
    {"MoveNext", 12, MemberKind::Method, 0, 0,
     [](Foreign& r, const Args&) { return r.inner.call("MoveNext"); }},
    {"Close", 13, MemberKind::Method, 0, 0,
     [](Foreign& r, const Args&) { return r.inner.call("Close"); }},
    {"rdoColumns", 14, MemberKind::Get, 0, 0,
     [](Foreign& r, const Args&) { return r.inner.get("rdoColumns"); }},
    {"OpenResultset", 21, MemberKind::Method, 1, 3, foreignOpen},
    {"Execute", 22, MemberKind::Method, 1, 1,
     [](Foreign& c, const Args& a) { return c.inner.call("Execute", {a.value(0)}); }},
    {"QueryTimeout", 23, MemberKind::Get, 0, 0,
     [](Foreign& c, const Args&) { return c.inner.get("QueryTimeout"); }},
}};
std::span<const Member<Foreign>> Foreign::members() {
    return kForeignMembers;
}

class RowReaders : public testing::Test {
protected:
    void SetUp() override {
        db_.run("CREATE TABLE Projects (ProjectIndex INTEGER, ProjectName VARCHAR(50), "
                "ProjectParent INTEGER)");
        db_.run("INSERT INTO Projects VALUES (1, 'Alpha', NULL), (2, 'Docs', 1), (3, 'Ça va', 2)");
        ours_ = makeObject<RdoEnvironment>()->openConnection("", false, db_.connect());
        foreign_ = makeObject<Foreign>(static_cast<IDispatch*>(ours_.get()));
    }
    ConnectionRef connection() const {
        return ConnectionRef(static_cast<IDispatch*>(foreign_.get()));
    }

    TestDatabase db_{Backend::Sqlite};
    ComPtr<RdoConnection> ours_;
    ComPtr<Foreign> foreign_;
};

TEST_F(RowReaders, ReadEveryRowAndValueUntilTheConnectionCloses) {
    RowReader rows = connection().openResultset(
        "SELECT ProjectIndex, ProjectName, ProjectParent FROM Projects ORDER BY ProjectIndex",
        CursorType::Keyset, LockType::OptimisticValues);
    EXPECT_FALSE(rows.fast());
    const std::int32_t name = rows.columnIndex("projectname");
    std::vector<std::string> names;
    std::vector<bool> parentIsNull;
    for (; !rows.eof(); rows.moveNext()) {
        names.push_back(rows.value(name).toString());
        parentIsNull.push_back(rows.value("PROJECTPARENT").isNull());
    }
    EXPECT_EQ(names, (std::vector<std::string>{"Alpha", "Docs", "Ça va"}));
    EXPECT_EQ(parentIsNull, (std::vector<bool>{true, false, false}));
    rows.close();
    EXPECT_EQ(codeOf([&] { rows.eof(); }), kObjectClosed);

    ConnectionRef ref = connection();
    ref.execute("DELETE FROM Projects WHERE ProjectIndex = 3");
    EXPECT_EQ(ref.openResultset("SELECT COUNT(*) AS N FROM Projects").value("N").toI4(), 2);
    EXPECT_TRUE(ref.isOpen());
    ours_->close();
    EXPECT_FALSE(ref.isOpen());
    EXPECT_EQ(codeOf([&] { ref.execute("DELETE FROM Projects"); }), kObjectClosed);
}

TEST_F(RowReaders, ErrorsKeepTheResultSetsCodesAndNullObjectsAreRefused) {
    RowReader rows = connection().openResultset("SELECT ProjectIndex FROM Projects");
    expectError([&] { rows.columnIndex("Completed"); }, kItemNotFound, "Completed");
    RowReader empty = connection().openResultset("SELECT ProjectIndex FROM Projects WHERE 1 = 0");
    EXPECT_TRUE(empty.eof());
    const std::int32_t column = empty.columnIndex("ProjectIndex");
    EXPECT_EQ(codeOf([&] { empty.value(column); }), kNoCurrentRow);

    expectError([&] { connection().openResultset("SELECT FROM"); }, kDatabaseError, "syntax");
    EXPECT_EQ(codeOf([] { RowReader reader(nullptr); }), basicCode(BasicError::ObjectRequired));
    EXPECT_EQ(codeOf([] { ConnectionRef ref(nullptr); }), basicCode(BasicError::ObjectRequired));
}

} // namespace
