// How fast a result set reads forward by column name, and whether memory
// stays flat as the row count grows. Builds a SQLite file of N rows, then
// reads every row's three columns:
//   late-bound: rs.rdoColumns(name).Value, EOF and MoveNext through Invoke,
//               as a Basic program does (member ids looked up once);
//   RowReader:  the component's reader, through the binary row interface.
//   RowReader over ODBC: the same file through the SQLite ODBC driver with
//               StepAPI=1 (without it that driver reads the whole result
//               first), to show that the driver path streams too;
//   sqlite3:    the peer, a bare loop over SQLite's C interface reading the
//               same columns as text and numbers, with no variants at all.
// Usage: vorn_rdo_bench [rows...]   (default 100000 1000000)
#include "bench/common/bench_table.h"
#include "platform/automation/bstr.h"
#include "platform/automation/late_bound.h"
#include "platform/rdo/connection_ref.h"
#include "platform/rdo/rdo_connection.h"
#include "platform/rdo/rdo_environment.h"

#include <sqlite3.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

using namespace vorn::automation;
using namespace vorn::rdo;

namespace {

constexpr const char* kQuery = "SELECT Id, Name, Amount FROM Big LIMIT ";

void buildDatabase(const std::filesystem::path& path, long rows) {
    std::filesystem::remove(path);
    sqlite3* db = nullptr;
    sqlite3_open(path.c_str(), &db);
    const std::string sql =
        "PRAGMA journal_mode=OFF; PRAGMA synchronous=OFF;"
        "CREATE TABLE Big (Id INTEGER, Name TEXT, Amount REAL);"
        "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < " +
        std::to_string(rows) + ") INSERT INTO Big SELECT i, 'Item number ' || i, i * 0.25 FROM n;";
    if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr) != SQLITE_OK) {
        std::fprintf(stderr, "cannot build %s: %s\n", path.c_str(), sqlite3_errmsg(db));
        std::exit(1);
    }
    sqlite3_close(db);
}

// Resident set high-water mark in MiB, reset between runs so each run shows its own.
void resetPeak() {
    std::ofstream("/proc/self/clear_refs") << "5";
}
double peakMiB() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.starts_with("VmHWM:"))
            return std::stod(line.substr(6)) / 1024.0;
    return 0;
}

// Processor time of this process: on a machine shared with other work the
// wall clock also counts the waits for a core.
double cpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

struct Run {
    long rows;
    double seconds;
    double cpu;
    double peak;
};

// One property read or method call the way a Basic program's runtime makes
// it: arguments in a DISPPARAMS on the stack, no allocation of its own.
Variant call(IDispatch* object, DISPID id, WORD flags, VARIANT* argument = nullptr) {
    DISPPARAMS params{argument, nullptr, argument ? 1u : 0u, 0};
    Variant result;
    EXCEPINFO info{};
    UINT argErr = 0;
    if (failed(object->Invoke(id, IID_NULL, 0, flags, &params, result.out(), &info, &argErr))) {
        std::fprintf(stderr, "Invoke failed\n");
        std::exit(1);
    }
    return result;
}

Run lateBound(RdoConnection& connection, long limit) {
    resetPeak();
    const double cpuStart = cpuSeconds();
    const auto start = std::chrono::steady_clock::now();
    const Variant sql(std::string(kQuery) + std::to_string(limit));
    const Variant rsValue = callMethod(static_cast<IDispatch*>(&connection), "OpenResultset",
                                       {sql, Variant(std::int32_t{0}), Variant(std::int32_t{1})});
    IDispatch* rs = rsValue.dispatch();
    const DISPID eof = dispidOf(rs, "EOF");
    const DISPID moveNext = dispidOf(rs, "MoveNext");
    const DISPID columns = dispidOf(rs, "rdoColumns");
    Variant names[] = {Variant("Id"), Variant("Name"), Variant("Amount")};
    DISPID value = DISPID_UNKNOWN;
    long rows = 0;
    double checksum = 0;
    while (!call(rs, eof, DISPATCH_PROPERTYGET).toBool()) {
        for (Variant& name : names) {
            const Variant collection = call(rs, columns, DISPATCH_PROPERTYGET);
            VARIANT argument = name.raw(); // shallow: `name` keeps the string
            const Variant column = call(collection.dispatch(), DISPID_VALUE,
                                        DISPATCH_PROPERTYGET | DISPATCH_METHOD, &argument);
            if (value == DISPID_UNKNOWN)
                value = dispidOf(column.dispatch(), "Value");
            const Variant v = call(column.dispatch(), value, DISPATCH_PROPERTYGET);
            if (v.type() != VT_BSTR)
                checksum += v.raw().vt == VT_I4 ? v.raw().lVal : v.raw().dblVal;
        }
        call(rs, moveNext, DISPATCH_METHOD);
        ++rows;
    }
    callMethod(rs, "Close");
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    if (checksum < 0)
        std::puts("");
    return {rows, elapsed.count(), cpuSeconds() - cpuStart, peakMiB()};
}

