// Lays a long report out again from its first record and holds only the pages
// around the one asked for, so that printing it needs memory for a few pages,
// not for the whole report. Pages are cheapest asked for in order; an earlier
// page that was already freed starts the layout over.
#pragma once

#include "platform/engine/data/record_source.h"
#include "platform/engine/layout/page_items.h"
#include "platform/engine/layout/report_layouter.h"
#include "platform/engine/model/report.h"
#include "platform/engine/render/pango_text_shaper.h"

#include <memory>

namespace vorn::engine {

/// Opens the records of the report's first data control (none without one).
/// \throws EngineError (error_code::kFail) when the report has a data control
/// but no opener is set; errors of the opener pass.
std::unique_ptr<RecordSource> openRecords(Report& report);

/// Frees the pages of `pages` that closed more than `keep` pages ago, except
/// `needed` and later, and, when the shaper holds many runs, every run that the
/// remaining pages do not use.
void holdRecentPages(PageList& pages, const ReportLayouter& layouter, PangoTextShaper& shaper,
                     int keep, int needed);

class PageStream {
public:
    /// Pages kept behind the one asked for last, by default.
    static constexpr int kPagesKept = 8;

    /// `report` and `shaper` must outlive the stream, and the report must keep
    /// its controls and data while pages are asked for. `keep` pages behind the
    /// one asked for last are held too.
    PageStream(Report& report, PangoTextShaper& shaper, int keep = kPagesKept);
    ~PageStream();
    PageStream(const PageStream&) = delete;
    PageStream& operator=(const PageStream&) = delete;

    /// The pages, holding page `index` (0-based) complete.
    /// \throws EngineError (error_code::kBadIndex) when the report ends before
    /// that page (its records changed since its pages were counted); errors of
    /// the records and the callbacks pass.
    const PageList& reach(int index);
    /// The pages held now (the first page's when none was asked for yet).
    const PageList& current();
    Report& report() const noexcept { return report_; }

private:
    void restart();

    Report& report_;
    PangoTextShaper& shaper_;
    std::unique_ptr<RecordSource> records_;
    std::unique_ptr<PageList> pages_;
    std::unique_ptr<ReportLayouter> layouter_;
    int keep_;
    bool laidOut_ = false;
};

} // namespace vorn::engine
