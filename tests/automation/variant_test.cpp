#include "platform/automation/bstr.h"
#include "platform/automation/com_error.h"
#include "platform/automation/variant.h"
#include "tests/support/error_code.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

using namespace vorn::automation;

using vorn::test::codeOf;

namespace {

// The smallest object that counts its references.
struct Counted : IUnknown {
    ULONG refs = 1;
    HRESULT QueryInterface(REFIID, void** out) override {
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG AddRef() override { return ++refs; }
    ULONG Release() override { return --refs; }
};

} // namespace

TEST(Variant, CopiesCountReferencesAndDuplicateStrings) {
    Counted object;
    {
        Variant a(static_cast<IUnknown*>(&object));
        EXPECT_EQ(object.refs, 2u);
        Variant b = a;
        EXPECT_EQ(object.refs, 3u);
        Variant c = std::move(b);
        EXPECT_EQ(object.refs, 3u);
        c = Variant(std::int16_t{1});
        EXPECT_EQ(object.refs, 2u);
    }
    EXPECT_EQ(object.refs, 1u);

    Variant s("text");
    Variant t = s;
    EXPECT_NE(s.raw().bstrVal, t.raw().bstrVal);
    EXPECT_EQ(t.toString(), "text");
}

TEST(Variant, ByReferenceIsReadThroughAndCopiedByValueOnDereference) {
    std::int16_t number = 42;
    VARIANT ref{};
    ref.vt = VT_BYREF | VT_I2;
    ref.piVal = &number;
    Variant v(ref);
    EXPECT_EQ(v.toI4(), 42);
    const Variant value = v.dereferenced();
    EXPECT_EQ(value.type(), VT_I2);
    number = 5;
    EXPECT_EQ(value.toI2(), 42);
    EXPECT_EQ(v.toI2(), 5);

    VARIANT inner{};
    inner.vt = VT_NULL;
    VARIANT refVariant{};
    refVariant.vt = VT_BYREF | VT_VARIANT;
    refVariant.pvarVal = &inner;
    EXPECT_TRUE(Variant(refVariant).isNull());
}

struct I2Case {
    Variant input;
    std::int16_t expected;
};

class ToI2 : public ::testing::TestWithParam<I2Case> {};

TEST_P(ToI2, RoundsHalvesToEven) {
    EXPECT_EQ(GetParam().input.toI2(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Values, ToI2,
                         ::testing::Values(I2Case{Variant(0.5), 0}, I2Case{Variant(1.5), 2},
                                           I2Case{Variant(2.5), 2}, I2Case{Variant(-2.5), -2},
                                           I2Case{Variant(2.6), 3}, I2Case{Variant(32767.4), 32767},
                                           I2Case{Variant(-32768.0), -32768},
                                           I2Case{Variant(std::int32_t{12}), 12},
                                           I2Case{Variant(" 42 "), 42}, I2Case{Variant("&H1F"), 31},
                                           I2Case{Variant("-3.5"), -4}, I2Case{Variant(true), -1},
                                           I2Case{Variant(), 0}));

TEST(Variant, OverflowTypeMismatchNullAndMissingRaiseBasicErrors) {
    const HRESULT overflow = basicCode(BasicError::Overflow);
    const HRESULT mismatch = basicCode(BasicError::TypeMismatch);
    EXPECT_EQ(codeOf([] { (void)Variant(32767.5).toI2(); }), overflow); // rounds to 32768
    EXPECT_EQ(codeOf([] { (void)Variant(std::int32_t{40000}).toI2(); }), overflow);
    EXPECT_EQ(codeOf([] { (void)Variant("40000").toI2(); }), overflow);
    EXPECT_EQ(codeOf([] { (void)Variant(3e10).toI4(); }), overflow);
    EXPECT_EQ(codeOf([] { (void)Variant("forty").toI2(); }), mismatch);
    EXPECT_EQ(codeOf([] { (void)Variant("").toR8(); }), mismatch);
    EXPECT_EQ(codeOf([] { (void)Variant("nan").toR8(); }), mismatch);
    EXPECT_EQ(codeOf([] { (void)Variant("soon").toDate(); }), mismatch);
    EXPECT_DOUBLE_EQ(Variant("1999-03-01").toDate(), 36220.0); // where a date's text converts
    EXPECT_EQ(Variant::missing().type(), VT_ERROR);
    EXPECT_TRUE(Variant::missing().isMissing());
    EXPECT_EQ(codeOf([] { (void)Variant::missing().toI2(); }), mismatch);
    EXPECT_EQ(codeOf([] { (void)Variant::null().toI2(); }),
              basicCode(BasicError::InvalidUseOfNull));
    EXPECT_EQ(codeOf([] { (void)Variant::null().toString(); }),
              basicCode(BasicError::InvalidUseOfNull));
    // Dates outside 1 January 100 .. 31 December 9999, infinity and NaN among them.
    for (const double date : {-657435.0, 2958466.0, HUGE_VAL, -HUGE_VAL, std::nan("")}) {
        EXPECT_EQ(codeOf([&] { (void)Variant(date).toDate(); }), overflow) << date;
        EXPECT_EQ(codeOf([&] { (void)Variant::date(date).toString(); }), overflow) << date;
    }
    EXPECT_NO_THROW((void)Variant::date(2958465.5).toString());
    EXPECT_NO_THROW((void)Variant::date(-657434.5).toString());
}

TEST(Variant, Booleans) {
    for (const Variant& v :
         {Variant(std::int16_t{1}), Variant(-0.1), Variant("True"), Variant("7")})
        EXPECT_TRUE(v.toBool()) << v.toString();
    for (const Variant& v : {Variant(0.0), Variant("false"), Variant()})
        EXPECT_FALSE(v.toBool()) << v.toString();
    EXPECT_EQ(codeOf([] { (void)Variant("maybe").toBool(); }), basicCode(BasicError::TypeMismatch));
}

struct TextCase {
    Variant input;
    const char* expected;
};

class ToText : public ::testing::TestWithParam<TextCase> {};

TEST_P(ToText, WritesNumbersTheWayBasicDoes) {
    EXPECT_EQ(GetParam().input.toString(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Values, ToText,
    ::testing::Values(TextCase{Variant(std::int16_t{-5}), "-5"},
                      TextCase{Variant(std::int32_t{5000000}), "5000000"},
                      TextCase{Variant(0.1), "0.1"}, TextCase{Variant(42.9), "42.9"},
                      TextCase{Variant(1e20), "1E+20"}, TextCase{Variant(1e-5), "1E-05"},
                      TextCase{Variant(0.0), "0"}, TextCase{Variant(true), "True"},
                      TextCase{Variant(false), "False"}, TextCase{Variant(), ""}));

TEST(Variant, DetachAndAdoptHandOverOwnership) {
    Variant s("owned");
    VARIANT raw = s.detach();
    EXPECT_TRUE(s.isEmpty());
    Variant back = Variant::adopt(raw);
    EXPECT_EQ(raw.vt, VT_EMPTY);
    EXPECT_EQ(back.toString(), "owned");
}
