// The report chooser driven as a person would: keys and clicks go through the
// X server, and the window is closed the way a window manager closes it.
#include "data/mod_report_main.h"
#include "dialog/print_harness_window.h"
#include "error_code.h"
#include "gtk_driving.h"
#include "host/objects/field_list.h"
#include "host/tracker_session.h"
#include "pdf_reader.h"
#include "platform/automation/late_bound.h"
#include "platform/engine/preview/preview_registry.h"
#include "reports/report_objects.h"
#include "scoped_environment.h"
#include "service/cls_reports.h"
#include "tracker_fixture.h"

#include <gdk/gdkx.h>

using namespace vorn;
using namespace vorn::automation;
using namespace vorn::engine::testing;
using vorn::test::pdfInfo;
using vorn::test::ScopedEnvironment;
using ChooserWindow = dialog::PrintHarnessWindow;
using Step = std::function<void(ChooserWindow&)>;

namespace {

Gtk::Widget& named(Gtk::Widget& root, const std::string& name) {
    if (auto* container = dynamic_cast<Gtk::Container*>(&root);
        container && root.get_name() != name)
        for (Gtk::Widget* child : container->get_children())
            if (Gtk::Widget& found = named(*child, name); found.get_name() == name)
                return found;
    return root;
}
Gtk::RadioButton& option(ChooserWindow& w, const char* name) {
    return dynamic_cast<Gtk::RadioButton&>(named(w, name));
}
Gtk::TreeView& list(ChooserWindow& w) {
    return *findWidget<Gtk::TreeView>(w);
}

void clickAt(Gtk::Widget& widget, int x, int y, unsigned modifiers = 0) {
    int tx = 0, ty = 0;
    widget.translate_coordinates(*widget.get_toplevel(), x, y, tx, ty);
    for (GdkEventType type : {GDK_BUTTON_PRESS, GDK_BUTTON_RELEASE})
        gdk_test_simulate_button(widget.get_toplevel()->get_window()->gobj(), tx, ty, 1,
                                 GdkModifierType(modifiers), type);
}
Step click(std::string name) {
    return [=](ChooserWindow& w) {
        clickAt(named(w, name), named(w, name).get_width() / 2, named(w, name).get_height() / 2);
    };
}
Step clickEntry(int position, unsigned modifiers = 0) {
    return [=](ChooserWindow& w) {
        Gdk::Rectangle row; // the list shows no headers: its rows start at its top
        list(w).get_background_area(Gtk::TreePath(std::to_string(position - 1)),
                                    *list(w).get_column(0), row);
        clickAt(list(w), 60, row.get_y() + row.get_height() / 2, modifiers);
    };
}
Step key(unsigned keyval, unsigned modifiers = 0) {
    return [=](ChooserWindow& w) { sendKey(w, keyval, modifiers); };
}
const Step kAltA = key(GDK_KEY_a, GDK_MOD1_MASK);
const Step kReturn = key(GDK_KEY_Return);
// What a window manager sends when the close box is clicked.
const Step kCloseBox = [](ChooserWindow& w) {
    GdkWindow* window = w.get_window()->gobj();
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = GDK_WINDOW_XID(window);
    event.xclient.message_type = gdk_x11_get_xatom_by_name("WM_PROTOCOLS");
    event.xclient.format = 32;
    event.xclient.data.l[0] = long(gdk_x11_get_xatom_by_name("WM_DELETE_WINDOW"));
    XSendEvent(GDK_WINDOW_XDISPLAY(window), event.xclient.window, False, NoEventMask, &event);
};

// Runs the steps from the main loop, one every 150 ms once the chooser is on
// screen, until that chooser is gone; a chooser still open after 15 s is closed.
std::shared_ptr<std::size_t> drive(std::vector<Step> steps) {
    auto done = std::make_shared<std::size_t>(0);
    auto ticks = std::make_shared<int>(0);
    auto driven = std::make_shared<ChooserWindow*>(nullptr);
    Glib::signal_timeout().connect(
        [=] {
            auto* w = findVisibleWindow<ChooserWindow>();
            const bool late = ++*ticks > 100;
            if ((*driven && w != *driven) || *ticks > 110)
                return false;
            if (w && late)
                w->close();
            else if (w && *done < steps.size())
                steps[(*done)++](*(*driven = w));
            return true;
        },
        150);
    return done;
}

class Chooser : public test::TrackerFixture {
protected:
    void SetUp() override {
        TrackerFixture::SetUp();
        makeReportsDatabase(false);
        test::runSql(tracker_, "INSERT INTO Projects VALUES (-3, 'Minus', '2006-06-06', 0)");
        env_.set("VORN_PRINT_FILE", pdf_ = (folder_ / "out.pdf").string());
        const auto fields =
            makeObject<host::FieldList>(host::parseFieldSpecs("ItemIndex:Item:700"));
        putRefProperty(request_.get(), "OtherParameters", Variant(fields.get()));
        put("DSN", Variant(modReportMain().gDSN.get()));
        put("UserName", Variant("Zoë"));
        put("DatabaseType", Variant("SQL Server")); // its form leaves out unassigned items
        put("SQLStatement", Variant("SELECT * FROM Items"));
        put("ShowHarness", Variant(true));
    }
    void put(const char* name, const Variant& value) { putProperty(request_.get(), name, value); }
    // Opens the chooser through the request and runs the steps in it.
    void choose(const std::string& reportName, const std::string& node, std::vector<Step> steps,
                bool preview = false) {
        const auto tree = host::loadProjectTree(modReportMain().gDSN.get(), node);
        putRefProperty(request_.get(), "tvwProjects", Variant(tree.get()));
        put("ReportName", Variant(reportName));
        const std::size_t count = steps.size();
        const auto done = drive(std::move(steps));
        EXPECT_FALSE(callMethod(request_.get(), preview ? "ShowReport" : "PrintReport").toBool());
        EXPECT_EQ(*done, count);
    }
    std::string pageSize() { return pdfInfo(pdf_)["Page size"].substr(0, 9); }

