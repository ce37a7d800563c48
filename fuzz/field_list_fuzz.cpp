#include "fuzz/fuzz_entries.h"

#include "host/objects/field_list.h"

#include <stdexcept>
#include <string>

namespace vorn::fuzz {

int fuzzFieldList(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    try {
        for (const host::FieldSpec& field : host::parseFieldSpecs(text)) {
            if (field.fieldName.empty()) {
                __builtin_trap();
            }
        }
    } catch (const std::invalid_argument&) {
    }
    return 0;
}

} // namespace vorn::fuzz
