#include "platform/automation/module_usage.h"

#include <atomic>

namespace vorn::automation {
namespace {
// Objects live on their creators' threads, but a module is shared by all.
std::atomic<int> objects{0};
std::atomic<int> locks{0};
} // namespace

void objectCreated() noexcept {
    ++objects;
}
void objectDestroyed() noexcept {
    --objects;
}
void lockModule() noexcept {
    ++locks;
}
void unlockModule() noexcept {
    --locks;
}
bool moduleInUse() noexcept {
    return objects.load() > 0 || locks.load() > 0;
}
int liveObjects() noexcept {
    return objects.load();
}

} // namespace vorn::automation
