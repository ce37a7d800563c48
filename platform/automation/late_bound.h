// Late-bound calls by member name on any IDispatch, the way a Basic program
// reaches a host's objects: names are matched by the callee (case-insensitively
// for every object of ours), and a callee's error arrives as ComError carrying
// the callee's own code and description.
#pragma once

#include "platform/automation/com_ptr.h"
#include "platform/automation/variant.h"

#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vorn::automation {

/// \throws ComError DISP_E_UNKNOWNNAME (or the callee's code) when the object
/// has no member of that name; Basic error 91 for a null object.
DISPID dispidOf(IDispatch* object, std::string_view name);

/// Invoke by DISPID. `args` in natural (left-to-right) order; for a put, the
/// last argument is the value assigned.
Variant invoke(IDispatch* object, DISPID id, WORD flags, std::span<const Variant> args);

Variant getProperty(IDispatch* object, std::string_view name,
                    std::initializer_list<Variant> args = {});
void putProperty(IDispatch* object, std::string_view name, const Variant& value,
                 std::initializer_list<Variant> args = {});
void putRefProperty(IDispatch* object, std::string_view name, const Variant& value);
Variant callMethod(IDispatch* object, std::string_view name,
                   std::initializer_list<Variant> args = {});
/// The default member (DISPID 0), read as a property or called as a method.
Variant getDefault(IDispatch* object, std::initializer_list<Variant> args = {});

/// An object reference with its names looked up once: for code that calls the
/// same members of one object many times.
class LateBound {
public:
    LateBound() = default;
    explicit LateBound(IDispatch* object) : object_(object) {}
    explicit LateBound(const Variant& v) : object_(v.dispatch()) {}

    IDispatch* dispatch() const noexcept { return object_.get(); }
    explicit operator bool() const noexcept { return bool(object_); }

    Variant get(std::string_view name, std::initializer_list<Variant> args = {});
    void put(std::string_view name, const Variant& value);
    void putRef(std::string_view name, const Variant& value);
    Variant call(std::string_view name, std::initializer_list<Variant> args = {});
    /// The object a property or method returns, as a LateBound of its own.
    LateBound object(std::string_view name, std::initializer_list<Variant> args = {});

private:
    DISPID id(std::string_view name);
    ComPtr<IDispatch> object_;
    std::vector<std::pair<std::string, DISPID>> names_;
};

} // namespace vorn::automation
