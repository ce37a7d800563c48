// The tracker's server goes away while the item list reads its rows: the host
// gets the database's reason, and no document appears under the output name.
#include "data/mod_report_main.h"
#include "error_code.h"
#include "host/objects/field_list.h"
#include "host/tracker_session.h"
#include "pg_server.h"
#include "platform/automation/late_bound.h"
#include "platform/rdo/connection_ref.h"
#include "platform/rdo/rdo_connection.h"
#include "platform/rdo/rdo_environment.h"
#include "platform/toolkit/files.h"
#include "platform/toolkit/message_box.h"
#include "scoped_environment.h"
#include "service/cls_reports.h"
#include "temp_folder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

using namespace vorn;
using namespace vorn::automation;

namespace {

// Reading row `at` makes the server end the connection exactly as a fast
// shutdown does (the test's role may not signal the postmaster itself), so
// rows before it came from a live server and the rest never will.
constexpr const char* kStoppingView = R"sql(
CREATE FUNCTION stop_server_at(n INTEGER, at INTEGER) RETURNS INTEGER LANGUAGE plpgsql AS $f$
BEGIN
    IF n = at THEN
        PERFORM pg_terminate_backend(pg_backend_pid());
    END IF;
    RETURN n;
END $f$)sql";

TEST(ServerLossWhilePrinting, TheHostGetsTheReasonAndNoDocumentIsLeft) {
    if (const char* skip = std::getenv("VORN_SKIP_PG"); skip && *skip)
        GTEST_SKIP() << "VORN_SKIP_PG is set";
    rdo::test::useQuietOdbcConfig();
    rdo::test::PgServer server = rdo::test::PgServer::start(); // its own: this test stops it
    const ComPtr<IDispatch> connection(
        makeObject<rdo::RdoEnvironment>()->openConnection("", false, server.connect()).get());
    rdo::ConnectionRef tracker(connection.get());
    tracker.execute("CREATE TABLE Projects (ProjectIndex INTEGER, ProjectName TEXT, "
                    "Created TIMESTAMP, ProjectParent INTEGER)");
    tracker.execute("INSERT INTO Projects VALUES (1, 'Alpha', '1999-03-01', 0)");
    tracker.execute("CREATE TABLE Items (ItemIndex INTEGER, ProjectIndex INTEGER, Status TEXT, "
                    "AssignedTo TEXT, Subject TEXT)");
    tracker.execute("INSERT INTO Items SELECT n, 1, 'Open', 'Zoe', 'Item ' || n FROM "
                    "generate_series(1, 3000) AS n");
    tracker.execute(kStoppingView);
    tracker.execute("CREATE VIEW StoppingItems AS SELECT ItemIndex, ProjectIndex, Status, "
                    "AssignedTo, Subject, stop_server_at(ItemIndex, 1500) AS Stop FROM Items");

    test::TempFolder folder("vorn-server-loss");
    const std::string pdf = folder.file("out.pdf");
    test::ScopedEnvironment env;
    env.set("VORN_PRINT_FILE", pdf);
    toolkit::setComponentFolderForTesting(folder.path());
    std::vector<std::string> messages;
    toolkit::setMessageBoxObserver(
        [&](const toolkit::MessageBoxCall& c) { messages.push_back(c.text); });

    auto request = makeObject<clsReports>();
    auto fields = makeObject<host::FieldList>(host::parseFieldSpecs("ItemIndex:Item:700"));
    LateBound host(static_cast<IDispatch*>(request.get()));
    host.put("DSN", Variant(connection.get()));
    host.putRef("OtherParameters", Variant(static_cast<IDispatch*>(fields.get())));
    host.putRef("tvwProjects", Variant(host::loadProjectTree(connection.get(), "").get()));
    host.put("ReportName", Variant("Vorn Item List Report"));
    host.put("SQLStatement", Variant("SELECT * FROM StoppingItems"));

    EXPECT_THAT(test::failureOf([&] { host.call("PrintReport"); }).description,
                ::testing::HasSubstr("terminating connection"));
    EXPECT_TRUE(std::filesystem::is_empty(folder.path()));
    EXPECT_THAT(messages, ::testing::IsEmpty());

    modReportMain() = ReportState{};
    toolkit::setMessageBoxObserver(nullptr);
    toolkit::setComponentFolderForTesting({});
}

} // namespace
