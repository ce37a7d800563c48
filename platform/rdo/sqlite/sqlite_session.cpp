#include "platform/rdo/sqlite/sqlite_session.h"

#include "platform/automation/com_error.h"
#include "platform/rdo/error_codes.h"
#include "platform/rdo/sqlite/sqlite_database.h"
#include "platform/rdo/sqlite/sqlite_row_source.h"
#include "platform/rdo/sqlite/sqlite_statement.h"

#include <algorithm>
#include <cctype>

namespace vorn::rdo {
namespace {

// Shapes of insert kept prepared; a run that keeps making new ones starts over
// rather than holding them all.
constexpr std::size_t kInsertShapesKept = 16;

// Pragma values go into SQL text, so only plain words pass.
std::string pragmaValue(const ConnectString& options, std::string_view key) {
    const auto value = options.get(key);
    if (!value)
        return {};
    if (value->empty() || !std::ranges::all_of(*value, [](unsigned char c) {
            return std::isalnum(c) || c == '_' || c == '-';
        }))
        throw automation::ComError(kBadConnectString,
                                   "Invalid value for " + std::string(key) + ": " + *value);
    return *value;
}

} // namespace

SqliteSession::SqliteSession(const std::string& path, const ConnectString& options,
                             const SessionSettings& settings)
    : db_(std::make_shared<SqliteDatabase>(path, settings.readOnly
                                                     ? SqliteDatabase::Mode::ReadOnly
                                                     : SqliteDatabase::Mode::ReadWrite)) {
    db_->setBusyTimeout(std::max(settings.loginTimeout, 0) * 1000);
    if (const std::string sync = pragmaValue(options, "Synchronous"); !sync.empty())
        db_->exec("PRAGMA synchronous=" + sync);
    if (const std::string journal = pragmaValue(options, "JournalMode"); !journal.empty())
        db_->exec("PRAGMA journal_mode=" + journal);
}

std::unique_ptr<RowSource> SqliteSession::query(const std::string& sql) {
    return std::make_unique<SqliteRowSource>(db_, sql);
}

std::int64_t SqliteSession::execute(const std::string& sql) {
    std::int64_t touched = 0;
    std::string_view rest = sql;
    while (!rest.empty()) {
        SqliteStatement statement(*db_, rest, &rest);
        if (statement.empty())
            break;
        while (statement.step()) {
        }
        touched += db_->changes();
    }
    return touched;
}

SqliteSession::~SqliteSession() = default;

std::int64_t SqliteSession::executeInsert(std::string_view, const dialect::PlainInsert& insert) {
    auto found = inserts_.find(insert.shape);
    if (found == inserts_.end()) {
        if (inserts_.size() >= kInsertShapesKept)
            inserts_.clear();
        auto statement = std::make_unique<SqliteStatement>(*db_, insert.shape);
        found = inserts_.emplace(insert.shape, std::move(statement)).first;
    }
    SqliteStatement& statement = *found->second;
    int parameter = 1;
    for (const dialect::LiteralValue& value : insert.values) {
        switch (value.kind) {
        case dialect::LiteralValue::Kind::Null:
            statement.bindNull(parameter);
            break;
        case dialect::LiteralValue::Kind::Integer:
            statement.bindInteger(parameter, value.integer);
            break;
        case dialect::LiteralValue::Kind::Text:
            statement.bindText(parameter, value.text);
            break;
        }
        ++parameter;
    }
    statement.run();
    return db_->changes();
}

bool SqliteSession::isAlive() noexcept {
    return !db_->broken();
}

} // namespace vorn::rdo
