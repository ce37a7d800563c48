#include "bench/engine/item_records.h"

#include "platform/engine/engine_error.h"

#include <array>
#include <cstdio>

namespace vorn::bench {
namespace {

constexpr std::array<const char*, 8> kWords = {"crash",  "when",   "saving", "the",
                                               "report", "window", "after",  "login"};
constexpr std::array<const char*, 4> kStatus = {"Open", "Assigned", "Resolved", "Closed"};
constexpr std::array<const char*, 3> kPriority = {"High", "Medium", "Low"};
constexpr std::array<const char*, 6> kUsers = {"Ann Smith",  "Bob Jones",    "Carla Diaz",
                                               "Dan Miller", "Eve Anderson", "Frank Lee"};

} // namespace

const std::vector<ItemColumn>& itemColumns() {
    static const std::vector<ItemColumn> columns = {
        {"ItemIndex", "Item", 900},          {"Subject", "Subject", 4200},
        {"Status", "Status", 1200},          {"Priority", "Priority", 1000},
        {"AssignedTo", "Assigned To", 1400}, {"DateCreated", "Date Created", 1700}};
    return columns;
}

std::string itemText(int row, int column) {
    char buffer[96];
    switch (column) {
    case 0:
        return std::to_string(row + 1);
    case 1: {
        std::string subject = "Item " + std::to_string(row + 1) + ":";
        for (int w = 0; w < 2 + row % 3; ++w)
            subject += std::string(" ") + kWords[static_cast<std::size_t>((row / (w + 1) + w) % 8)];
        return subject;
    }
    case 2:
        return kStatus[static_cast<std::size_t>(row % 4)];
    case 3:
        return kPriority[static_cast<std::size_t>(row % 3)];
    case 4:
        return kUsers[static_cast<std::size_t>(row % 6)];
    default:
        std::snprintf(buffer, sizeof buffer, "%02d/%02d/2026 %02d:%02d", 1 + row % 12, 1 + row % 28,
                      row % 24, row % 60);
        return buffer;
    }
}

engine::Value ItemRecords::value(std::string_view name) const {
    const auto& columns = itemColumns();
    for (std::size_t c = 0; c < columns.size(); ++c)
        if (name == columns[c].fieldName) {
            if (c == 0)
                return engine::Value::integer(row_ + 1);
            if (c == 5)
                return engine::Value::date(itemText(row_, 5));
            return engine::Value::text(itemText(row_, static_cast<int>(c)));
        }
    throw engine::EngineError(engine::error_code::kNotFound,
                              "Column not found: " + std::string(name));
}

} // namespace vorn::bench
