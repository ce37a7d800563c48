// Where the engine's data controls get their records: `rdoReport` runs its SQL
// text over the host's connection, `DAODataControl1` runs its record source
// over the local reports database at its database path.
#pragma once

#include "platform/automation/com_ptr.h"

#include <memory>

namespace vorn::reports {

/// Makes the engine open records through the component's data access; once.
void installRecordSources();

/// The host's connection in the opaque form a data control carries.
std::shared_ptr<void> connectionHandle(const automation::ComPtr<automation::IDispatch>& connection);

} // namespace vorn::reports
