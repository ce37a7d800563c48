// The four report objects of this thread, in the fixed order in which
// dispatch matches them against the requested name; each is created the first
// time it is needed and kept.
#pragma once

#include "reports/rep_vorn_item_detail.h"
#include "reports/rep_vorn_item_list.h"
#include "reports/report_object.h"

#include <memory>
#include <string>

namespace vorn::reports {

inline constexpr int kReportCount = 4;

class ReportObjects {
public:
    repVornItemList& itemList();
    repVornItemDetail& itemDetail();
    ReportObject& projectDetail();
    ReportObject& userDetail();
    /// By position, 1 to 4.
    ReportObject& at(int position);
    /// Whether the report at `position` exists yet.
    bool created(int position) const;

    /// The file every print of this thread's reports goes into instead of a
    /// printer (empty: print); the component's entry points set it per call.
    const std::string& printFile() const { return printFile_; }
    void setPrintFile(std::string file) { printFile_ = std::move(file); }

private:
    std::unique_ptr<repVornItemList> itemList_;
    std::unique_ptr<repVornItemDetail> itemDetail_;
    std::unique_ptr<ReportObject> projectDetail_;
    std::unique_ptr<ReportObject> userDetail_;
    std::string printFile_;
};

/// This thread's reports.
ReportObjects& reportObjects();

} // namespace vorn::reports
