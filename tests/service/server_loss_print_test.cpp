// The tracker's server goes away while the item list reads its rows: the host
// gets the database's reason, no document appears under the output name, and
// nothing of the server is left in the temporary folder.
#include "error_code.h"
#include "host/objects/field_list.h"
#include "host/tracker_session.h"
#include "pg_server.h"
#include "platform/automation/late_bound.h"
#include "platform/rdo/connection_ref.h"
#include "platform/rdo/rdo_connection.h"
#include "platform/rdo/rdo_environment.h"
#include "scoped_environment.h"
#include "service/cls_reports.h"
#include "tracker_fixture.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <thread>

using namespace vorn;
using namespace vorn::automation;

namespace {

// At row `at` the server's backend sleeps until the test brings the whole
// server down.
constexpr const char* kStoppingFunction = R"sql(
CREATE FUNCTION stop_server_at(n INTEGER, at INTEGER) RETURNS INTEGER
LANGUAGE plpgsql AS $f$
BEGIN
    IF n = at THEN
        PERFORM pg_sleep(60);
    END IF;
    RETURN n;
END $f$)sql";

struct StopCase {
    const char* how; // a mode of PgServer::halt
    const char* reason;
};

// The fixture's folder is the component folder; its tracker stays unused.
class ServerLossWhilePrinting : public test::TrackerFixture,
                                public ::testing::WithParamInterface<StopCase> {};

TEST_P(ServerLossWhilePrinting, TheHostGetsTheReasonAndNothingIsLeft) {
    if (rdo::test::postgreSqlSkipped())
        GTEST_SKIP() << "VORN_SKIP_PG is set";
    const StopCase stop = GetParam();
    rdo::test::useQuietOdbcConfig();
    rdo::test::PgServer server = rdo::test::PgServer::start(); // its own: this test stops it
    // Rows come a hundred at a time, so the server goes while the report reads.
    const ComPtr<IDispatch> connection(
        makeObject<rdo::RdoEnvironment>()
            ->openConnection("", false, server.connect() + ";UseDeclareFetch=1;Fetch=100")
            .get());
    rdo::ConnectionRef tracker(connection.get());
    tracker.execute("CREATE TABLE Projects (ProjectIndex INTEGER, ProjectName TEXT, "
                    "Created TIMESTAMP, ProjectParent INTEGER)");
    tracker.execute("INSERT INTO Projects VALUES (1, 'Alpha', '1999-03-01', 0)");
    tracker.execute("CREATE TABLE Items (ItemIndex INTEGER, ProjectIndex INTEGER, Status TEXT, "
                    "AssignedTo TEXT, Subject TEXT)");
    tracker.execute("INSERT INTO Items SELECT n, 1, 'Open', 'Zoe', 'Item ' || n FROM "
                    "generate_series(1, 3000) AS n");
    tracker.execute(kStoppingFunction);
    tracker.execute("CREATE VIEW StoppingItems AS SELECT ItemIndex, ProjectIndex, Status, "
                    "AssignedTo, Subject, stop_server_at(ItemIndex, 1500) AS Stop FROM Items");

    test::ScopedEnvironment env;
    env.set("VORN_PRINT_FILE", temp_.file("out.pdf"));

    auto request = makeObject<clsReports>();
    auto fields = makeObject<host::FieldList>(host::parseFieldSpecs("ItemIndex:Item:700"));
    LateBound host(static_cast<IDispatch*>(request.get()));
    host.put("DSN", Variant(connection.get()));
    host.putRef("OtherParameters", Variant(static_cast<IDispatch*>(fields.get())));
    host.putRef("tvwProjects", Variant(host::loadProjectTree(connection.get(), "").get()));
    host.put("ReportName", Variant("Vorn Item List Report"));
    host.put("SQLStatement", Variant("SELECT * FROM StoppingItems"));

    std::thread halting([&] { server.halt(stop.how); });
    const test::Failure failure = test::failureOf([&] { host.call("PrintReport"); });
    halting.join();
    EXPECT_NE(failure.code, 0);
    EXPECT_THAT(failure.description, ::testing::HasSubstr(stop.reason));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder_), {}), 1); // the tracker
    EXPECT_THAT(messages_, ::testing::IsEmpty());

    server.stop();
    EXPECT_FALSE(std::filesystem::exists(server.folder()));
}

INSTANTIATE_TEST_SUITE_P(
    EachWayOfStopping, ServerLossWhilePrinting,
    ::testing::Values(StopCase{"fast", "terminating connection"},
                      StopCase{"immediate", "server closed the connection unexpectedly"},
                      StopCase{"kill", "server closed the connection unexpectedly"}),
    [](const ::testing::TestParamInfo<StopCase>& stopCase) {
        return std::string(stopCase.param.how);
    });

} // namespace
