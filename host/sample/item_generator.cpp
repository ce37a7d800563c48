#include "host/sample/item_generator.h"

#include "host/sample/sample_words.h"
#include "platform/automation/com_error.h"

#include <algorithm>

namespace vorn::host {

namespace words = sample_words;

namespace {

// Weights per class of value; while the items are still few, class n is
// taken for item n instead, so that every class turns up early.
constexpr std::array<std::uint32_t, 9> kStatusWeights{34, 24, 14, 8, 2, 1, 1, 1, 15};
constexpr std::size_t kNullStatus = 8;
constexpr std::array<std::uint32_t, 2> kAssigneeWeights{88, 12};
enum Percent : std::size_t { Whole, Fractional, Above100, Negative, EmptyText, NullPercent };
constexpr std::array<std::uint32_t, 6> kPercentWeights{60, 10, 3, 3, 6, 18};
enum Comment : std::size_t { NoComment, EmptyComment, OneLine, SeveralLines };
constexpr std::array<std::uint32_t, 4> kCommentWeights{15, 15, 40, 30};

TrackerSeconds timeOfDay(SampleRandom& random, std::uint32_t midnightChance) {
    if (random.percent(midnightChance))
        return 0;
    return random.between(7 * 3600, 20 * 3600 - 1);
}

} // namespace

ItemGenerator::ItemGenerator(std::span<const SampleProject> projects, int users,
                             SampleRandom& random)
    : random_(random) {
    std::uint32_t sum = 0;
    for (const SampleProject& p : projects) {
        if (p.itemWeight == 0)
            continue;
        projects_.push_back(&p);
        sum += p.itemWeight;
        reach_.push_back(sum);
    }
    if (projects_.empty())
        throw automation::ComError(automation::E_INVALIDARG,
                                   "Items need at least one project to belong to");
    for (int u = 0; u < users; ++u) {
        const auto n = static_cast<std::size_t>(u);
        users_.emplace_back(n < words::kUsers.size() ? std::string(words::kUsers[n])
                                                     : "User " + std::to_string(u + 1));
    }
    subject_.reserve(256);
    comments_.reserve(1024);
}

std::size_t ItemGenerator::choose(std::span<const std::uint32_t> weights) {
    const auto ordinal = static_cast<std::size_t>(ordinal_ - 1);
    if (ordinal < weights.size())
        return ordinal;
    return random_.weighted(weights);
}

SampleValue ItemGenerator::someUser() {
    if (users_.empty())
        return SampleValue::null();
    return SampleValue::of(std::string_view(random_.pick(users_)));
}

const ItemGenerator::Row& ItemGenerator::next() {
    ++ordinal_;
    set(ItemColumn::ItemIndex, SampleValue::of(ordinal_));
    const std::uint32_t r = random_.below(reach_.back());
    const auto at = std::upper_bound(reach_.begin(), reach_.end(), r) - reach_.begin();
    const SampleProject& project = *projects_[static_cast<std::size_t>(at)];
    set(ItemColumn::ProjectIndex, SampleValue::of(std::int64_t{project.index}));

    makeStatusAndProgress();
    set(ItemColumn::AssignedTo, choose(kAssigneeWeights) == 0 ? someUser() : SampleValue::null());
    set(ItemColumn::Priority, random_.percent(3)
                                  ? SampleValue::null()
                                  : SampleValue::of(random_.pick(words::kPriorities)));
    set(ItemColumn::Severity, random_.percent(5)
                                  ? SampleValue::null()
                                  : SampleValue::of(random_.pick(words::kSeverities)));
    set(ItemColumn::Type, SampleValue::of(random_.pick(words::kTypes)));
    set(ItemColumn::CreatedBy, someUser());
    makeDates(project.created);
    makeTexts();
    makeCustomFields();
    return row_;
}

void ItemGenerator::makeStatusAndProgress() {
    const std::size_t status = choose(kStatusWeights);
    completed_ = status == 0 || status == 4;
    set(ItemColumn::Status,
        status == kNullStatus ? SampleValue::null() : SampleValue::of(words::kStatuses[status]));

    SampleValue percent;
    const bool first = static_cast<std::size_t>(ordinal_ - 1) < kPercentWeights.size();
    switch (choose(kPercentWeights)) {
    case Whole:
        percent =
            SampleValue::of(completed_ && random_.percent(80) ? 100 : random_.between(0, 100));
        break;
    case Fractional:
        percent = SampleValue::ofReal(
            first ? 42.9
                  : static_cast<double>(random_.between(0, 99) * 10 + random_.between(1, 9)) / 10);
        break;
    case Above100:
        percent = SampleValue::of(first ? 150 : random_.between(101, 250));
        break;
    case Negative:
        percent = SampleValue::of(first ? -5 : random_.between(-50, -1));
        break;
    case EmptyText:
        percent = SampleValue::of(std::string_view(""));
        break;
    default:
        break;
    }
    set(ItemColumn::PercentComplete, percent);
}

void ItemGenerator::makeDates(TrackerSeconds projectCreated) {
    const TrackerSeconds projectDay = projectCreated - projectCreated % kSecondsPerDay;
    const TrackerSeconds createdDay = projectDay + random_.between(0, 3 * 365) * kSecondsPerDay;
    TrackerSeconds created = createdDay + timeOfDay(random_, 10);
    created = std::max(created, projectCreated);
    created_.emplace(created);
    set(ItemColumn::DateCreated, SampleValue::of(created_->view()));

    if (random_.percent(15)) {
        set(ItemColumn::LastModifiedBy, SampleValue::null());
        set(ItemColumn::DateLastModified, SampleValue::null());
        return;
    }
    TrackerSeconds modified =
        createdDay + random_.between(0, 300) * kSecondsPerDay + timeOfDay(random_, 15);
    modified_.emplace(std::max(modified, created));
    set(ItemColumn::LastModifiedBy, someUser());
    set(ItemColumn::DateLastModified, SampleValue::of(modified_->view()));
}

void ItemGenerator::makeTexts() {
    subject_.assign(random_.pick(words::kSubjectActions));
    subject_ += ' ';
    subject_ += random_.pick(words::kSubjectObjects);
    subject_ += random_.pick(words::kSubjectContexts);
    set(ItemColumn::Subject, SampleValue::of(std::string_view(subject_)));

    comments_.clear();
    switch (choose(kCommentWeights)) {
    case NoComment:
        set(ItemColumn::Comments, SampleValue::null());
        break;
    case EmptyComment:
        set(ItemColumn::Comments, SampleValue::of(std::string_view("")));
        break;
    case OneLine:
        comments_ = random_.pick(words::kCommentLines);
        set(ItemColumn::Comments, SampleValue::of(std::string_view(comments_)));
        break;
    default: {
        // Texts typed on Windows end their lines with CR LF, imported ones
        // often with LF alone.
        const std::string_view lineEnd = random_.percent(50) ? "\r\n" : "\n";
        const auto lines = random_.between(2, 5);
        for (std::int64_t i = 0; i < lines; ++i) {
            if (i > 0)
                comments_ += lineEnd;
            comments_ += random_.pick(words::kCommentLines);
        }
        set(ItemColumn::Comments, SampleValue::of(std::string_view(comments_)));
    }
    }

    const std::uint32_t r = random_.below(100);
    const std::uint32_t textChance = completed_ ? 70 : 5;
    const std::uint32_t emptyChance = completed_ ? 15 : 10;
    if (r < textChance)
        set(ItemColumn::Resolution, SampleValue::of(random_.pick(words::kResolutions)));
    else if (r < textChance + emptyChance)
        set(ItemColumn::Resolution, SampleValue::of(std::string_view("")));
    else
        set(ItemColumn::Resolution, SampleValue::null());
}

void ItemGenerator::makeCustomFields() {
    set(ItemColumn::Browser, random_.percent(30) ? SampleValue::null()
                                                 : SampleValue::of(random_.pick(words::kBrowsers)));
    const std::uint32_t regression = random_.below(100);
    set(ItemColumn::Regression, regression < 20   ? SampleValue::null()
                                : regression < 75 ? SampleValue::of(std::int64_t{0})
                                                  : SampleValue::of(std::int64_t{1}));
    set(ItemColumn::FoundIn, random_.percent(25) ? SampleValue::null()
                                                 : SampleValue::of(random_.pick(words::kVersions)));
    const std::uint32_t customer = random_.below(100);
    set(ItemColumn::Customer, customer < 30   ? SampleValue::null()
                              : customer < 35 ? SampleValue::of(std::string_view(""))
                                              : SampleValue::of(random_.pick(words::kCustomers)));
    set(ItemColumn::Estimate,
        random_.percent(40)
            ? SampleValue::null()
            : SampleValue::ofReal(static_cast<double>(random_.between(1, 160)) / 4));
}

} // namespace vorn::host
