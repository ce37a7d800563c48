#include "dialog/frm_print_harness.h"

#include "dialog/chosen_report.h"
#include "dialog/print_harness_window.h"
#include "platform/automation/thread_state.h"
#include "platform/toolkit/gui.h"

#include <memory>

namespace vorn::dialog {

void frmPrintHarness::ShowMe(const bool& preview, const std::int16_t& listOnly) {
    Preview = preview;
    ListOnly = listOnly;
    toolkit::requireDisplay();
    std::optional<ChooserChoice> choice;
    {
        PrintHarnessWindow window(ListOnly);
        choice = window.runModal();
    }
    // Unloaded: the window is gone from the screen before any report work.
    toolkit::doEvents();
    if (choice)
        runChosenReport(*choice, Preview);
}

frmPrintHarness& printHarness() {
    return automation::threadInstance<frmPrintHarness>();
}

} // namespace vorn::dialog
