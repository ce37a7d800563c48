#include "platform/engine/data/memory_record_source.h"
#include "platform/engine/engine_error.h"
#include "tests/support/error_code.h"

#include <gtest/gtest.h>

namespace vorn::engine {
namespace {

using test::codeOf;

TEST(MemoryRecordSource, readsForwardByColumnName) {
    MemoryRecordSource records(
        {"A", "B"}, {{Value::integer(1), Value::text("x")}, {Value::integer(2), Value::null()}});
    ASSERT_FALSE(records.eof());
    EXPECT_EQ(records.value("B"), Value::text("x"));
    records.moveNext();
    EXPECT_EQ(records.value("A"), Value::integer(2));
    EXPECT_TRUE(records.value("B").isNull());
    records.moveNext();
    EXPECT_TRUE(records.eof());
}

TEST(MemoryRecordSource, errorsCarryTheirCodes) {
    EXPECT_EQ(codeOf([] {
                  MemoryRecordSource({"A"}, {{Value::integer(1), Value::integer(2)}});
              }),
              error_code::kInvalidArgument);
    MemoryRecordSource records({"A"}, {{Value::integer(1)}});
    EXPECT_EQ(codeOf([&] { records.value("a"); }), error_code::kNotFound);
    records.moveNext();
    EXPECT_EQ(codeOf([&] { records.value("A"); }), error_code::kFail);
    EXPECT_EQ(codeOf([&] { records.moveNext(); }), error_code::kFail);
}

} // namespace
} // namespace vorn::engine
