#include "reports/rep_vorn_item_detail.h"

#include "data/lookups.h"
#include "data/mod_report_main.h"
#include "data/sql_text.h"
#include "platform/automation/ascii_case.h"
#include "platform/automation/variant.h"
#include "platform/rdo/connection_ref.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <vector>

namespace vorn::reports {

using automation::Variant;

engine::Control* repVornItemDetail::AddControl(engine::Section& section,
                                               const std::string& typeWord) {
    const std::string word = automation::asciiUpper(typeWord);
    if (word == "LABEL")
        return &section.controls.add("DDActiveReports.Label");
    if (word == "FIELD")
        return &section.controls.add("DDActiveReports.Field");
    if (word == "CHECKBOX")
        return &section.controls.add("DDActiveReports.Checkbox");
    return nullptr;
}

void repVornItemDetail::LoadCustomCombos() {
    startFromDesign();
    engine::Section& pageHeader = report().section("PageHeader");
    rdo::RowReader rows = rdo::ConnectionRef(modReportMain().gDSN.get())
                              .openResultset("SELECT * FROM Custom ORDER BY CustomField",
                                             rdo::CursorType::ForwardOnly, rdo::LockType::ReadOnly);
    std::vector<engine::Control*> labels;
    std::string previousField;
    while (!rows.eof()) {
        const Variant customField = rows.value("CustomField");
        // A null name never differs from anything, as in the comparison it replaces.
        if (!customField.isNull() && customField.toString() != previousField) {
            previousField = customField.toString();

            engine::Control& label = *AddControl(pageHeader, "label");
            label.caption = rows.value("CustomName").toString();
            if (label.caption.empty() || label.caption.back() != ':')
                label.caption += ':';
            label.visible = true;
            label.font = {"Tahoma", 8, true};
            label.height = 270;
            label.width = 1620;
            if (labels.empty()) {
                label.top = 3420;
                label.left = 1260;
            } else {
                label.top = labels.back()->top + 270;
                label.left = labels.back()->left;
            }
            labels.push_back(&label);

            // Yes/no values print through a field too, never a check box. The value
            // gets no height: its first line shares its caption's line, and only each
            // further line of a wrapped value moves the custom lines below down.
            engine::Control& field = *AddControl(pageHeader, "field");
            const Variant customType = rows.value("CustomType");
            if (!customType.isNull() && customType.toString() == "Yes/No")
                field.outputFormat = "General";
            field.visible = true;
            field.top = label.top;
            field.left = 2970;
            field.width = 6480;
            field.font = {"Tahoma", 8, false};
            field.dataSource = "rdoReport";
            field.text.clear();
            field.dataField = trimmedText(previousField);
            field.canGrow = true;
            field.canShrink = true;
        }
        rows.moveNext();
    }
    if (!labels.empty())
        pageHeader.height += 270.0 * static_cast<double>(labels.size()) + 30;
    rows.close();
}

void repVornItemDetail::installCallbacks() {
    ReportObject::installCallbacks();
    engine::Report& shown = report();
    shown.setDetailBeforePrint([this, &shown] { Detail_BeforePrint(shown); });
}

void repVornItemDetail::Detail_BeforePrint(engine::Report& r) {
    // Four independent steps: one that fails leaves its control as it was and
    // the next still runs.
    try {
        const std::int32_t item = Variant(trimmedText(r.control("txtItemIndex").text)).toI4();
        r.control("txtProject").text = GetItemProject(item);
    } catch (...) {
    }
    try {
        engine::Control& percent = r.control("txtPercentComplete");
        double value = 0;
        try {
            value = std::floor(Variant(percent.text).toR8());
        } catch (...) {
            value = 0; // not a number
        }
        percent.text =
            value < 0 || value > 100 ? "0%" : std::to_string(static_cast<int>(value)) + "%";
    } catch (...) {
    }
    try {
        r.control("lblComments").visible = !r.control("txtComments").text.empty();
    } catch (...) {
    }
    try {
        r.control("lblResolution").visible = !r.control("txtResolution").text.empty();
    } catch (...) {
    }
}

} // namespace vorn::reports
