// What the user chose in the report chooser, read from its controls before
// they go.
#pragma once

namespace vorn::dialog {

struct ChooserChoice {
    /// 1-based position of the selected entry: 1 item list, 2 item detail,
    /// 3 project status, 4 user status; 0 when no entry is selected.
    int position = 0;
    /// The "all" print range rather than the "selected" one.
    bool all = false;
    bool portrait = false;
};

} // namespace vorn::dialog
