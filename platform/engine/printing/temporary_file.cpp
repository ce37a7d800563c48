#include "platform/engine/printing/temporary_file.h"

#include "platform/engine/engine_error.h"

#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace vorn::engine {

TemporaryFile::TemporaryFile(const std::string& suffix) {
    const char* folder = std::getenv("TMPDIR");
    std::string pattern =
        std::string(folder && *folder ? folder : "/tmp") + "/vorn-XXXXXX" + suffix;
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    const int fd = mkstemps(name.data(), static_cast<int>(suffix.size()));
    if (fd < 0)
        throw EngineError(error_code::kFail, "Cannot create a temporary file like \"" + pattern +
                                                 "\": " + std::strerror(errno));
    close(fd);
    path_ = name.data();
}

TemporaryFile::~TemporaryFile() {
    unlink(path_.c_str());
}

} // namespace vorn::engine
