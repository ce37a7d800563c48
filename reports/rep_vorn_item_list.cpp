#include "reports/rep_vorn_item_list.h"

#include "data/mod_report_main.h"
#include "platform/automation/late_bound.h"
#include "reports/basic_integer.h"

namespace vorn::reports {

using automation::LateBound;
using automation::Variant;

void repVornItemList::RunListReport() {
    startFromDesign();
    engine::Report& r = report();

    const std::int32_t pageInches = orientation() == engine::Report::kPortrait ? 8 : 10;
    engine::Section& pageHeader = r.section("PageHeader");
    engine::Section& detail = r.section("Detail");

    r.control("linItem").x2 = pageInches * 1380;
    engine::Control& page = r.control("Label22");
    page.left = pageInches * 1100;
    r.control("txtPageNumber").left = page.left + 450;
    r.control("Label21").left = page.left + 900;
    r.control("txtPageCount").left = page.left + 1080;
    r.control("Image2").left = pageInches * 1250;

    const double rightLimit = pageInches * 1440;
    std::int32_t x = 250;
    Int16 row = 0;
    LateBound fields(modReportMain().gOtherParameters.get());
    const Int16 count = fields.get("Count").toI2();
    for (Int16 i = 1; i <= count; i = i + 1) {
        LateBound entry = fields.object("Item", {Variant(i.value())});
        const Variant width = entry.get("fieldwidth");

        engine::Control& caption = pageHeader.controls.add("DDActiveReports.Label");
        caption.height = 200;
        caption.width = width.toR8();
        if (x + caption.width + 250 > rightLimit) {
            row = row + 1;
            x = 350;
            pageHeader.height += 200;
        }
        caption.top = (Int16(1170) + Int16(200) * row).value();
        caption.left = x;
        caption.font.name = "Tahoma";
        caption.font.bold = true;
        caption.caption = entry.get("FriendlyName").toString();

        engine::Control& field = detail.controls.add("DDActiveReports.Field");
        field.height = 200;
        field.width = width.toR8();
        field.top = (Int16(200) * row).value();
        field.left = x;
        field.font.name = "Tahoma";
        field.dataSource = "rdoReport";
        field.dataField = entry.get("FieldName").toString();

        x = Variant(x + width.toR8() + 45).toI4();
    }
    detail.height = (Int16(200) * (row + 1) + Int16(100)).value();
}

} // namespace vorn::reports
