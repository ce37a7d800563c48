// The report chooser driven as a person would: keys and clicks go through the
// X server, and the window is closed the way a window manager closes it.
#include "data/mod_report_main.h"
#include "dialog/print_harness_layout.h"
#include "dialog/print_harness_window.h"
#include "gtk_driving.h"
#include "host/objects/field_list.h"
#include "host/tracker_session.h"
#include "pdf_reader.h"
#include "platform/automation/com_error.h"
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
using ChooserWindow = dialog::PrintHarnessWindow;
using Step = std::function<void(ChooserWindow&)>;

namespace {

Gtk::Widget* named(Gtk::Widget& root, const std::string& name) {
    if (root.get_name() == name)
        return &root;
    if (auto* container = dynamic_cast<Gtk::Container*>(&root))
        for (Gtk::Widget* child : container->get_children())
            if (Gtk::Widget* found = named(*child, name))
                return found;
    return nullptr;
}
Gtk::RadioButton& option(ChooserWindow& w, const std::string& name) {
    return dynamic_cast<Gtk::RadioButton&>(*named(w, name));
}
Gtk::TreeView& list(ChooserWindow& w) {
    return *findWidget<Gtk::TreeView>(w);
}

void clickAt(Gtk::Widget& widget, int x, int y) {
    Gtk::Widget& top = *widget.get_toplevel();
    int tx = 0, ty = 0;
    widget.translate_coordinates(top, x, y, tx, ty);
    for (GdkEventType type : {GDK_BUTTON_PRESS, GDK_BUTTON_RELEASE})
        gdk_test_simulate_button(top.get_window()->gobj(), tx, ty, 1, GdkModifierType(0), type);
}
Step click(std::string name) {
    return [=](ChooserWindow& w) {
        Gtk::Widget& c = *named(w, name);
        clickAt(c, c.get_allocated_width() / 2, c.get_allocated_height() / 2);
    };
}
Step clickEntry(int position) {
    return [=](ChooserWindow& w) {
        Gdk::Rectangle cell;
        list(w).get_cell_area(Gtk::TreePath(std::to_string(position - 1)), *list(w).get_column(0),
                              cell);
        int x = 0, y = 0;
        list(w).convert_bin_window_to_widget_coords(cell.get_x() + 60,
                                                    cell.get_y() + cell.get_height() / 2, x, y);
        clickAt(list(w), x, y);
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
    event.xclient.data.l[0] = gdk_x11_get_xatom_by_name("WM_DELETE_WINDOW");
    XSendEvent(GDK_WINDOW_XDISPLAY(window), event.xclient.window, False, NoEventMask, &event);
};

// Runs the steps from the main loop, one every 150 ms once the chooser is on
// screen, until that chooser is gone; closes it if still open 5 s after the last.
std::shared_ptr<std::size_t> drive(std::vector<Step> steps) {
    auto done = std::make_shared<std::size_t>(0);
    auto ticksAfter = std::make_shared<int>(0);
    auto driven = std::make_shared<ChooserWindow*>(nullptr);
    Glib::signal_timeout().connect(
        [=] {
            auto* w = findVisibleWindow<ChooserWindow>();
            if (*driven && w != *driven)
                return false;
            if (w && *done < steps.size()) {
                *driven = w;
                steps[(*done)++](*w);
            } else if (w && ++*ticksAfter > 33) {
                w->close();
            }
            return true;
        },
        150);
    return done;
}

std::vector<std::string> captions(ChooserWindow& w) {
    return {option(w, "optSelected").get_label(), option(w, "optAll").get_label(),
            option(w, "optAll").get_active() ? "all" : "selected",
            option(w, "optPortrait").get_active() ? "portrait" : "landscape"};
}

class Chooser : public test::TrackerFixture {
protected:
    void SetUp() override {
        TrackerFixture::SetUp();
        makeReportsDatabase(false);
        test::runSql(tracker_,
                     "INSERT INTO Projects VALUES (-3, 'Minus', '2006-06-06 00:00:00', 0)");
        pdf_ = (folder_ / "out.pdf").string();
        env_.set("VORN_PRINT_FILE", pdf_);
        request_ = makeObject<clsReports>();
        columns("ItemIndex:Item:700");
        put("DSN", Variant(modReportMain().gDSN.get()));
        put("UserName", Variant("Zoë"));
        put("DatabaseType", Variant("SQL Server")); // its form leaves out unassigned items
        put("SQLStatement", Variant("SELECT * FROM Items"));
        put("ShowHarness", Variant(true));
    }
    void TearDown() override {
        engine::closeAllPreviews();
        TrackerFixture::TearDown();
    }
    void put(const char* name, const Variant& value) { putProperty(request_.get(), name, value); }
    void columns(const std::string& specs) {
        auto fields = makeObject<host::FieldList>(host::parseFieldSpecs(specs));
        putRefProperty(request_.get(), "OtherParameters",
                       Variant(static_cast<IDispatch*>(fields.get())));
    }
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
        EXPECT_EQ(findVisibleWindow<ChooserWindow>(), nullptr);
    }
    ComPtr<clsReports> request_;
    std::string pdf_;
    ScopedEnvironment env_;
};

} // namespace

