// Keeps glibc from handing memory back to the kernel after every page: layout
// and cairo allocate and free per page (cairo its compression state and page
// recording), and returning that memory each time cost about a fifth of a
// long report's time. The thresholds are process-wide, so the host's
// allocator changes too; the README says so.
#pragma once

namespace vorn::engine {

/// Raises the allocator's mmap threshold to 8 MB and its trim threshold to
/// 64 MB, once per process, before the first report is laid out or written.
void tuneAllocatorForReports();

} // namespace vorn::engine
