// State a module keeps once per thread that uses it. A C++ thread_local with
// a destructor registers that destructor with the C library, which then keeps
// the whole module mapped until the thread ends: dlclose of the component
// would silently do nothing. So the thread_local here is a bare pointer, and
// the objects behind it are torn down when their thread ends (a pthread key
// destructor) or when the module is unloaded, whichever comes first.
#pragma once

#include <memory>

namespace vorn::automation {

namespace detail {
using Deleter = void (*)(void*);
/// Hands `object` to this thread's list; `slot` is the thread's pointer to it,
/// cleared when the object goes.
void adoptThreadObject(void* object, Deleter deleter, void** slot);
} // namespace detail

/// This thread's instance of T, made on first use and kept until the thread
/// ends or the module is unloaded. Objects of one thread go in the reverse
/// order of their making.
template <class T> T& threadInstance() {
    thread_local void* instance = nullptr;
    if (!instance) {
        auto made = std::make_unique<T>();
        detail::adoptThreadObject(
            made.get(), [](void* object) { std::default_delete<T>()(static_cast<T*>(object)); },
            &instance);
        instance = made.release();
    }
    return *static_cast<T*>(instance);
}

} // namespace vorn::automation
