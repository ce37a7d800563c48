#include "fuzz/fuzz_entries.h"

#include "platform/automation/com_error.h"
#include "platform/rdo/connect_string.h"

#include <string_view>

namespace vorn::fuzz {

int fuzzConnectString(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    try {
        const rdo::ConnectString parsed(text);
        for (const char* key : {"DSN", "Driver", "Database", "DBQ", "UID", "PWD", "Server"}) {
            (void)parsed.get(key);
        }
    } catch (const automation::ComError&) {
    }
    return 0;
}

} // namespace vorn::fuzz
