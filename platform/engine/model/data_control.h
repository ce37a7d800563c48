// A report's data control: it tells the record source opener which records the
// report shows. It is never printed. The remote-data kind carries the caller's
// open connection as an opaque handle and an SQL text; the local-database kind a
// database path and a record source query.
#pragma once

#include <memory>
#include <string>

namespace vorn::engine {

enum class DataControlKind { RemoteData, LocalDatabase };

struct DataControl {
    DataControl(DataControlKind kind, std::string name);

    DataControlKind kind;
    std::string name;
    std::string section; // the band the designer put it in
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;

    std::shared_ptr<void> connection; // RemoteData: the caller's open connection
    std::string sql;                  // RemoteData: the query to run
    std::string connect;              // LocalDatabase: the connection kind ("Access")
    std::string databaseName;         // LocalDatabase: path of the database file
    std::string recordSource;         // LocalDatabase: the query to run
};

} // namespace vorn::engine
