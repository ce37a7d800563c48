// Every input kept in a fuzz target's corpus, the findings among them, runs
// through its entry function again: none may crash, hang or upset a sanitizer.
#include "fuzz/fuzz_entries.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace vorn::fuzz {
namespace {

struct FuzzTarget {
    const char* name;
    int (*entry)(const std::uint8_t*, std::size_t);
};

class CorpusReplay : public testing::TestWithParam<FuzzTarget> {};

TEST_P(CorpusReplay, EveryKeptInputIsHandled) {
    const std::filesystem::path folder = std::filesystem::path(VORN_FUZZ_CORPUS) / GetParam().name;
    int replayed = 0;
    for (const auto& file : std::filesystem::directory_iterator(folder)) {
        std::ifstream in(file.path(), std::ios::binary);
        const std::vector<char> bytes{std::istreambuf_iterator<char>(in), {}};
        SCOPED_TRACE(file.path().filename().string());
        EXPECT_EQ(
            0, GetParam().entry(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
        ++replayed;
    }
    EXPECT_GT(replayed, 0) << "no corpus in " << folder;
}

INSTANTIATE_TEST_SUITE_P(Fuzz, CorpusReplay,
                         testing::Values(FuzzTarget{"sql_dialect", fuzzSqlDialect},
                                         FuzzTarget{"variant_text", fuzzVariantText},
                                         FuzzTarget{"design_loader", fuzzDesignLoader},
                                         FuzzTarget{"connect_string", fuzzConnectString},
                                         FuzzTarget{"field_list", fuzzFieldList}),
                         [](const auto& target) { return std::string(target.param.name); });

} // namespace
} // namespace vorn::fuzz
