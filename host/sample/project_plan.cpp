#include "host/sample/project_plan.h"

#include "host/sample/sample_words.h"
#include "platform/automation/com_error.h"

#include <algorithm>
#include <map>
#include <set>

namespace vorn::host {

namespace {

constexpr int kDeepestLevel = 5;

// The first projects form a fixed frame, so that every sample of six or more
// projects has a chain four levels deep and each kind of top-level parent:
// 0 (the usual), -1 and null.
enum class Frame { Top, ChildOfPrevious, TopWithParentMinusOne, TopWithNullParent, Free };

Frame frameOf(int position) {
    switch (position) {
    case 0:
        return Frame::Top;
    case 1:
    case 2:
    case 3:
        return Frame::ChildOfPrevious;
    case 4:
        return Frame::TopWithParentMinusOne;
    case 5:
        return Frame::TopWithNullParent;
    default:
        return Frame::Free;
    }
}

std::string topName(std::size_t ordinal) {
    const auto& names = sample_words::kTopProjects;
    if (ordinal < names.size())
        return std::string(names[ordinal]);
    return std::string(names[ordinal % names.size()]) + " " +
           std::to_string(ordinal / names.size() + 1);
}

TrackerSeconds someTimeOfDay(SampleRandom& random) {
    // Many records were entered with a date only, which the trackers stored
    // as midnight.
    if (random.percent(40))
        return 0;
    return random.between(7 * 3600, 19 * 3600 - 1);
}

// The trackers refused two projects of one name under the same parent, but
// allowed them in different branches.
std::string freshName(std::set<std::string>& siblings, SampleRandom& random) {
    std::string name;
    for (int attempt = 0; attempt < 4; ++attempt) {
        name = random.pick(sample_words::kSubProjects);
        if (siblings.insert(name).second)
            return name;
    }
    for (int n = 2;; ++n) {
        if (siblings.insert(name + " " + std::to_string(n)).second)
            return name + " " + std::to_string(n);
    }
}

} // namespace

std::vector<SampleProject> planProjects(int count, SampleRandom& random) {
    if (count < 0)
        throw automation::ComError(automation::E_INVALIDARG,
                                   "The number of projects must not be negative (got " +
                                       std::to_string(count) + ")");
    const TrackerSeconds firstDay = trackerDay(1998, 1, 1);
    std::vector<SampleProject> projects;
    projects.reserve(static_cast<std::size_t>(count));
    std::map<std::int32_t, std::set<std::string>> siblingNames; // by parent index
    std::size_t topLevel = 0;
    std::int32_t index = 0;
    for (int position = 0; position < count; ++position) {
        // Deleted projects leave gaps in the numbering.
        index += position > 0 && random.percent(10) ? 2 : 1;
        SampleProject p;
        p.index = index;
        Frame frame = frameOf(position);
        std::optional<std::size_t> parent;
        if (frame == Frame::ChildOfPrevious) {
            parent = projects.size() - 1;
        } else if (frame == Frame::Free && !random.percent(25)) {
            const std::size_t candidate = random.below(static_cast<std::uint32_t>(projects.size()));
            if (projects[candidate].depth < kDeepestLevel)
                parent = candidate;
        }
        if (parent) {
            const SampleProject& up = projects[*parent];
            p.parent = up.index;
            p.depth = up.depth + 1;
            p.name = freshName(siblingNames[up.index], random);
            const TrackerSeconds parentDay = up.created - up.created % kSecondsPerDay;
            p.created = parentDay + random.between(0, 400) * kSecondsPerDay;
        } else {
            if (frame == Frame::TopWithParentMinusOne)
                p.parent = -1;
            else if (frame != Frame::TopWithNullParent)
                p.parent = 0;
            p.name = topName(topLevel++);
            p.created = firstDay + random.between(0, 3 * 365) * kSecondsPerDay;
        }
        p.created += someTimeOfDay(random);
        if (parent)
            p.created = std::max(p.created, projects[*parent].created);
        // Some projects only hold sub-projects, some were never used; the
        // last one is always empty, so every sample has one.
        const bool empty = position == count - 1 ? position > 0 : random.percent(15);
        p.itemWeight =
            empty && position > 0 ? 0 : static_cast<std::uint32_t>(random.between(1, 20));
        projects.push_back(std::move(p));
    }
    return projects;
}

} // namespace vorn::host
