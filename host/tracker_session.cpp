#include "host/tracker_session.h"

#include "host/objects/project_tree.h"
#include "platform/rdo/connection_ref.h"
#include "platform/rdo/rdo_connection.h"
#include "platform/rdo/rdo_engine.h"

#include <filesystem>

namespace vorn::host {

using namespace automation;

ComPtr<IDispatch> openTracker(const std::string& db) {
    std::string connect = db;
    if (db.find('=') == std::string::npos)
        connect = "DRIVER={SQLite3};Database=" + std::filesystem::absolute(db).string() + ";";
    auto engine = makeObject<rdo::RdoEngine>();
    auto connection = engine->environment(0)->openConnection("", false, connect);
    return ComPtr<IDispatch>(connection.get());
}

ComPtr<IDispatch> loadProjectTree(IDispatch* connection, const std::string& select) {
    std::vector<ProjectRow> projects;
    rdo::RowReader rows =
        rdo::ConnectionRef(connection)
            .openResultset("SELECT ProjectIndex, ProjectName, ProjectParent FROM Projects");
    const auto index = rows.columnIndex("ProjectIndex");
    const auto name = rows.columnIndex("ProjectName");
    const auto parent = rows.columnIndex("ProjectParent");
    for (; !rows.eof(); rows.moveNext()) {
        ProjectRow row;
        row.index = rows.value(index).toI4();
        const Variant projectName = rows.value(name);
        row.name = projectName.isNull() ? "" : projectName.toString();
        const Variant parentIndex = rows.value(parent);
        if (!parentIndex.isNull())
            row.parent = parentIndex.toI4();
        projects.push_back(std::move(row));
    }
    rows.close();
    auto tree = makeObject<ProjectTree>(projects);
    if (!select.empty())
        tree->select(select);
    return ComPtr<IDispatch>(tree.get());
}

} // namespace vorn::host
