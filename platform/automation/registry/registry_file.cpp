#include "platform/automation/registry/registry_file.h"

#include "platform/automation/com_error.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>

namespace vorn::automation {
namespace {

namespace fs = std::filesystem;

[[noreturn]] void fail(HRESULT code, const std::string& what, const std::string& path) {
    throw ComError(code, what + " " + path + ": " + std::strerror(errno) + ".");
}

class FileLock {
public:
    FileLock(const std::string& path, int operation, HRESULT code) {
        fd_ = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
        if (fd_ < 0)
            fail(code, "Can't open the registry lock", path);
        while (::flock(fd_, operation) != 0)
            if (errno != EINTR) {
                ::close(fd_);
                fail(code, "Can't lock the registry", path);
            }
    }
    ~FileLock() { ::close(fd_); } // closing drops the lock
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

private:
    int fd_ = -1;
};

std::string lockPath(const std::string& path) {
    return path + ".lock";
}

void ensureFolder(const std::string& path, HRESULT code) {
    std::error_code ec;
    const fs::path folder = fs::path(path).parent_path();
    if (!folder.empty())
        fs::create_directories(folder, ec);
    if (ec)
        throw ComError(code, "Can't create the registry folder " + folder.string() + ": " +
                                 ec.message() + ".");
}

RegistryDocument readUnlocked(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT)
            return {};
        fail(REGDB_E_READREGDB, "Can't read the registry", path);
    }
    std::string text;
    char buffer[8192];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            const int error = errno;
            ::close(fd);
            errno = error;
            fail(REGDB_E_READREGDB, "Can't read the registry", path);
        }
        if (n == 0)
            break;
        text.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(fd);
    try {
        return RegistryDocument::parse(text);
    } catch (const ComError& e) {
        throw ComError(e.code(), path + ": " + e.description());
    }
}

void writeAll(int fd, const std::string& text, const std::string& path) {
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            fail(REGDB_E_WRITEREGDB, "Can't write the registry", path);
        done += static_cast<std::size_t>(n);
    }
}

} // namespace

std::string registryPath() {
    if (const char* given = std::getenv("VORN_REGISTRY"); given && *given)
        return given;
    fs::path base;
    if (const char* data = std::getenv("XDG_DATA_HOME"); data && *data)
        base = data;
    else if (const char* home = std::getenv("HOME"); home && *home)
        base = fs::path(home) / ".local" / "share";
    else
        throw ComError(REGDB_E_READREGDB,
                       "Neither VORN_REGISTRY, XDG_DATA_HOME nor HOME is set: no registry.");
    return (base / "vornreports" / "registry.reg").string();
}

RegistryDocument readRegistry(const std::string& path) {
    // No lock: a writer renames a complete copy into place, so whatever this
    // opens is whole. Readers of a registry they may not write still read it.
    return readUnlocked(path);
}

void updateRegistry(const std::string& path, const std::function<void(RegistryDocument&)>& change) {
    ensureFolder(path, REGDB_E_WRITEREGDB);
    const FileLock lock(lockPath(path), LOCK_EX, REGDB_E_WRITEREGDB);
    RegistryDocument document = readUnlocked(path);
    change(document);

    const std::string temporary = path + ".new." + std::to_string(::getpid());
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        fail(REGDB_E_WRITEREGDB, "Can't write the registry", temporary);
    try {
        writeAll(fd, document.text(), temporary);
        if (::fsync(fd) != 0)
            fail(REGDB_E_WRITEREGDB, "Can't write the registry", temporary);
    } catch (...) {
        ::close(fd);
        ::unlink(temporary.c_str());
        throw;
    }
    ::close(fd);
    if (::rename(temporary.c_str(), path.c_str()) != 0) {
        const int error = errno;
        ::unlink(temporary.c_str());
        errno = error;
        fail(REGDB_E_WRITEREGDB, "Can't replace the registry", path);
    }
}

} // namespace vorn::automation
