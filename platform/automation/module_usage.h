// Counts what keeps a module loaded: objects a host holds and class factory
// locks. Objects a module makes for its own use (its database connections,
// its report objects) do not count: they go with the module. Each module
// (the component, a host) links its own copy of this counter.
#pragma once

namespace vorn::automation {

void objectCreated() noexcept;
void objectDestroyed() noexcept;
void lockModule() noexcept;
void unlockModule() noexcept;
/// True while any counted object is alive or any lock is held.
bool moduleInUse() noexcept;
int liveObjects() noexcept;

/// A member that counts its owner as an object a host holds, for as long as
/// the owner lives.
class HostHeld {
public:
    HostHeld() noexcept { objectCreated(); }
    HostHeld(const HostHeld&) noexcept { objectCreated(); }
    HostHeld& operator=(const HostHeld&) noexcept { return *this; }
    ~HostHeld() { objectDestroyed(); }
};

} // namespace vorn::automation
