#include "fuzz/fuzz_entries.h"

#include "platform/automation/com_error.h"
#include "platform/automation/ole_date.h"
#include "platform/automation/utf.h"
#include "platform/automation/variant.h"

#include <cstring>
#include <string>
#include <string_view>

namespace vorn::fuzz {
namespace {

template <class Read> void coerce(Read read) {
    try {
        read();
    } catch (const automation::ComError&) {
    }
}

void coerceAll(const automation::Variant& value) {
    coerce([&] { (void)value.toI2(); });
    coerce([&] { (void)value.toI4(); });
    coerce([&] { (void)value.toR8(); });
    coerce([&] { (void)value.toBool(); });
    coerce([&] { (void)value.toDate(); });
    coerce([&] { (void)value.toString(); });
}

} // namespace

// The input is read three ways: as UTF-16 units from the host (lone
// surrogates included), as UTF-8 text a database returns, and as the eight
// bytes of a number or date.
int fuzzVariantText(const std::uint8_t* data, std::size_t size) {
    using namespace automation;
    std::u16string units(size / 2, u'\0');
    std::memcpy(units.data(), data, units.size() * 2);
    // Any string a host sends must come back unchanged.
    if (toUtf16(toUtf8(units)) != units) {
        __builtin_trap();
    }
    coerceAll(Variant(std::u16string_view(units)));

    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    (void)toUtf8(toUtf16(bytes));
    coerceAll(Variant(bytes));
    if (const auto date = parseDate(bytes)) {
        (void)formatGeneralDate(*date);
        (void)splitDate(*date);
    }

    if (size >= sizeof(double)) {
        double number = 0;
        std::memcpy(&number, data, sizeof number);
        coerceAll(Variant(number));
        coerceAll(Variant::date(number));
    }
    return 0;
}

} // namespace vorn::fuzz
