#include "platform/automation/thread_state.h"

#include <pthread.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <mutex>
#include <new>
#include <utility>
#include <vector>

namespace vorn::automation {
namespace {

struct Entry {
    void* object;
    detail::Deleter deleter;
    void** slot;
};

struct ThreadObjects {
    std::vector<Entry> entries;
};

void destroy(std::unique_ptr<ThreadObjects> objects, bool ownThread) noexcept {
    // A destructor may reach for another instance of its thread, even make
    // one: take them off one at a time from the end until none is left.
    while (!objects->entries.empty()) {
        const Entry entry = objects->entries.back();
        objects->entries.pop_back();
        // Another thread's slot is left alone: that thread is not running
        // component code, and its copy of the module's TLS goes with the module.
        if (ownThread)
            *entry.slot = nullptr;
        entry.deleter(entry.object);
    }
}

void threadEnded(void* objects) noexcept;
class Registry;
Registry& registry();

// Every thread's list, so that unloading can reach all of them. The lock
// guards the list of lists only; each thread's objects are its own.
class Registry {
public:
    Registry() {
        pthread_key_create(&key_, threadEnded);
        // In a program that ends with objects alive, they go before the
        // program's static objects that were made before them.
        std::atexit([] { registry().releaseAll(); });
    }
    Registry(const Registry&) = delete;
    Registry& operator=(const Registry&) = delete;

    ThreadObjects& current() {
        auto* objects = static_cast<ThreadObjects*>(pthread_getspecific(key_));
        if (!objects) {
            auto made = std::make_unique<ThreadObjects>();
            {
                const std::lock_guard lock(mutex_);
                all_.push_back(made.get());
            }
            pthread_setspecific(key_, made.get());
            objects = made.release();
        }
        return *objects;
    }

    void releaseCurrent() noexcept {
        if (unloaded_)
            return;
        auto* objects = static_cast<ThreadObjects*>(pthread_getspecific(key_));
        if (!objects)
            return;
        forget(objects);
        pthread_setspecific(key_, nullptr);
        destroy(std::unique_ptr<ThreadObjects>(objects), true);
    }

    void forget(ThreadObjects* objects) noexcept {
        const std::lock_guard lock(mutex_);
        all_.erase(std::remove(all_.begin(), all_.end(), objects), all_.end());
    }

    void releaseAll() noexcept {
        if (unloaded_)
            return;
        releaseCurrent();
        std::vector<ThreadObjects*> others;
        {
            const std::lock_guard lock(mutex_);
            others.swap(all_);
        }
        for (ThreadObjects* objects : others)
            destroy(std::unique_ptr<ThreadObjects>(objects), false);
    }

    void unload() noexcept {
        releaseAll();
        // Threads still running must not call a destructor that is gone.
        pthread_key_delete(key_);
        unloaded_ = true; // the key may soon be another library's
    }

private:
    pthread_key_t key_{};
    bool unloaded_ = false;
    std::mutex mutex_;
    std::vector<ThreadObjects*> all_;
};

// Never destroyed: it must outlive every static object's destructor, and
// after teardown it holds no memory.
Registry& registry() {
    alignas(Registry) static unsigned char storage[sizeof(Registry)];
    static Registry* instance = new (storage) Registry();
    return *instance;
}

void threadEnded(void* objects) noexcept {
    auto* list = static_cast<ThreadObjects*>(objects);
    registry().forget(list);
    destroy(std::unique_ptr<ThreadObjects>(list), true);
}

// Runs when the module is unloaded, and at process exit: before the module's
// static objects are destroyed (the C runtime destroys those last), so that
// the per-thread objects can still use them on their way out.
__attribute__((destructor)) void unloadThreadState() {
    registry().unload();
}

} // namespace

namespace detail {
void adoptThreadObject(void* object, Deleter deleter, void** slot) {
    registry().current().entries.push_back({object, deleter, slot});
}
} // namespace detail

} // namespace vorn::automation
