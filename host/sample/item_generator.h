// Generates the rows of `Items`, one at a time, over a planned project
// hierarchy. The first rows go through every kind of value in turn (each
// status spelling, a missing assignee, each class of percentage, ...) before
// chance takes over, so even a small sample holds every case.
#pragma once

#include "host/sample/item_columns.h"
#include "host/sample/project_plan.h"
#include "host/sample/sample_random.h"
#include "host/sample/sample_value.h"
#include "host/sample/tracker_time.h"

#include <array>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace vorn::host {

class ItemGenerator {
public:
    using Row = std::array<SampleValue, kItemColumnCount>;

    /// \throws automation::ComError E_INVALIDARG when no project takes items
    ItemGenerator(std::span<const SampleProject> projects, int users, SampleRandom& random);

    /// The next item, numbered from 1. Its texts stay valid until the next call.
    const Row& next();

private:
    std::size_t choose(std::span<const std::uint32_t> weights);
    void set(ItemColumn column, SampleValue value) {
        row_[static_cast<std::size_t>(column)] = value;
    }
    SampleValue someUser();
    void makeStatusAndProgress();
    void makeDates(TrackerSeconds projectCreated);
    void makeTexts();
    void makeCustomFields();

    SampleRandom& random_;
    std::vector<std::string> users_;
    std::vector<const SampleProject*> projects_; // those that take items
    std::vector<std::uint32_t> reach_;           // running sum of their weights
    std::int64_t ordinal_ = 0;
    bool completed_ = false;
    std::optional<TrackerTimeText> created_;
    std::optional<TrackerTimeText> modified_;
    std::string subject_;
    std::string comments_;
    Row row_;
};

} // namespace vorn::host
