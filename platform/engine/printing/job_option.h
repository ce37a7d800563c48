// One option of a print job as CUPS names it ("copies" = "2", "page-ranges" = "1-3").
#pragma once

#include <string>
#include <vector>

namespace vorn::engine {

struct JobOption {
    std::string name;
    std::string value;
};

using JobOptions = std::vector<JobOption>;

} // namespace vorn::engine
