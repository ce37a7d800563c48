// A uniquely named file in the temporary folder, removed when it goes out of scope.
#pragma once

#include <string>

namespace vorn::engine {

class TemporaryFile {
public:
    /// Creates an empty file named like "vorn-XXXXXX<suffix>" in TMPDIR or /tmp.
    /// \throws EngineError kFail when the file cannot be created.
    explicit TemporaryFile(const std::string& suffix);
    ~TemporaryFile();
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    const std::string& path() const noexcept { return path_; }

private:
    std::string path_;
};

} // namespace vorn::engine
