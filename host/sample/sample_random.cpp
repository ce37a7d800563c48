#include "host/sample/sample_random.h"

#include "platform/automation/com_error.h"

#include <numeric>

namespace vorn::host {

using automation::ComError;
using automation::E_INVALIDARG;

std::uint32_t SampleRandom::below(std::uint32_t bound) {
    if (bound == 0)
        throw ComError(E_INVALIDARG, "SampleRandom::below needs a positive bound");
    // Rejecting the engine's lowest (2^32 mod bound) outputs leaves a range
    // that is a whole multiple of bound, so every result is equally likely.
    const std::uint32_t threshold = static_cast<std::uint32_t>(-bound) % bound;
    for (;;) {
        const std::uint32_t r = static_cast<std::uint32_t>(engine_());
        if (r >= threshold)
            return r % bound;
    }
}

std::int64_t SampleRandom::between(std::int64_t low, std::int64_t high) {
    if (low > high)
        throw ComError(E_INVALIDARG, "SampleRandom::between needs low <= high");
    const auto span = static_cast<std::uint64_t>(high - low) + 1;
    if (span > 0xFFFFFFFFu)
        throw ComError(E_INVALIDARG, "SampleRandom::between covers at most 2^32 - 1 values");
    return low + below(static_cast<std::uint32_t>(span));
}

std::size_t SampleRandom::weighted(std::span<const std::uint32_t> weights) {
    const std::uint64_t total = std::accumulate(weights.begin(), weights.end(), std::uint64_t{0});
    if (total == 0 || total > 0xFFFFFFFFu)
        throw ComError(E_INVALIDARG, "SampleRandom::weighted needs weights adding up to 1..2^32-1");
    std::uint32_t r = below(static_cast<std::uint32_t>(total));
    std::size_t i = 0;
    while (r >= weights[i]) {
        r -= weights[i];
        ++i;
    }
    return i;
}

} // namespace vorn::host