    ComPtr<clsReports> request_ = makeObject<clsReports>();
    std::string pdf_;
    ScopedEnvironment env_;
};

} // namespace

TEST_F(Chooser, ModesOfferTheirEntriesAndCancellingOrNoEntryRunsNothing) {
    const std::vector<std::string> all{
        "        Item List Report 28x31", "        Item Detail Report 28x31",
        "        Project Status Report 28x31", "        User Status Report 28x31"};
    put("AppendSQL", Variant(" AND 1"));
    for (const auto& [name, entries, close] :
         {std::tuple{"List Reports", 2, std::vector{click("Command1")}},
          {"list reports", 4, {key(GDK_KEY_Escape)}},
          {"", 4, {kCloseBox}},
          // OK with no entry selected runs nothing either
          {"", 4, {clickEntry(1), clickEntry(1, GDK_CONTROL_MASK), click("butOK")}}}) {
        std::vector<std::string> texts;
        bool rangeEnabled = false;
        auto look = [&](ChooserWindow& w) {
            for (const auto& row : list(w).get_model()->children()) {
                Glib::ustring text;
                Glib::RefPtr<Gdk::Pixbuf> icon;
                row.get_value(1, text);
                row.get_value(0, icon);
                texts.push_back(text + " " + std::to_string(icon->get_width()) + "x" +
                                std::to_string(icon->get_height()));
            }
            rangeEnabled =
                named(w, "fraPrintRange").is_sensitive() && named(w, "optSelected").is_sensitive();
        };
        std::vector<Step> steps{look, kAltA};
        steps.insert(steps.end(), close.begin(), close.end());
        choose(name, "X1", steps);
        EXPECT_EQ(texts, std::vector(all.begin(), all.begin() + entries)) << name;
        EXPECT_EQ(rangeEnabled, entries == 4) << name;
        EXPECT_FALSE(std::filesystem::exists(pdf_));
        EXPECT_EQ(modReportMain().gAppendSQL, " AND 1");
        EXPECT_FALSE(reports::reportObjects().created(1));
    }
}

TEST_F(Chooser, TabFollowsTabIndexAndEachEntrySetsItsCaptionsAndOrientation) {
    std::vector<std::string> seen;
    auto focused = [&](ChooserWindow& w) { seen.push_back(w.get_focus()->get_name()); };
    auto tab = [&](unsigned modifiers) {
        return [=](ChooserWindow& w) { focused(w), sendKey(w, GDK_KEY_Tab, modifiers); };
    };
    auto look = [&](ChooserWindow& w) {
        seen.push_back(option(w, "optSelected").get_label() + "|" +
                       option(w, "optAll").get_label() +
                       (option(w, "optAll").get_active() ? "|all" : "|selected") +
                       (option(w, "optPortrait").get_active() ? "|portrait" : "|landscape"));
    };
    // clang-format off
    choose("", "X1", {tab(0), tab(0), tab(0), tab(0), tab(0), tab(GDK_SHIFT_MASK), focused,
                      key(GDK_KEY_r, GDK_MOD1_MASK), focused,
                      // the range chosen first survives every change of report
                      look, kAltA, clickEntry(4), look, key(GDK_KEY_Up), look,
                      key(GDK_KEY_l, GDK_MOD1_MASK), clickEntry(2), look, clickEntry(1), look,
                      key(GDK_KEY_Escape)});
    EXPECT_EQ(seen, (std::vector<std::string>{
        "lvwReports", "optSelected", "butOK", "Command1", "optLandscape", "lvwReports",
        "optLandscape", "lvwReports",
        "Only _selected rows|_All rows|selected|landscape", "_Current User|_All users|all|portrait",
        "Only _selected projects|_All projects|all|portrait",
        "Only _selected rows|_All rows|all|portrait", "Only _selected rows|_All rows|all|landscape"}));
    // clang-format on
}

