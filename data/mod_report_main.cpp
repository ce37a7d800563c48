#include "data/mod_report_main.h"

#include "platform/automation/thread_state.h"
namespace vorn {

ReportState& modReportMain() {
    // Lives as long as the thread's use of the component; its references to
    // host objects are released when the thread ends or the component unloads.
    return automation::threadInstance<ReportState>();
}

} // namespace vorn
