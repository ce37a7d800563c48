#include "reports/report_objects.h"

#include "platform/automation/thread_state.h"
#include "platform/engine/engine_error.h"

namespace vorn::reports {

repVornItemList& ReportObjects::itemList() {
    if (!itemList_)
        itemList_ = std::make_unique<repVornItemList>();
    return *itemList_;
}

repVornItemDetail& ReportObjects::itemDetail() {
    if (!itemDetail_)
        itemDetail_ = std::make_unique<repVornItemDetail>();
    return *itemDetail_;
}

ReportObject& ReportObjects::projectDetail() {
    if (!projectDetail_)
        projectDetail_ = std::make_unique<ReportObject>("repVornProjectDetail");
    return *projectDetail_;
}

ReportObject& ReportObjects::userDetail() {
    if (!userDetail_)
        userDetail_ = std::make_unique<ReportObject>("repVornUserDetail");
    return *userDetail_;
}

ReportObject& ReportObjects::at(int position) {
    switch (position) {
    case 1:
        return itemList();
    case 2:
        return itemDetail();
    case 3:
        return projectDetail();
    case 4:
        return userDetail();
    default:
        throw engine::EngineError(engine::error_code::kBadIndex,
                                  "There is no report at position " + std::to_string(position));
    }
}

bool ReportObjects::created(int position) const {
    switch (position) {
    case 1:
        return bool(itemList_);
    case 2:
        return bool(itemDetail_);
    case 3:
        return bool(projectDetail_);
    case 4:
        return bool(userDetail_);
    default:
        return false;
    }
}

ReportObjects& reportObjects() {
    return automation::threadInstance<ReportObjects>();
}

} // namespace vorn::reports
