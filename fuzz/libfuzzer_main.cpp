// libFuzzer's entry for one fuzz target; VORN_FUZZ_ENTRY names its function.
#include "fuzz/fuzz_entries.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return VORN_FUZZ_ENTRY(data, size);
}