Run rowReader(RdoConnection& connection, long limit) {
    resetPeak();
    const double cpuStart = cpuSeconds();
    const auto start = std::chrono::steady_clock::now();
    ConnectionRef ref(static_cast<IDispatch*>(&connection));
    RowReader reader = ref.openResultset(std::string(kQuery) + std::to_string(limit));
    const std::int32_t id = reader.columnIndex("Id");
    const std::int32_t name = reader.columnIndex("Name");
    const std::int32_t amount = reader.columnIndex("Amount");
    long rows = 0;
    double checksum = 0;
    std::size_t text = 0;
    for (; !reader.eof(); reader.moveNext()) {
        checksum += reader.value(id).raw().lVal + reader.value(amount).raw().dblVal;
        text += bstrLength(reader.value(name).raw().bstrVal);
        ++rows;
    }
    reader.close();
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    if (checksum < 0 || text == 0)
        std::puts("");
    return {rows, elapsed.count(), cpuSeconds() - cpuStart, peakMiB()};
}

Run bareSqlite(const std::filesystem::path& path, long limit) {
    resetPeak();
    const double cpuStart = cpuSeconds();
    const auto start = std::chrono::steady_clock::now();
    sqlite3* db = nullptr;
    sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt* stmt = nullptr;
    const std::string sql = std::string(kQuery) + std::to_string(limit);
    sqlite3_prepare_v2(db, sql.c_str(), -1, &stmt, nullptr);
    long rows = 0;
    double checksum = 0;
    std::size_t text = 0;
    while (sqlite3_step(stmt) == SQLITE_ROW) {
        checksum += sqlite3_column_int(stmt, 0) + sqlite3_column_double(stmt, 2);
        text += static_cast<std::size_t>(sqlite3_column_bytes16(stmt, 1));
        sqlite3_column_text16(stmt, 1);
        ++rows;
    }
    sqlite3_finalize(stmt);
    sqlite3_close(db);
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    if (checksum < 0 || text == 0)
        std::puts("");
    return {rows, elapsed.count(), cpuSeconds() - cpuStart, peakMiB()};
}

void tableRows(const char* path, const Run& ours, const Run& peer) {
    vorn::bench::printRow({std::string("read ") + std::to_string(ours.rows) + " rows, " + path,
                           ours.rows / ours.seconds, "rows/s", "sqlite3 C API",
                           peer.rows / peer.seconds, ours.peak});
}

void report(const char* path, const Run& run) {
    std::printf("%-14s %8ld rows  wall %6.3f s %9.0f rows/s  cpu %6.3f s %9.0f rows/s  peak RSS "
                "%5.1f MiB\n",
                path, run.rows, run.seconds, run.rows / run.seconds, run.cpu, run.rows / run.cpu,
                run.peak);
}

// A data source over the SQLite ODBC driver, in a driver list of our own.
std::filesystem::path odbcConfig() {
    const auto dir = std::filesystem::temp_directory_path() /
                     ("vorn-rdo-bench-odbc-" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    std::filesystem::copy_file("/etc/odbcinst.ini", dir / "odbcinst.ini",
                               std::filesystem::copy_options::overwrite_existing);
    std::ofstream(dir / "odbc.ini") << "[VornBench]\nDriver=SQLite3\n";
    setenv("ODBCSYSINI", dir.c_str(), 1);
    return dir;
}

} // namespace

int main(int argc, char** argv) {
    std::vector<long> counts;
    for (int i = 1; i < argc; ++i)
        counts.push_back(std::atol(argv[i]));
    if (counts.empty())
        counts = {100000, 1000000};
    long largest = 0;
    for (long c : counts)
        largest = std::max(largest, c);

    const auto path = std::filesystem::temp_directory_path() /
                      ("vorn-rdo-bench-" + std::to_string(getpid()) + ".db");
    buildDatabase(path, largest);
    {
        auto connection = makeObject<RdoEnvironment>()->openConnection(
            "", true, "DRIVER={SQLite3};Database=" + path.string() + ";");
        lateBound(*connection.get(), 1000); // warm the file cache
        for (long count : counts) {
            const Run late = lateBound(*connection.get(), count);
            const Run reader = rowReader(*connection.get(), count);
            const Run bare = bareSqlite(path, count);
            report("late-bound", late);
            report("RowReader", reader);
            report("sqlite3", bare);
            tableRows("late-bound", late, bare);
            tableRows("RowReader", reader, bare);
        }
    }
    const auto odbcDir = odbcConfig();
    {
        auto connection = makeObject<RdoEnvironment>()->openConnection(
            "", true, "DSN=VornBench;Database=" + path.string() + ";NoCreat=1;StepAPI=1;");
        for (long count : counts)
            report("RowReader/ODBC", rowReader(*connection.get(), count));
    }
    std::filesystem::remove_all(odbcDir);
    std::filesystem::remove(path);
}
