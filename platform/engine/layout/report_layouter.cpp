#include "platform/engine/layout/report_layouter.h"

#include "platform/engine/engine_error.h"
#include "platform/engine/layout/value_format.h"

namespace vorn::engine {
namespace {

constexpr double kPointsPerTwip = 1.0 / 20.0;

/// The value of `column` for the field `control`, or for the grouping of `band`.
Value readColumn(const RecordSource& records, const std::string& column, const Control* control,
                 const Section* band = nullptr) {
    try {
        return records.value(column);
    } catch (const EngineError& e) {
        if (e.code() != error_code::kNotFound)
            throw;
        const std::string who =
            control ? "The field " + control->name : "The band " + (band ? band->name : "");
        throw EngineError(error_code::kNotFound,
                          who + " names a data field that the records do not have: " + column);
    }
}

} // namespace

ReportLayouter::ReportLayouter(Report& report, TextShaper& shaper)
    : report_(report), shaper_(shaper) {}

void ReportLayouter::collectSections() {
    pageHeader_ = pageFooter_ = detail_ = nullptr;
    groupHeaders_.clear();
    std::vector<Section*> footers;
    for (const auto& s : report_.sections()) {
        switch (s->kind) {
        case SectionKind::PageHeader:
            if (!pageHeader_)
                pageHeader_ = s.get();
            break;
        case SectionKind::PageFooter:
            if (!pageFooter_)
                pageFooter_ = s.get();
            break;
        case SectionKind::Detail:
            if (!detail_)
                detail_ = s.get();
            break;
        case SectionKind::GroupHeader:
            groupHeaders_.push_back(s.get());
            break;
        case SectionKind::GroupFooter:
            footers.push_back(s.get());
            break;
        }
    }
    // Footers close in the reverse order of their headers: the last footer
    // belongs to the first (outermost) header.
    groupFooters_.assign(groupHeaders_.size(), nullptr);
    for (std::size_t k = 0; k < groupHeaders_.size() && k < footers.size(); ++k)
        groupFooters_[k] = footers[footers.size() - 1 - k];
}

void ReportLayouter::collectBindings() {
    bindings_.clear();
    sums_.clear();
    for (const auto& s : report_.sections()) {
        for (const auto& c : s->controls) {
            if (c->kind != ControlKind::Field && c->kind != ControlKind::CheckBox)
                continue;
            if (c->dataField.empty() || c->pageValue != PageValue::None)
                continue;
            if (c->summary == SummaryFunction::None) {
                bindings_.push_back({c.get(), c->dataField});
                continue;
            }
            int level = -1;
            for (std::size_t k = 0; k < groupHeaders_.size(); ++k) {
                if (!c->summaryGroup.empty() ? groupHeaders_[k]->name == c->summaryGroup
                                             : groupFooters_[k] == s.get())
                    level = static_cast<int>(k);
            }
            if (!c->summaryGroup.empty() && level < 0)
                throw EngineError(error_code::kNotFound, "The field " + c->name +
                                                             " sums over a group that the report "
                                                             "does not have: " +
                                                             c->summaryGroup);
            sums_.push_back({c.get(), c->dataField, level});
        }
    }
}

void ReportLayouter::bindRecord(const RecordSource& records) {
    for (const Binding& b : bindings_) {
        Value value = readColumn(records, b.column, b.control);
        if (b.control->kind == ControlKind::CheckBox) {
            auto number = value.number();
            b.control->checked = number ? *number != 0 : value.toText() == "True";
        } else {
            b.control->text = formatValue(value, b.control->outputFormat);
        }
    }
}

void ReportLayouter::addToSums(const RecordSource& records) {
    for (Sum& sum : sums_) {
        Value value = readColumn(records, sum.column, sum.control);
        if (auto number = value.number()) {
            sum.total += *number;
            sum.integral = sum.integral &&
                           (value.isInteger() ||
                            *number == static_cast<double>(static_cast<std::int64_t>(*number)));
        }
    }
}

void ReportLayouter::showSums() {
    for (Sum& sum : sums_) {
        Value value = sum.integral ? Value::integer(static_cast<std::int64_t>(sum.total))
                                   : Value::real(sum.total);
        sum.control->text = formatValue(value, sum.control->outputFormat);
    }
}

void ReportLayouter::renderBand(Section& section, Band& band) {
    if (!sums_.empty())
        showSums();
    if (section.beforePrint)
        section.beforePrint();
    renderer_->render(section, band);
}

void ReportLayouter::printBand(Section* section, PageBuilder& pages) {
    if (!section || !section->visible)
        return;
    renderBand(*section, band_);
    pages.place(band_);
    if (section->newPageAfter)
        pages.breakPage();
}

PageList ReportLayouter::run(RecordSource* records) {
    PageList document;
    begin(records, document);
    while (advance()) {
    }
    return document;
}

void ReportLayouter::begin(RecordSource* records, PageList& document) {
    collectSections();
    collectBindings();
    records_ = records;
    document.paperWidth = report_.paperWidth() * kPointsPerTwip;
    document.paperHeight = report_.paperHeight() * kPointsPerTwip;
    document_ = &document;
    renderer_ = std::make_unique<BandRenderer>(shaper_, document);

    PageFrame frame;
    frame.paperHeight = document.paperHeight;
    frame.marginLeft = report_.margins.left * kPointsPerTwip;
    frame.marginTop = report_.margins.top * kPointsPerTwip;
    frame.marginBottom = report_.margins.bottom * kPointsPerTwip;
    frame.footerHeight =
        pageFooter_ && pageFooter_->visible ? pageFooter_->height * kPointsPerTwip : 0;

    auto header = [this](Band& band) {
        if (pageHeader_ && pageHeader_->visible)
            renderBand(*pageHeader_, band);
    };
    auto footer = [this](Band& band, int pageNumber) {
        if (!pageFooter_ || !pageFooter_->visible)
            return;
        for (const auto& c : pageFooter_->controls)
            if (c->pageValue == PageValue::PageNumber)
                c->text = std::to_string(pageNumber);
        renderBand(*pageFooter_, band);
    };
    pages_ = std::make_unique<PageBuilder>(document, frame, header, footer);

    const std::size_t levels = groupHeaders_.size();
    groupValues_.assign(levels, Value{});
    nextValues_.assign(levels, Value{});
    pending_.assign(levels, Band{});
    first_ = true;
    finished_ = false;
}

bool ReportLayouter::advance() {
    if (finished_)
        return false;
    if (!records_ || records_->eof()) {
        finish();
        return false;
    }
    layOutRecord(*records_);
    records_->moveNext();
    return true;
}

void ReportLayouter::layOutRecord(RecordSource& records) {
    PageBuilder& pages = *pages_;
    PageList& document = *document_;
    const std::size_t levels = groupHeaders_.size();
    for (std::size_t k = 0; k < levels; ++k)
        nextValues_[k] =
            readColumn(records, groupHeaders_[k]->groupField, nullptr, groupHeaders_[k]);
    std::size_t breakLevel = 0;
    if (!first_) {
        breakLevel = levels;
        for (std::size_t k = 0; k < levels; ++k)
            if (!(nextValues_[k] == groupValues_[k])) {
                breakLevel = k;
                break;
            }
        // Footers of the groups that end print with the previous record's values.
        for (std::size_t k = levels; k-- > breakLevel;)
            printBand(groupFooters_[k], pages);
    }
    first_ = false;
    groupValues_ = nextValues_;

    bindRecord(records);
    for (Sum& sum : sums_)
        if (sum.level >= static_cast<int>(breakLevel)) {
            sum.total = 0;
            sum.integral = true;
        }
    addToSums(records);

    // The bands of one record wait until its detail was prepared, so that a page
    // opened for them shows this record in its header.
    std::size_t headersToPrint = 0;
    for (std::size_t k = breakLevel; k < levels; ++k) {
        Section* h = groupHeaders_[k];
        if (!h->visible)
            continue;
        renderBand(*h, pending_[headersToPrint++]);
    }
    const bool detailShown = detail_ && detail_->visible;
    if (detailShown)
        renderBand(*detail_, detailBand_);

    std::size_t i = 0;
    for (std::size_t k = breakLevel; k < levels; ++k) {
        if (!groupHeaders_[k]->visible)
            continue;
        pages.place(pending_[i++]);
        document.outline.push_back(
            {groupValues_[k].toText(), document.pageCount() - 1, static_cast<int>(k)});
        if (groupHeaders_[k]->newPageAfter)
            pages.breakPage();
    }
    if (detailShown) {
        pages.place(detailBand_);
        if (detail_->newPageAfter)
            pages.breakPage();
    }
}

void ReportLayouter::finish() {
    if (!first_)
        for (std::size_t k = groupHeaders_.size(); k-- > 0;)
            printBand(groupFooters_[k], *pages_);
    pages_->finish();
    finished_ = true;
    pages_.reset();
    renderer_.reset();
    document_ = nullptr;
    records_ = nullptr;
}

} // namespace vorn::engine
