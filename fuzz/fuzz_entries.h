// The fuzzed entry points. Each takes one input as libFuzzer hands it over
// and returns 0; an input may only be refused with the exception its parser
// documents, so anything else escaping (or any sanitizer report) is a finding.
// The same functions replay the corpora in the ordinary test builds.
#pragma once

#include <cstddef>
#include <cstdint>

namespace vorn::fuzz {

int fuzzSqlDialect(const std::uint8_t* data, std::size_t size);
int fuzzVariantText(const std::uint8_t* data, std::size_t size);
int fuzzDesignLoader(const std::uint8_t* data, std::size_t size);
int fuzzConnectString(const std::uint8_t* data, std::size_t size);
int fuzzFieldList(const std::uint8_t* data, std::size_t size);

} // namespace vorn::fuzz
