// A status build whose tracker server goes away in the middle: the rows
// written so far stay in the local table and the error names the cause.
#include "data/mod_report_main.h"
#include "data/status_builds.h"
#include "pg_server.h"
#include "platform/automation/com_error.h"
#include "platform/automation/dispatch_object.h"
#include "platform/rdo/connection_ref.h"
#include "platform/rdo/rdo_connection.h"
#include "platform/rdo/rdo_environment.h"
#include "tests/support/error_code.h"
#include "tracker_fixture.h"

#include <array>
#include <memory>

using namespace vorn;
using namespace vorn::automation;

namespace {

// A project tree that stops the server at the lookup of a chosen row, as if
// it went down in the middle of the build. One class plays the tree, its
// Nodes and a node: Nodes and Item hand out objects of the same kind.
struct StopPlan {
    rdo::test::PgServer* server;
    int stopAt;
    int lookups = 0;
};

class StoppingTree final : public DispatchObject<IDispatch, StoppingTree> {
public:
    StoppingTree(std::shared_ptr<StopPlan> plan, std::string path)
        : plan_(std::move(plan)), path_(std::move(path)) {}
    static std::span<const Member<StoppingTree>> members();

    Variant nodes() { return Variant(makeObject<StoppingTree>(plan_, "").get()); }
    Variant item(const std::string& key) {
        if (++plan_->lookups == plan_->stopAt)
            plan_->server->stop();
        return Variant(makeObject<StoppingTree>(plan_, "Projects\\" + key).get());
    }
    Variant fullPath() const { return Variant(path_); }

private:
    friend class DispatchObject<IDispatch, StoppingTree>;
    ~StoppingTree() = default;
    std::shared_ptr<StopPlan> plan_;
    std::string path_;
};

constexpr std::array<Member<StoppingTree>, 3> kMembers{{
    {"Nodes", 1, MemberKind::Get, 0, 0, [](StoppingTree& t, const Args&) { return t.nodes(); }},
    {"Item", DISPID_VALUE, MemberKind::Get, 1, 1,
     [](StoppingTree& t, const Args& a) { return t.item(a.text(0)); }},
    {"FullPath", 2, MemberKind::Get, 0, 0,
     [](StoppingTree& t, const Args&) { return t.fullPath(); }},
}};

std::span<const Member<StoppingTree>> StoppingTree::members() {
    return kMembers;
}

class ServerLoss : public test::TrackerFixture {};

} // namespace

TEST_F(ServerLoss, TheRowsSoFarStayAndTheErrorNamesTheCause) {
    if (rdo::test::postgreSqlSkipped())
        GTEST_SKIP() << "VORN_SKIP_PG is set";
    rdo::test::useQuietOdbcConfig();
    rdo::test::PgServer server = rdo::test::PgServer::start(); // its own: this test stops it
    auto connection =
        makeObject<rdo::RdoEnvironment>()->openConnection("", false, server.connect());
    rdo::ConnectionRef tracker(static_cast<IDispatch*>(connection.get()));
    tracker.execute("CREATE TABLE Projects (ProjectIndex INTEGER, ProjectName TEXT, "
                    "Created TIMESTAMP, ProjectParent INTEGER)");
    tracker.execute("CREATE TABLE Items (ItemIndex INTEGER, ProjectIndex INTEGER, Status TEXT, "
                    "AssignedTo TEXT)");
    tracker.execute("INSERT INTO Projects SELECT n, 'P' || n, '1999-03-01', 0 FROM "
                    "generate_series(1, 500) AS n");
    tracker.execute("INSERT INTO Items SELECT n, n, 'Completed', 'Zoe' FROM "
                    "generate_series(1, 500) AS n");

    makeReportsDatabase(false);
    ReportState& state = modReportMain();
    state.gDSN = ComPtr<IDispatch>(static_cast<IDispatch*>(connection.get()));
    state.gDatabaseType = "SQL Server";
    auto plan = std::make_shared<StopPlan>(StopPlan{&server, 150});
    state.gProjectTree = Variant(static_cast<IDispatch*>(makeObject<StoppingTree>(plan, "").get()));

    EXPECT_THAT(test::failureOf([] { BuildProjectStatus(); }).description,
                ::testing::HasSubstr("terminating connection"));
    const auto rows = projectDetails();
    EXPECT_GE(rows.size(), 150u);
    EXPECT_LT(rows.size(), 500u);
}
