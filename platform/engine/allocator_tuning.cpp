#include "platform/engine/allocator_tuning.h"

#include <malloc.h>

#include <mutex>

namespace vorn::engine {
namespace {

constexpr int kMmapThreshold = 8 * 1024 * 1024;
constexpr int kTrimThreshold = 64 * 1024 * 1024;

} // namespace

void tuneAllocatorForReports() {
    static std::once_flag once;
    std::call_once(once, [] {
        mallopt(M_MMAP_THRESHOLD, kMmapThreshold);
        mallopt(M_TRIM_THRESHOLD, kTrimThreshold);
    });
}

} // namespace vorn::engine
