// The description of a dual interface's dispatch side, made from a table of
// its members, for IDispatch::GetTypeInfo: a host reads the members' names,
// DISPIDs, kinds and value types, and may call them through it.
#pragma once

#include "platform/automation/com_ptr.h"
#include "platform/automation/dispatch_object.h"
#include "platform/automation/type_info_layout.h"

#include <span>
#include <vector>

namespace vorn::automation {

/// One member as the interface declares it. `type` is the type of the value
/// read, written or returned (VT_DISPATCH for an interface pointer).
struct MemberType {
    const char* name;
    DISPID id;
    MemberKind kind;
    VARTYPE type;
};

struct InterfaceDescription {
    const char* name;
    IID iid;
    WORD typeFlags;
    std::vector<MemberType> members; // in the order of the function table
};

/// A new type information object over `description`, which must outlive it.
/// \throws std::bad_alloc
ComPtr<ITypeInfo> makeMemberTypeInfo(const InterfaceDescription& description);

} // namespace vorn::automation
