// Runs a report over its records and lays out every page: reads the records
// forward, binds fields, opens and closes groups, keeps group sums, calls the
// report's band callbacks, and paginates. Knows fonts only through TextShaper.
#pragma once

#include "platform/engine/data/record_source.h"
#include "platform/engine/layout/band_renderer.h"
#include "platform/engine/layout/page_builder.h"
#include "platform/engine/layout/page_items.h"
#include "platform/engine/model/report.h"

#include <memory>
#include <string>
#include <vector>

namespace vorn::engine {

class ReportLayouter {
public:
    ReportLayouter(Report& report, TextShaper& shaper);

    /// Lays the report out from the first record of `records` (none when null).
    /// \throws EngineError (error_code::kNotFound) when a field's data field names
    /// no column of the records; errors of the record source and of callbacks pass.
    PageList run(RecordSource* records);

    /// Starts laying the report out into `document`, a record at a time, for a
    /// caller that handles pages while later ones are still to come. `records`
    /// and `document` must outlive the layout.
    void begin(RecordSource* records, PageList& document);
    /// Lays out the next record, or closes the last page after the last record.
    /// False once the layout is complete; the pages closed so far (all but the
    /// open one, see PageBuilder::pageOpen) are final.
    bool advance();
    bool pageOpen() const { return pages_ && pages_->pageOpen(); }

private:
    struct Binding {
        Control* control;
        std::string column;
    };
    struct Sum {
        Control* control;
        std::string column;
        int level; // the group whose header restarts it; -1: the whole report
        double total = 0;
        bool integral = true;
    };

    void collectSections();
    void collectBindings();
    void bindRecord(const RecordSource& records);
    void addToSums(const RecordSource& records);
    void showSums();
    void renderBand(Section& section, Band& band);
    void printBand(Section* section, PageBuilder& pages);
    void layOutRecord(RecordSource& records);
    void finish();

    Report& report_;
    TextShaper& shaper_;
    Section* pageHeader_ = nullptr;
    Section* pageFooter_ = nullptr;
    Section* detail_ = nullptr;
    std::vector<Section*> groupHeaders_;
    std::vector<Section*> groupFooters_; // by group level, outermost first; may hold null
    std::vector<Binding> bindings_;
    std::vector<Sum> sums_;
    PageList* document_ = nullptr;
    std::unique_ptr<BandRenderer> renderer_;
    Band band_;
    RecordSource* records_ = nullptr;
    std::unique_ptr<PageBuilder> pages_;
    std::vector<Value> groupValues_;
    std::vector<Value> nextValues_;
    std::vector<Band> pending_;
    Band detailBand_;
    bool first_ = true;
    bool finished_ = true;
};

} // namespace vorn::engine
