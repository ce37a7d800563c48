#include "host/sample/sample_random.h"

#include "tests/support/error_code.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

namespace vorn::host {
namespace {

using automation::E_INVALIDARG;

TEST(SampleRandom, GivesTheSameNumbersWithEveryStandardLibrary) {
    // std::mt19937's output is fixed by the language and the rest is ours, so
    // these hold everywhere; a change here changes every sample tracker.
    SampleRandom random(1);
    std::vector<std::uint32_t> drawn;
    for (int i = 0; i < 6; ++i)
        drawn.push_back(random.below(1000));
    EXPECT_EQ(drawn, (std::vector<std::uint32_t>{845, 139, 124, 368, 263, 313}));
}

TEST(SampleRandom, StaysWithinInclusiveBoundsAndRejectsEmptyRanges) {
    SampleRandom random(3);
    bool sawLow = false;
    bool sawHigh = false;
    for (int i = 0; i < 2000; ++i) {
        const std::int64_t v = random.between(-5, 5);
        ASSERT_GE(v, -5);
        ASSERT_LE(v, 5);
        sawLow = sawLow || v == -5;
        sawHigh = sawHigh || v == 5;
    }
    EXPECT_TRUE(sawLow && sawHigh);
    EXPECT_EQ(random.between(9, 9), 9);
    vorn::test::expectError([&] { random.below(0); }, E_INVALIDARG, "positive bound");
    vorn::test::expectError([&] { random.between(5, 4); }, E_INVALIDARG, "low <= high");
}

TEST(SampleRandom, SpreadsEvenlyAndByWeightNeverChoosingAWeightOfZeroNorAllZero) {
    SampleRandom random(42);
    std::array<int, 7> seen{};
    for (int i = 0; i < 7000; ++i)
        ++seen.at(random.below(7));
    for (int count : seen) {
        EXPECT_GT(count, 850);
        EXPECT_LT(count, 1150);
    }
    const std::array<std::uint32_t, 4> weights{0, 3, 0, 1};
    std::array<int, 4> chosen{};
    for (int i = 0; i < 4000; ++i)
        ++chosen.at(random.weighted(weights));
    EXPECT_EQ(chosen[0] + chosen[2], 0);
    EXPECT_GT(chosen[1], 2 * chosen[3]);
    const std::array<std::uint32_t, 2> none{0, 0};
    vorn::test::expectError([&] { random.weighted(none); }, E_INVALIDARG, "weights");
}

} // namespace
} // namespace vorn::host
