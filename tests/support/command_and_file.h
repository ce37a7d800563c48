// The two things tests do with the system around them: run a command for its
// output, and read a file whole.
#pragma once

#include <filesystem>
#include <string>

namespace vorn::test {

/// Runs a shell command and returns its standard output. Fails the test on a
/// non-zero exit unless `mustSucceed` is false. \throws std::runtime_error
/// when the command cannot be started.
std::string runCommand(const std::string& command, bool mustSucceed = true);

/// The bytes of `path`, empty when it cannot be read.
std::string readFile(const std::filesystem::path& path);

} // namespace vorn::test
