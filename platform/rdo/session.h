// One open link to a database, whatever the backend: the SQL family it
// speaks, queries that give a row source, action statements. Destroying the
// session closes the link; row sources it handed out keep what they need of it
// alive until they go too.
#pragma once

#include "platform/rdo/dialect/plain_insert.h"
#include "platform/rdo/dialect/target.h"
#include "platform/rdo/row_source.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace vorn::rdo {

/// The SQL a backend understands; statements are rewritten for it.
using SqlTarget = dialect::Target;

class Session {
public:
    virtual ~Session() = default;

    virtual SqlTarget target() const noexcept = 0;
    /// \throws DatabaseError
    virtual std::unique_ptr<RowSource> query(const std::string& sql) = 0;
    /// Runs an action statement and gives the number of rows it touched.
    /// \throws DatabaseError
    virtual std::int64_t execute(const std::string& sql) = 0;
    /// Runs `sql`, read as `insert`; a backend that can keeps one prepared
    /// statement per shape, so a long run of such inserts is parsed only once.
    /// \throws DatabaseError
    virtual std::int64_t executeInsert(std::string_view sql, const dialect::PlainInsert& insert) {
        (void)insert;
        return execute(std::string(sql));
    }
    /// False once the link is known to be broken (server gone, file unusable).
    virtual bool isAlive() noexcept = 0;
};

/// What the environment passes to a new connection.
struct SessionSettings {
    std::int32_t loginTimeout = 15; // seconds; also how long SQLite waits for a lock
    bool readOnly = false;
};

} // namespace vorn::rdo
