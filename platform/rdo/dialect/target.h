// The database engines a statement of the legacy dialects can be run on.
#pragma once

namespace vorn::rdo::dialect {

enum class Target {
    SQLite,     // the embedded engine, 3.40 or later
    PostgreSQL, // 15 or later
    SqlServer,  // runs the server form as it is written
    Access,     // runs the Access form as it is written
};

} // namespace vorn::rdo::dialect
