#include "platform/toolkit/files.h"

#include "platform/automation/com_error.h"

#include <dlfcn.h>

#include <filesystem>
#include <system_error>

namespace vorn::toolkit {

namespace fs = std::filesystem;
using automation::BasicError;
using automation::ComError;

namespace {
std::string& folderOverride() {
    thread_local std::string folder;
    return folder;
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