TEST_F(Chooser, ModesOfferTheirEntriesWithIconsAndLockTheRangeForListReports) {
    for (const auto& [name, entries] : {std::pair{"List Reports", 2}, {"list reports", 4}}) {
        std::vector<std::string> texts;
        bool rangeEnabled = false;
        choose(name, "X1",
               {[&](ChooserWindow& w) {
                    for (const auto& row : list(w).get_model()->children()) {
                        Glib::ustring text;
                        Glib::RefPtr<Gdk::Pixbuf> icon;
                        row.get_value(1, text);
                        row.get_value(0, icon);
                        texts.push_back(text + " " + std::to_string(icon->get_width()) + "x" +
                                        std::to_string(icon->get_height()));
                    }
                    rangeEnabled = named(w, "fraPrintRange")->is_sensitive() &&
                                   named(w, "optAll")->is_sensitive();
                },
                key(GDK_KEY_Escape)});
        const std::vector<std::string> all{
            "        Item List Report 28x31", "        Item Detail Report 28x31",
            "        Project Status Report 28x31", "        User Status Report 28x31"};
        EXPECT_EQ(texts, std::vector(all.begin(), all.begin() + entries)) << name;
        EXPECT_EQ(rangeEnabled, entries == 4) << name;
    }
    EXPECT_FALSE(std::filesystem::exists(pdf_));
}

TEST_F(Chooser, EveryControlStandsWhereTheLayoutPutsItAndTabFollowsTabIndex) {
    std::vector<std::string> misplaced, focus;
    auto focused = [&](ChooserWindow& w) { focus.push_back(w.get_focus()->get_name()); };
    auto tab = [&](unsigned modifiers) {
        return [=](ChooserWindow& w) {
            focused(w);
            sendKey(w, GDK_KEY_Tab, modifiers);
        };
    };
    choose("", "X1",
           {[&](ChooserWindow& w) {
                const double dpi = Gdk::Screen::get_default()->get_resolution();
                auto px = [&](int twips) { return dialog::twipsToPixels(twips, dpi); };
                for (const auto& place : dialog::kControlPlaces) {
                    Gtk::Widget& c = *named(w, std::string(place.name));
                    const auto r = dialog::clientRect(place.name);
                    int x = 0, y = 0;
                    c.translate_coordinates(w, 0, 0, x, y);
                    if (x != px(r.left) || y != px(r.top) ||
                        c.get_allocated_width() != px(r.width) ||
                        c.get_allocated_height() != px(r.height))
                        misplaced.push_back(std::string(place.name));
                }
                if (w.get_allocated_width() != px(4920) || w.get_allocated_height() != px(5280))
                    misplaced.push_back("client area");
            },
            tab(0), tab(0), tab(0), tab(0), tab(0), tab(GDK_SHIFT_MASK), focused,
            key(GDK_KEY_r, GDK_MOD1_MASK), focused, key(GDK_KEY_Escape)});
    EXPECT_EQ(misplaced, std::vector<std::string>{});
    EXPECT_EQ(focus, (std::vector<std::string>{"lvwReports", "optSelected", "butOK", "Command1",
                                               "optLandscape", "lvwReports", "optLandscape",
                                               "lvwReports"}));
}

