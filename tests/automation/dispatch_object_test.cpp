// Our member-table objects seen from a late-bound caller, across the same
// Invoke boundary a host uses.
#include "platform/automation/bstr.h"
#include "platform/automation/com_error.h"
#include "platform/automation/dispatch_object.h"
#include "platform/automation/late_bound.h"
#include "tests/support/error_code.h"

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <stdexcept>

using namespace vorn::automation;

using vorn::test::codeOf;

namespace {

class Counter final : public DispatchObject<IDispatch, Counter> {
public:
    static std::span<const Member<Counter>> members();
    std::int32_t value = 0;
    Variant held;

private:
    friend class DispatchObject<IDispatch, Counter>;
    ~Counter() = default;
};

constexpr std::array<Member<Counter>, 7> kCounterMembers{{
    {"Value", DISPID_VALUE, MemberKind::Get, 0, 0,
     [](Counter& c, const Args&) { return Variant(c.value); }},
    {"Value", DISPID_VALUE, MemberKind::Put, 1, 1,
     [](Counter& c, const Args& a) {
         c.value = a.i4(0);
         return Variant();
     }},
    {"Add", 2, MemberKind::Method, 1, 2,
     [](Counter& c, const Args& a) {
         c.value += a.isMissing(1) ? a.i4(0) : a.i4(0) * a.i4(1);
         return Variant(c.value);
     }},
    {"Fail", 3, MemberKind::Method, 0, 0,
     [](Counter&, const Args&) -> Variant { throw ComError(BasicError::SubscriptOutOfRange); }},
    {"FailPlain", 4, MemberKind::Method, 0, 0,
     [](Counter&, const Args&) -> Variant { throw std::runtime_error("disk on fire"); }},
    {"Held", 5, MemberKind::Get, 0, 0, [](Counter& c, const Args&) { return c.held; }},
    {"Held", 5, MemberKind::PutRef, 1, 1,
     [](Counter& c, const Args& a) {
         c.held = a.value(0);
         return Variant();
     }},
}};

std::span<const Member<Counter>> Counter::members() {
    return kCounterMembers;
}

} // namespace

TEST(LateBound, GetPutPutRefAndCallByNameIgnoringCase) {
    auto counter = makeObject<Counter>();
    putProperty(counter.get(), "value", Variant(std::int32_t{4}));
    EXPECT_EQ(getProperty(counter.get(), "VALUE").toI4(), 4);
    EXPECT_EQ(callMethod(counter.get(), "add", {Variant(std::int16_t{3})}).toI4(), 7);
    EXPECT_EQ(callMethod(counter.get(), "Add", {Variant(2.0), Variant("5")}).toI4(), 17);
    EXPECT_EQ(getDefault(counter.get()).toI4(), 17);
    // An object's default member is what it converts through.
    EXPECT_EQ(Variant(static_cast<IDispatch*>(counter.get())).toString(), "17");
    // Put by reference stores the very same object.
    auto other = makeObject<Counter>();
    putRefProperty(counter.get(), "Held", Variant(static_cast<IDispatch*>(other.get())));
    EXPECT_EQ(getProperty(counter.get(), "Held").dispatch(), other.get());
}

TEST(LateBound, CalleeAndDispatchErrorsArriveWithTheirCodeAndDescription) {
    auto counter = makeObject<Counter>();
    std::string text;
    EXPECT_EQ(codeOf([&] { callMethod(counter.get(), "Fail"); }, &text),
              basicCode(BasicError::SubscriptOutOfRange));
    EXPECT_EQ(text, "Subscript out of range");
    EXPECT_EQ(codeOf([&] { callMethod(counter.get(), "FailPlain"); }, &text), E_FAIL);
    EXPECT_EQ(text, "disk on fire");

    EXPECT_EQ(codeOf([&] { getProperty(counter.get(), "Nope"); }), DISP_E_UNKNOWNNAME);
    EXPECT_EQ(codeOf([&] { callMethod(counter.get(), "Add"); }), DISP_E_PARAMNOTOPTIONAL);
    EXPECT_EQ(codeOf([&] {
                  callMethod(counter.get(), "Add", {1.0, 2.0, 3.0});
              }),
              DISP_E_BADPARAMCOUNT);
    EXPECT_EQ(codeOf([&] { putProperty(counter.get(), "Held", Variant(1.0)); }),
              DISP_E_MEMBERNOTFOUND); // Held has no put-by-value
    EXPECT_EQ(codeOf([&] { callMethod(nullptr, "Add"); }),
              basicCode(BasicError::ObjectVariableNotSet));
}

TEST(Invoke, ArgumentAndCalleeErrorsNamesAndInterfaces) {
    auto counter = makeObject<Counter>();
    // Add(1, "x"): rgvarg holds the arguments last-first, so "x" is slot 0.
    Variant args[2] = {Variant("x"), Variant(1.0)};
    VARIANT raw[2] = {args[0].raw(), args[1].raw()};
    DISPPARAMS params{raw, nullptr, 2, 0};
    UINT argErr = 99;
    VARIANT result{};
    EXPECT_EQ(counter->Invoke(2, IID_NULL, 0, DISPATCH_METHOD, &params, &result, nullptr, &argErr),
              DISP_E_TYPEMISMATCH);
    EXPECT_EQ(argErr, 0u);

    // A callee's exception fills EXCEPINFO, or becomes the code without one.
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    EXCEPINFO info{};
    EXPECT_EQ(counter->Invoke(3, IID_NULL, 0, DISPATCH_METHOD, &none, nullptr, &info, nullptr),
              DISP_E_EXCEPTION);
    EXPECT_EQ(info.scode, basicCode(BasicError::SubscriptOutOfRange));
    EXPECT_EQ(bstrToUtf8(info.bstrDescription), "Subscript out of range");
    EXPECT_EQ(bstrToUtf8(info.bstrSource), kErrorSource);
    freeBstr(info.bstrDescription);
    freeBstr(info.bstrSource);
    EXPECT_EQ(counter->Invoke(3, IID_NULL, 0, DISPATCH_METHOD, &none, nullptr, nullptr, nullptr),
              basicCode(BasicError::SubscriptOutOfRange));

    Bstr name("held");
    OLECHAR* names[] = {name.get()};
    DISPID id = 0;
    EXPECT_EQ(counter->GetIDsOfNames(IID_NULL, names, 1, 0, &id), S_OK);
    EXPECT_EQ(id, 5);
    EXPECT_EQ(counter->GetIDsOfNames(IID_IDispatch, names, 1, 0, &id), DISP_E_UNKNOWNINTERFACE);

    void* out = nullptr;
    EXPECT_EQ(counter->QueryInterface(IID_IClassFactory, &out), E_NOINTERFACE);
    EXPECT_EQ(out, nullptr);
    EXPECT_EQ(counter->QueryInterface(IID_IDispatch, &out), S_OK);
    static_cast<IUnknown*>(out)->Release();
    EXPECT_EQ(counter->QueryInterface(IID_IUnknown, nullptr), E_POINTER);
}

TEST(ModuleUsage, OnlyObjectsForHostsAreCounted) {
    struct ForHosts {
        ComPtr<Counter> object = makeObject<Counter>();
        HostHeld counted;
    };
    const int before = liveObjects();
    {
        auto ownUse = makeObject<Counter>();
        EXPECT_EQ(liveObjects(), before);
        ForHosts held;
        EXPECT_EQ(liveObjects(), before + 1);
        EXPECT_TRUE(moduleInUse());
    }
    EXPECT_EQ(liveObjects(), before);
}
