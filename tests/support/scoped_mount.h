// A mount that lasts as long as the object: a tiny disk that fills up, or a
// file or folder seen read-only (a read-only bind mount holds for root too).
// Mounting needs root; where it fails, ready() is false and the test skips.
#pragma once

#include <sys/mount.h>

#include <string>

namespace vorn::test {

class ScopedMount {
public:
    /// A tmpfs of `size` (e.g. "64k") over the folder `path`.
    static ScopedMount smallDisk(const std::string& path, const std::string& size) {
        const bool mounted =
            ::mount("tmpfs", path.c_str(), "tmpfs", 0, ("size=" + size).c_str()) == 0;
        return ScopedMount(path, mounted, mounted);
    }
    /// `path`, a file or a folder, read-only.
    static ScopedMount readOnly(const std::string& path) {
        const bool bound = ::mount(path.c_str(), path.c_str(), nullptr, MS_BIND, nullptr) == 0;
        return ScopedMount(path, bound,
                           bound && ::mount(nullptr, path.c_str(), nullptr,
                                            MS_BIND | MS_REMOUNT | MS_RDONLY, nullptr) == 0);
    }
    ScopedMount(const ScopedMount&) = delete;
    ScopedMount& operator=(const ScopedMount&) = delete;
    ~ScopedMount() {
        if (mounted_)
            ::umount2(path_.c_str(), MNT_DETACH);
    }
    bool ready() const noexcept { return ready_; }

private:
    ScopedMount(std::string path, bool mounted, bool ready)
        : path_(std::move(path)), mounted_(mounted), ready_(ready) {}
    std::string path_;
    bool mounted_;
    bool ready_;
};

} // namespace vorn::test
