#include "platform/engine/printing/progress_text.h"

namespace vorn::engine {
namespace {

// Grouped by hand rather than through the locale: a terminal's C locale would
// print 27778, which is hard to read at a glance.
std::string grouped(int number) {
    std::string digits = std::to_string(number);
    const std::size_t first = digits.front() == '-' ? 1 : 0;
    for (std::size_t at = digits.size(); at > first + 3; at -= 3)
        digits.insert(at - 3, 1, ',');
    return digits;
}

} // namespace

std::string progressText(const LayoutProgress& done) {
    if (!done.countKnown())
        return "Laying out page " + grouped(done.pagesDone);
    return "Page " + grouped(done.pagesDone) + " of " + grouped(done.pageCount);
}

} // namespace vorn::engine
