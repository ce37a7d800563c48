// The chooser's list icons as built into the binary, by file name: "list.gif",
// "detail.gif", "project.gif", "user.gif".
#pragma once

#include <optional>
#include <string_view>
#include <vector>

namespace vorn::dialog::icons {

/// The bytes of an embedded icon; nullopt when no icon has that name.
std::optional<std::string_view> findFile(std::string_view fileName);
std::vector<std::string_view> fileNames();

} // namespace vorn::dialog::icons
