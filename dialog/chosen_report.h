// The chooser's OK action once the dialog is gone: prepare the chosen report
// with the chosen orientation and print range, then preview or print it.
#pragma once

#include "dialog/chooser_choice.h"

#include <string>

namespace vorn::dialog {

/// The item reports' SQL text for the print range. The tree's node keyed
/// "X-3" closes the host's statement with ")" for the selected rows; for any
/// other node the "all" range first empties gAppendSQL.
std::string itemReportSql(const std::string& selectedNodeKey, bool all);

/// Runs the chosen report from the shared report state: nothing for a
/// position outside 1 to 4.
/// \throws automation::ComError (or the engine's error) from reading the
/// project tree's selected node, the data builds or the engine.
void runChosenReport(const ChooserChoice& choice, bool preview);

} // namespace vorn::dialog
