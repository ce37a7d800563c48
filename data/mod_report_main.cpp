#include "data/mod_report_main.h"

namespace vorn {

ReportState& modReportMain() {
    // Lives as long as the thread; its references to host objects are
    // released when the thread ends.
    thread_local ReportState state;
    return state;
}

} // namespace vorn