TEST_F(Chooser, EachEntrySetsItsCaptionsAndOrientationAndTheRangeSurvives) {
    std::vector<std::vector<std::string>> seen;
    auto look = [&](ChooserWindow& w) { seen.push_back(captions(w)); };
    choose("", "X1",
           {look, kAltA, clickEntry(4), look, key(GDK_KEY_Up), look, key(GDK_KEY_l, GDK_MOD1_MASK),
            clickEntry(2), look, clickEntry(1), look, key(GDK_KEY_Escape)});
    const std::vector<std::vector<std::string>> expected{
        {"Only _selected rows", "_All rows", "selected", "landscape"},
        {"_Current User", "_All users", "all", "portrait"},
        {"Only _selected projects", "_All projects", "all", "portrait"},
        {"Only _selected rows", "_All rows", "all", "portrait"},
        {"Only _selected rows", "_All rows", "all", "landscape"}};
    EXPECT_EQ(seen, expected);
}

TEST_F(Chooser, CancelEscapeAndTheCloseBoxRunNothing) {
    put("AppendSQL", Variant(" AND 1"));
    for (const Step& close : {click("Command1"), key(GDK_KEY_Escape), kCloseBox}) {
        choose("", "X1", {kAltA, close});
        EXPECT_FALSE(std::filesystem::exists(pdf_));
        EXPECT_EQ(modReportMain().gAppendSQL, " AND 1");
        EXPECT_FALSE(reports::reportObjects().created(1));
    }
}

struct ItemCase {
    const char* reportName;
    const char* node;
    std::vector<Step> steps;
    const char* sql;
    const char* append;
    int position;
    const char* expectedSql;
    const char* pageSize;
};

TEST_F(Chooser, OkPreparesTheItemReportsByTheirRangeAndOrientation) {
    const ItemCase cases[] = {
        {"",
         "X1",
         {kReturn},
         "SELECT * FROM Items WHERE ItemIndex < 3",
         " OR ItemIndex = 9",
         1,
         "SELECT * FROM Items WHERE ItemIndex < 3 OR ItemIndex = 9 ORDER BY ItemIndex",
         "792 x 612"},
        {"",
         "X1",
         {kAltA, click("butOK")},
         "SELECT * FROM Items WHERE ItemIndex < 3",
         " OR 1",
         1,
         "SELECT * FROM Items WHERE ItemIndex < 3 ORDER BY ItemIndex",
         "792 x 612"},
        {"",
         "X-3",
         {click("butOK")},
         "SELECT * FROM Items WHERE (ItemIndex < 3",
         " junk",
         1,
         "SELECT * FROM Items WHERE (ItemIndex < 3) ORDER BY ItemIndex",
         "792 x 612"},
        {"",
         "X-3",
         {kAltA, key(GDK_KEY_p, GDK_MOD1_MASK), kReturn},
         "SELECT * FROM Items WHERE (ItemIndex < 3",
         " OR ItemIndex = 9)",
         1,
         "SELECT * FROM Items WHERE (ItemIndex < 3 OR ItemIndex = 9) ORDER BY ItemIndex",
         "612 x 792"},
        {"List Reports",
         "X1",
         {kAltA, key(GDK_KEY_Down), kReturn},
         "SELECT * FROM Items WHERE ItemIndex < 3",
         " OR ItemIndex = 9",
         2,
         "SELECT * FROM Items WHERE ItemIndex < 3 OR ItemIndex = 9 ORDER BY ItemIndex",
         "612 x 792"},
    };
    for (const ItemCase& c : cases) {
        std::filesystem::remove(pdf_);
        put("SQLStatement", Variant(c.sql));
        put("AppendSQL", Variant(c.append));
        choose(c.reportName, c.node, c.steps);
        EXPECT_EQ(reports::reportObjects().at(c.position).report().dataControl("rdoReport").sql,
                  c.expectedSql);
        EXPECT_EQ(pdfInfo(pdf_)["Page size"].substr(0, 9), c.pageSize) << c.expectedSql;
    }
    EXPECT_EQ(modReportMain().gAppendSQL, " OR ItemIndex = 9"); // emptied by the second case only
}

