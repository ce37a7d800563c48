// Chooses the backend for a connect string: the Access and SQLite drivers open
// their file in-process with SQLite; every other driver or data source name
// goes through the ODBC driver manager. A PostgreSQL driver is asked to fetch
// results in slices (UseDeclareFetch=1) unless the string says otherwise.
#pragma once

#include "platform/rdo/dialect/source_dialect.h"
#include "platform/rdo/session.h"

#include <memory>
#include <string_view>

namespace vorn::rdo {

/// True when the connect string names a driver that is served in-process.
bool isEmbeddedDriver(std::string_view driver) noexcept;

/// The SQL dialect the programs of the database that a connect string names
/// write in: Access SQL for the Access driver, none in particular otherwise.
dialect::SourceDialect declaredDialect(std::string_view connect) noexcept;

/// \throws DatabaseError when the database can't be opened;
/// automation::ComError kBadConnectString when the string names none.
std::unique_ptr<Session> openSession(std::string_view dataSourceName, std::string_view connect,
                                     const SessionSettings& settings);

} // namespace vorn::rdo
