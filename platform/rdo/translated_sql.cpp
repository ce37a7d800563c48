#include "platform/rdo/translated_sql.h"

#include "platform/automation/utf.h"
#include "platform/automation/variant.h"
#include "platform/rdo/dialect/crosstab_builder.h"
#include "platform/rdo/dialect/plain_insert.h"
#include "platform/rdo/dialect/translator.h"
#include "platform/rdo/memory_row_source.h"

#include <cstdint>
#include <optional>
#include <string>

namespace vorn::rdo {
namespace {

using automation::Variant;

std::unique_ptr<RowSource> crosstabOf(RowSource& query, const dialect::Crosstab& layout) {
    dialect::CrosstabBuilder<Variant> builder(
        layout,
        [](const Variant& v) -> std::optional<std::string> {
            if (v.isNull() || v.isEmpty())
                return std::nullopt;
            return v.toString();
        },
        [](const Variant& kind) { return !kind.isNull() && kind.toI4() != 0; }, Variant::null(),
        [](const Variant& a, const Variant& b) {
            if (a.isNull())
                return b;
            if (b.isNull())
                return a;
            const double sum = a.toR8() + b.toR8();
            if (a.type() == automation::VT_I4 && b.type() == automation::VT_I4 &&
                sum <= INT32_MAX && sum >= INT32_MIN)
                return Variant(static_cast<std::int32_t>(sum));
            return Variant(sum);
        });
    for (; !query.atEnd(); query.moveNext()) {
        std::vector<Variant> row;
        row.reserve(query.columnCount());
        for (std::size_t i = 0; i < query.columnCount(); ++i) {
            automation::VARIANT raw{};
            query.readValue(i, raw);
            row.push_back(Variant::adopt(raw));
        }
        builder.addRow(std::move(row));
    }
    auto table = builder.finish();
    std::vector<std::u16string> columns;
    columns.reserve(table.columns.size());
    for (const std::string& name : table.columns)
        columns.push_back(automation::toUtf16(name));
    return std::make_unique<MemoryRowSource>(std::move(columns), std::move(table.rows));
}

} // namespace

std::unique_ptr<RowSource> openTranslatedQuery(Session& session, std::string_view sql,
                                               dialect::SourceDialect declared) {
    const dialect::Translation translation = dialect::translate(sql, session.target(), declared);
    auto rows = session.query(translation.sql);
    if (!translation.crosstab)
        return rows;
    return crosstabOf(*rows, *translation.crosstab);
}

std::int64_t executeTranslated(Session& session, std::string_view sql,
                               dialect::SourceDialect declared) {
    // A plain insert reads the same in every dialect: a build writing thousands
    // of rows spends no time rewriting them.
    if (auto insert = dialect::plainInsert(sql))
        return session.executeInsert(sql, *insert);
    return session.execute(dialect::translate(sql, session.target(), declared).sql);
}

} // namespace vorn::rdo
