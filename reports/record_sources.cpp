#include "reports/record_sources.h"

#include "platform/automation/ole_date.h"
#include "platform/engine/data/record_source.h"
#include "platform/engine/model/data_control.h"
#include "platform/engine/model/report.h"
#include "platform/rdo/connection_ref.h"
#include "platform/rdo/rdo_connection.h"
#include "platform/rdo/rdo_engine.h"

#include <mutex>
#include <string>
#include <vector>

namespace vorn::reports {

using automation::ComPtr;
using automation::IDispatch;
using automation::Variant;

namespace {

engine::Value toEngineValue(const Variant& v) {
    switch (v.type()) {
    case automation::VT_EMPTY:
    case automation::VT_NULL:
        return engine::Value::null();
    case automation::VT_I2:
    case automation::VT_I4:
        return engine::Value::integer(v.toI4());
    case automation::VT_BOOL:
        return engine::Value::integer(v.toBool() ? -1 : 0);
    case automation::VT_R4:
    case automation::VT_R8:
        return engine::Value::real(v.toR8());
    case automation::VT_DATE:
        return engine::Value::date(automation::formatGeneralDate(v.raw().date));
    default:
        return engine::Value::text(v.toString());
    }
}

// Records read forward through a result set of any connection; column names
// are looked up once per source.
class ResultsetRecords final : public engine::RecordSource {
public:
    ResultsetRecords(rdo::RowReader rows, ComPtr<IDispatch> keepOpen)
        : keepOpen_(std::move(keepOpen)), rows_(std::move(rows)) {}
    ~ResultsetRecords() override {
        try {
            rows_.close();
        } catch (...) {
            // Released all the same.
        }
    }

    bool eof() const override { return rows_.eof(); }
    void moveNext() override { rows_.moveNext(); }
    engine::Value value(std::string_view name) const override {
        return toEngineValue(rows_.value(indexOf(name)));
    }

private:
    std::int32_t indexOf(std::string_view name) const {
        for (const auto& [known, index] : columns_)
            if (known == name)
                return index;
        const std::int32_t index = rows_.columnIndex(name);
        columns_.emplace_back(std::string(name), index);
        return index;
    }

    ComPtr<IDispatch> keepOpen_; // the local database's connection, for a DAO control
    mutable rdo::RowReader rows_;
    mutable std::vector<std::pair<std::string, std::int32_t>> columns_;
};

std::unique_ptr<engine::RecordSource> openRemote(const engine::DataControl& control) {
    const auto handle = std::static_pointer_cast<ComPtr<IDispatch>>(control.connection);
    IDispatch* connection = handle ? handle->get() : nullptr;
    rdo::ConnectionRef ref(connection);
    return std::make_unique<ResultsetRecords>(ref.openResultset(control.sql), ComPtr<IDispatch>());
}

std::unique_ptr<engine::RecordSource> openLocal(const engine::DataControl& control) {
    auto engineObject = automation::makeObject<rdo::RdoEngine>();
    auto connection = engineObject->environment(0)->openConnection(
        "", true, "DRIVER={Microsoft Access Driver (*.mdb)};DBQ=" + control.databaseName + ";");
    ComPtr<IDispatch> link(connection.get());
    rdo::ConnectionRef ref(link.get());
    return std::make_unique<ResultsetRecords>(ref.openResultset(control.recordSource), link);
}

} // namespace

void installRecordSources() {
    static std::once_flag once;
    std::call_once(once, [] {
        engine::setDefaultRecordSourceOpener(
            [](const engine::DataControl& control) -> std::unique_ptr<engine::RecordSource> {
                if (control.kind == engine::DataControlKind::RemoteData)
                    return openRemote(control);
                return openLocal(control);
            });
    });
}

std::shared_ptr<void> connectionHandle(const ComPtr<IDispatch>& connection) {
    if (!connection)
        return nullptr;
    return std::make_shared<ComPtr<IDispatch>>(connection);
}

} // namespace vorn::reports
