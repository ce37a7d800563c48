// The report chooser dialog as dispatch reaches it: one object per thread,
// whose window is loaded anew by each ShowMe and unloaded by OK or Cancel.
#pragma once

#include <cstdint>

namespace vorn::dialog {

class frmPrintHarness {
public:
    /// Shows the chooser modally and returns once it is closed: after Cancel
    /// (Escape, closing the window) with nothing run, or after OK ran the
    /// chosen report, previewed when `preview`, else printed. `listOnly` 1
    /// offers only the item reports with the print range locked.
    /// \throws engine::EngineError when no display is open; whatever running
    /// the chosen report raised, after the dialog has closed.
    void ShowMe(const bool& preview, const std::int16_t& listOnly);

    /// Kept from the last ShowMe, also after the window is gone.
    bool Preview = false;
    std::int16_t ListOnly = 0;
};

/// This thread's chooser, created on first use.
frmPrintHarness& printHarness();

} // namespace vorn::dialog
