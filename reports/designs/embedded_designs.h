// The report designs and their pictures as built into the binary, by file name:
// "repVornItemList.json", "repVornItemDetail.json", "repVornProjectDetail.json",
// "repVornUserDetail.json", and the pictures "banner.bmp", "itemicon.bmp",
// "logo.jpg", "windowicon.bmp".
#pragma once

#include "platform/engine/model/report.h"

#include <memory>
#include <optional>
#include <string_view>
#include <vector>

namespace vorn::designs {

/// The bytes of an embedded file; nullopt when no file has that name.
std::optional<std::string_view> findFile(std::string_view fileName);
/// Every embedded file's name.
std::vector<std::string_view> fileNames();

/// A fresh report from the embedded design `designName` ("repVornItemList"), with
/// its pictures; each call gives a new, independent copy.
/// \throws vorn::engine::EngineError (kNotFound) for an unknown design name.
std::unique_ptr<engine::Report> loadReport(std::string_view designName);

} // namespace vorn::designs
