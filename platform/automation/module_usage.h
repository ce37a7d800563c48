// Counts what keeps a module loaded: live objects and class factory locks.
// Each module (the component, a host) links its own copy of this counter.
#pragma once

namespace vorn::automation {

void objectCreated() noexcept;
void objectDestroyed() noexcept;
void lockModule() noexcept;
void unlockModule() noexcept;
/// True while any object is alive or any lock is held.
bool moduleInUse() noexcept;
int liveObjects() noexcept;

} // namespace vorn::automation
