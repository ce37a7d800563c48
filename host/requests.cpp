#include "host/requests.h"

#include "host/objects/field_list.h"
#include "host/tracker_session.h"
#include "platform/automation/late_bound.h"

#include <gtk/gtk.h>

#include <fstream>
#include <iterator>
#include <regex>

namespace vorn::host {

using namespace automation;

void fillRequest(IDispatch* reports, const RequestOptions& o) {
    const ComPtr<IDispatch> connection = openTracker(o.db);
    const ComPtr<IDispatch> tree = loadProjectTree(connection.get(), o.select);
    auto fields =
        makeObject<FieldList>(parseFieldSpecs(o.columns.empty() ? kDefaultColumns : o.columns));
    LateBound request(reports);
    request.put("DSN", Variant(connection.get()));
    request.put("DatabaseType", Variant(o.databaseType));
    request.put("ReportName", Variant(o.report));
    request.put("SQLStatement", Variant(o.sql));
    request.put("AppendSQL", Variant(o.appendSql));
    request.put("UserName", Variant(o.user));
    request.putRef("OtherParameters", Variant(static_cast<IDispatch*>(fields.get())));
    request.putRef("tvwProjects", Variant(tree.get()));
    request.put("ShowHarness", Variant(o.chooser));
    request.put("ShowPrinterDialog", Variant(o.printerDialog));
}

namespace {
bool anyWindowShown() {
    GList* windows = gtk_window_list_toplevels();
    bool shown = false;
    for (GList* w = windows; w; w = w->next)
        shown = shown || gtk_widget_get_visible(GTK_WIDGET(w->data));
    g_list_free(windows);
    return shown;
}
} // namespace

void waitForWindows() {
    if (!gdk_display_get_default())
        return;
    while (anyWindowShown())
        gtk_main_iteration_do(TRUE);
}

int countPdfPages(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    const std::string pdf((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    static const std::regex page(R"(/Type\s*/Page[^s])");
    return static_cast<int>(
        std::distance(std::sregex_iterator(pdf.begin(), pdf.end(), page), std::sregex_iterator()));
}

} // namespace vorn::host