TEST_F(Chooser, OkPreparesTheItemReportsByTheirRangeAndOrientation) {
    // clang-format off
    // report, node, steps, statement, appended, report position, SQL, page
    const std::tuple<const char*, const char*, std::vector<Step>, const char*, const char*, int,
                     const char*, const char*>
        cases[] = {
        {"", "X1", {kReturn}, "ItemIndex < 3", " OR ItemIndex = 9", 1,
         "ItemIndex < 3 OR ItemIndex = 9 ORDER BY ItemIndex", "792 x 612"},
        {"", "X1", {kAltA, click("butOK")}, "ItemIndex < 3", " OR 1", 1,
         "ItemIndex < 3 ORDER BY ItemIndex", "792 x 612"},
        {"", "X-3", {click("butOK")}, "(ItemIndex < 3", " junk", 1,
         "(ItemIndex < 3) ORDER BY ItemIndex", "792 x 612"},
        {"", "X-3", {kAltA, key(GDK_KEY_p, GDK_MOD1_MASK), kReturn}, "(ItemIndex < 3", " OR 1)", 1,
         "(ItemIndex < 3 OR 1) ORDER BY ItemIndex", "612 x 792"},
        {"List Reports", "X1", {kAltA, key(GDK_KEY_Down), kReturn}, "ItemIndex < 3", " OR 1", 2,
         "ItemIndex < 3 OR 1 ORDER BY ItemIndex", "612 x 792"},
    };
    // clang-format on
    const std::string select = "SELECT * FROM Items WHERE ";
    for (const auto& [reportName, node, steps, where, append, position, sql, size] : cases) {
        std::filesystem::remove(pdf_);
        put("SQLStatement", Variant(select + where));
        put("AppendSQL", Variant(append));
        choose(reportName, node, steps);
        EXPECT_EQ(reports::reportObjects().at(position).report().dataControl("rdoReport").sql,
                  select + sql);
        EXPECT_EQ(pageSize(), size) << sql;
    }
    EXPECT_EQ(modReportMain().gAppendSQL, " OR 1"); // emptied by the second case only
}

TEST_F(Chooser, OkBuildsTheStatusRowsForTheRange) {
    // clang-format off
    const std::tuple<std::vector<Step>, const char*, std::vector<std::string>> cases[] = {
        {{clickEntry(3), kReturn}, "ProjectName", {"Alpha"}},
        {{clickEntry(3), kAltA, click("butOK")}, "ProjectName",
         {"Alpha", "Empty", "Minus", "O'Brien's Tools", "alpha", "Łódź"}},
        {{clickEntry(4), kReturn}, "AssignedTo", {"Zoë"}},
        {{clickEntry(4), kAltA, kReturn}, "AssignedTo", {"D'Arcy", "Zoë"}},
    };
    // clang-format on
    for (const auto& [steps, column, expected] : cases) {
        std::filesystem::remove(pdf_);
        choose("", "X2", steps); // Docs, below Alpha
        EXPECT_EQ(test::queryRows(reports_, std::string("SELECT DISTINCT ") + column +
                                                " COLLATE BINARY FROM ProjectDetails ORDER BY 1"),
                  expected);
        EXPECT_EQ(pageSize(), "612 x 792");
    }
}

TEST_F(Chooser, OkPreviewsOrFailsTheHostsCallAfterTheDialogClosed) {
    choose("", "X1", {clickEntry(2), kReturn}, true);
    EXPECT_NE(engine::findPreview("repVornItemDetail"), nullptr);
    engine::closeAllPreviews();
    EXPECT_EQ(test::codeOf([&] { choose("", "", {kReturn}); }), // no node selected
              basicCode(BasicError::ObjectVariableNotSet));
    EXPECT_FALSE(std::filesystem::exists(pdf_));
}
