#include "platform/toolkit/files.h"

#include "platform/automation/com_error.h"
#include "platform/automation/thread_state.h"

#include <dlfcn.h>
#include <fcntl.h>
#include <unistd.h>

#include <filesystem>
#include <system_error>

namespace vorn::toolkit {

namespace fs = std::filesystem;
using automation::BasicError;
using automation::ComError;

namespace {
struct FolderOverride {
    std::string folder;
};
std::string& folderOverride() {
    return automation::threadInstance<FolderOverride>().folder;
}

// The process that holds a lock on some part of `path`, or 0. Other systems
// refuse to replace a file that another program has open and locked; here the
// copy would go through and pull the file from under that program.
pid_t lockingProcess(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return 0;
    struct flock probe {};
    probe.l_type = F_WRLCK;
    probe.l_whence = SEEK_SET;
    probe.l_start = 0;
    probe.l_len = 0; // to the end and beyond, where databases put their locks
    const bool asked = ::fcntl(fd, F_GETLK, &probe) == 0;
    ::close(fd);
    return asked && probe.l_type != F_UNLCK ? probe.l_pid : 0;
}
} // namespace

void setComponentFolderForTesting(std::string folder) {
    folderOverride() = std::move(folder);
}

std::string componentFolder() {
    if (!folderOverride().empty())
        return folderOverride();
    Dl_info info{};
    // Any address inside this module names the file it was loaded from.
    if (dladdr(reinterpret_cast<void*>(&componentFolder), &info) == 0 || !info.dli_fname)
        throw ComError(BasicError::FileNotFound, "cannot tell where the component was loaded from");
    std::error_code ec;
    fs::path file = fs::canonical(info.dli_fname, ec);
    if (ec)
        file = fs::absolute(info.dli_fname);
    return file.parent_path().string();
}

bool fileExists(const std::string& path) {
    std::error_code ec;
    return fs::is_regular_file(path, ec);
}

void copyFile(const std::string& from, const std::string& to) {
    if (const pid_t holder = lockingProcess(to); holder != 0)
        throw ComError(BasicError::PermissionDenied, "Permission denied: copying " + from + " to " +
                                                         to + " (the file is in use by process " +
                                                         std::to_string(holder) + ")");
    std::error_code ec;
    fs::copy_file(from, to, fs::copy_options::overwrite_existing, ec);
    if (!ec)
        return;
    const bool missing = ec == std::errc::no_such_file_or_directory;
    throw ComError(missing ? BasicError::FileNotFound : BasicError::PermissionDenied,
                   std::string(missing ? "File not found" : "Permission denied") + ": copying " +
                       from + " to " + to + " (" + ec.message() + ")");
}

} // namespace vorn::toolkit
