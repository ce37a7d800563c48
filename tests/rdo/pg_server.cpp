#include "pg_server.h"

#include "tests/support/command_and_file.h"
#include "tests/support/temp_folder.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <unistd.h>

namespace vorn::rdo::test {
namespace {

std::string field(const std::string& text, const std::string& key) {
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);)
        if (line.starts_with(key + "="))
            return line.substr(key.size() + 1);
    return {};
}

std::optional<PgServer>& sharedSlot() {
    static std::optional<PgServer> slot;
    return slot;
}

} // namespace

PgServer PgServer::start() {
    const std::string output =
        vorn::test::runCommand(std::string(VORN_PG_SERVER_SCRIPT) + " start", false);
    std::string dir = field(output, "PGDIR");
    std::string connect = field(output, "CONNECT");
    if (dir.empty() || connect.empty())
        throw std::runtime_error("PostgreSQL did not start (see the messages of pg-server above)");
    return PgServer(std::move(dir), std::move(connect), true);
}

PgServer& PgServer::shared() {
    auto& slot = sharedSlot();
    if (!slot) {
        if (const char* info = std::getenv("VORN_PG_INFO"); info && *info) {
            const std::string text = vorn::test::readFile(info);
            const std::string connect = field(text, "CONNECT");
            if (connect.empty())
                throw std::runtime_error(
                    std::string("PostgreSQL did not start: no CONNECT line in ") + info);
            slot.emplace(PgServer(field(text, "PGDIR"), connect, false));
        } else {
            slot.emplace(start());
        }
    }
    return *slot;
}

void PgServer::stopShared() noexcept {
    sharedSlot().reset();
}

bool postgreSqlSkipped() {
    const char* skip = std::getenv("VORN_SKIP_PG");
    return skip && *skip;
}

PgServer::PgServer(PgServer&& other) noexcept
    : dir_(std::move(other.dir_)), connect_(std::move(other.connect_)), owned_(other.owned_) {
    other.owned_ = false;
}

PgServer::~PgServer() {
    stop();
}

void PgServer::stop() noexcept {
    if (!owned_)
        return;
    owned_ = false;
    try {
        vorn::test::runCommand(std::string(VORN_PG_SERVER_SCRIPT) + " stop " + dir_, false);
    } catch (...) {
    }
}

void PgServer::halt(const std::string& mode) const {
    vorn::test::runCommand(std::string(VORN_PG_SERVER_SCRIPT) + " halt " + dir_ + " " + mode);
}

void useQuietOdbcConfig() {
    static const vorn::test::TempFolder dir("vorn-odbc");
    std::ifstream in("/etc/odbcinst.ini");
    std::ofstream out(dir.file("odbcinst.ini"));
    for (std::string line; std::getline(in, line);)
        out << (line.starts_with("CommLog=") ? std::string("CommLog=0") : line) << '\n';
    std::ofstream(dir.file("odbc.ini")) << '[' << kSqliteOdbcDsn << "]\nDriver=SQLite3\n";
    setenv("ODBCSYSINI", dir.path().c_str(), 1);
}

} // namespace vorn::rdo::test
