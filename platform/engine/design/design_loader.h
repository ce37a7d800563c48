// Reads a report design from the engine's JSON design format: report-level
// settings, then the bands in printing order, each with one control per line.
#pragma once

#include "platform/engine/model/report.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace vorn::engine {

/// Finds a picture file that a design names, by file name.
using PictureFileLookup = std::function<std::optional<std::string>(std::string_view fileName)>;

/// A new report built from `json`; every call gives a fresh, independent report.
/// \throws EngineError (error_code::kInvalidArgument) for text that is not a valid
/// design (bad JSON, an unknown kind, a missing or mistyped setting), and
/// (error_code::kNotFound) when a picture file cannot be found.
std::unique_ptr<Report> loadDesign(std::string_view json, const PictureFileLookup& pictures);

} // namespace vorn::engine
