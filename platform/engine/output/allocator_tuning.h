// Keeps glibc from handing memory back to the kernel after every page: cairo
// frees its compression state and page recording once per page, and returning
// that memory each time costs about a fifth of a long PDF's writing time.
#pragma once

namespace vorn::engine {

/// Raises the allocator's mmap and trim thresholds, once per process.
void tuneAllocatorForOutput();

} // namespace vorn::engine
