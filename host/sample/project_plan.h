// The project hierarchy of a sample tracker, planned before anything is
// written so that items can be spread over it.
#pragma once

#include "host/sample/sample_random.h"
#include "host/sample/tracker_time.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vorn::host {

struct SampleProject {
    std::int32_t index = 0;
    std::string name;
    std::optional<std::int32_t> parent; // for a top-level project: 0, -1 or null
    TrackerSeconds created = 0;
    int depth = 1;                // top-level projects are at depth 1
    std::uint32_t itemWeight = 0; // 0: a project without items
};

/// Projects in ascending `index`, every parent listed before its children.
/// \throws automation::ComError E_INVALIDARG for a negative count
std::vector<SampleProject> planProjects(int count, SampleRandom& random);

} // namespace vorn::host
