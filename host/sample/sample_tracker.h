// Writes a tracker database full of made-up but realistic data, for the demo,
// the tests and the benchmarks of the reports.
#pragma once

#include <cstdint>
#include <string>

namespace vorn::host {

struct SampleOptions {
    int projects = 40;
    int items = 500;
    int users = 8;
    std::uint32_t seed = 1;
};

/// Writes the sample tracker to `path`, replacing an existing file. The same
/// options give the same bytes.
/// \throws automation::ComError E_INVALIDARG for negative counts, items without
///         projects or an empty path; E_FAIL when the file cannot be written
void writeSampleTracker(const std::string& path, const SampleOptions& options);

} // namespace vorn::host