TEST_F(Chooser, OkBuildsTheStatusRowsForTheRange) {
    const std::tuple<std::vector<Step>, const char*, std::vector<std::string>> cases[] = {
        {{clickEntry(3), kReturn}, "ProjectName", {"Alpha"}},
        {{clickEntry(3), kAltA, click("butOK")},
         "ProjectName",
         {"Alpha", "Empty", "Minus", "O'Brien's Tools", "alpha", "Łódź"}},
        {{clickEntry(4), kReturn}, "AssignedTo", {"Zoë"}},
        {{clickEntry(4), kAltA, kReturn}, "AssignedTo", {"D'Arcy", "Zoë"}},
    };
    for (const auto& [steps, column, expected] : cases) {
        std::filesystem::remove(pdf_);
        choose("", "X2", steps); // Docs, below Alpha
        EXPECT_EQ(test::queryRows(reports_, std::string("SELECT DISTINCT ") + column +
                                                " COLLATE BINARY FROM ProjectDetails ORDER BY 1"),
                  expected);
        EXPECT_EQ(pdfInfo(pdf_)["Page size"].substr(0, 9), "612 x 792");
    }
    EXPECT_EQ(modReportMain().gProjectFilter, "");
}

TEST_F(Chooser, TheItemListInLandscapeUsesTheWiderPage) {
    columns("ItemIndex:C1:5000,Subject:C2:5000,Status:C3:3000,Priority:C4:1000");
    choose("", "X1", {kReturn});
    // Points from the page's corner: margins 770 and 1440 twips, 20 twips a point.
    const std::map<std::string, std::pair<double, double>> expected{
        {"C1", {51, 130.5}}, {"C2", {303.25, 130.5}}, {"C3", {555.5, 130.5}},
        {"C4", {56, 140.5}}, {"Page", {588.5, 0}},    {"of", {633.5, 0}}};
    std::map<std::string, std::pair<double, double>> seen;
    for (const PdfWord& word : pdfWords(pdf_))
        if (word.page == 1 && expected.count(word.text) && !seen.count(word.text))
            seen[word.text] = {word.xMin, expected.at(word.text).second ? word.yMin : 0};
    ASSERT_EQ(seen.size(), expected.size());
    for (const auto& [text, at] : expected) {
        EXPECT_NEAR(seen[text].first, at.first, 0.5) << text;
        EXPECT_NEAR(seen[text].second, at.second, 1) << text;
    }
    EXPECT_EQ(pdfInfo(pdf_)["Page size"].substr(0, 9), "792 x 612");
}

TEST_F(Chooser, OkPreviewsOrFailsTheHostsCallAfterTheDialogClosed) {
    choose("", "X1", {clickEntry(2), kReturn}, true);
    EXPECT_NE(engine::findPreview("repVornItemDetail"), nullptr);
    try {
        choose("", "", {kReturn}); // no node selected
        ADD_FAILURE() << "no error";
    } catch (const ComError& error) {
        EXPECT_EQ(error.code(), basicCode(BasicError::ObjectVariableNotSet));
    }
    EXPECT_FALSE(std::filesystem::exists(pdf_));
}
