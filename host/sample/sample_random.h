// Random choices for the sample tracker that come out the same with every
// standard library: std::mt19937's output is fixed by the language, but the
// standard distributions are not, so the ones here are our own.
#pragma once

#include <cstdint>
#include <iterator>
#include <random>
#include <span>

namespace vorn::host {

class SampleRandom {
public:
    explicit SampleRandom(std::uint32_t seed) : engine_(seed) {}

    /// A whole number in [0, bound). \throws automation::ComError E_INVALIDARG for bound 0
    std::uint32_t below(std::uint32_t bound);
    /// A whole number in [low, high]. \throws automation::ComError E_INVALIDARG when low > high
    std::int64_t between(std::int64_t low, std::int64_t high);
    /// True `chance` times in a hundred.
    bool percent(std::uint32_t chance) { return below(100) < chance; }
    /// An index into `weights`, each index as likely as its weight.
    /// \throws automation::ComError E_INVALIDARG when the weights add up to 0
    std::size_t weighted(std::span<const std::uint32_t> weights);

    /// One element of a non-empty array, vector or span.
    template <class Range> const auto& pick(const Range& from) {
        return from[below(static_cast<std::uint32_t>(std::size(from)))];
    }

private:
    std::mt19937 engine_;
};

} // namespace vorn::host
