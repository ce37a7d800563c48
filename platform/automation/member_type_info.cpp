#include "platform/automation/member_type_info.h"

#include "platform/automation/bstr.h"
#include "platform/automation/counted_object.h"
#include "platform/automation/module_usage.h"

#include <memory>

namespace vorn::automation {
namespace {

constexpr WORD kInheritedEntries = 7; // IUnknown's three and IDispatch's four

// A description and the one parameter it may have, handed out together.
struct FunctionBlock {
    FUNCDESC desc;
    ELEMDESC param;
};

ELEMDESC elementOf(VARTYPE type) {
    ELEMDESC e{};
    e.tdesc.vt = type;
    return e;
}

class MemberTypeInfo final : public CountedObject<ITypeInfo, IID_ITypeInfo, MemberTypeInfo> {
public:
    explicit MemberTypeInfo(const InterfaceDescription& d) : description_(d) {
        const auto& members = description_.members;
        functions_.resize(members.size());
        for (std::size_t i = 0; i < members.size(); ++i) {
            const MemberType& m = members[i];
            FunctionBlock& f = functions_[i];
            f.desc.memid = m.id;
            f.desc.funckind = FUNC_DISPATCH;
            f.desc.invkind = static_cast<INVOKEKIND>(m.kind);
            f.desc.callconv = CC_STDCALL;
            f.desc.oVft = static_cast<std::int16_t>((kInheritedEntries + i) * sizeof(void*));
            // Seen from dispatch, a write takes its value, a read or a method returns it.
            const bool writes = m.kind == MemberKind::Put || m.kind == MemberKind::PutRef;
            f.param = elementOf(m.type);
            f.desc.cParams = writes ? 1 : 0;
            f.desc.lprgelemdescParam = writes ? &f.param : nullptr;
            f.desc.elemdescFunc = elementOf(writes ? VT_VOID : m.type);
        }
        attributes_.guid = description_.iid;
        attributes_.memidConstructor = MEMBERID_NIL;
        attributes_.memidDestructor = MEMBERID_NIL;
        attributes_.cbSizeInstance = sizeof(void*);
        attributes_.typekind = TKIND_DISPATCH;
        attributes_.cFuncs = static_cast<WORD>(members.size());
        attributes_.cImplTypes = 1;
        attributes_.cbSizeVft = kInheritedEntries * sizeof(void*);
        attributes_.cbAlignment = alignof(void*);
        attributes_.wTypeFlags = description_.typeFlags;
        objectCreated(); // a host holds it: the module's code must stay loaded
    }

    // Descriptions point into this object: a host releases them before it
    // releases the object, as the interface requires.
    HRESULT GetTypeAttr(TYPEATTR** attr) override {
        if (!attr)
            return E_POINTER;
        *attr = &attributes_;
        return S_OK;
    }
    void ReleaseTypeAttr(TYPEATTR*) override {}
    HRESULT GetFuncDesc(UINT index, FUNCDESC** desc) override {
        if (!desc)
            return E_POINTER;
        *desc = nullptr;
        if (index >= functions_.size())
            return TYPE_E_ELEMENTNOTFOUND;
        *desc = &functions_[index].desc;
        return S_OK;
    }
    void ReleaseFuncDesc(FUNCDESC*) override {}

    HRESULT GetNames(MEMBERID id, BSTR* names, UINT max, UINT* count) override {
        if (!names || !count)
            return E_POINTER;
        *count = 0;
        const MemberType* member = find(id);
        if (!member)
            return TYPE_E_ELEMENTNOTFOUND;
        if (max == 0)
            return S_OK;
        const HRESULT status = text(member->name, names);
        if (status == S_OK)
            *count = 1; // the members' arguments have no names
        return status;
    }
    HRESULT GetIDsOfNames(OLECHAR** names, UINT count, MEMBERID* ids) override {
        if (!names || !ids || count == 0)
            return E_INVALIDARG;
        HRESULT status = S_OK;
        ids[0] = MEMBERID_NIL;
        for (const MemberType& m : description_.members)
            if (detail::namesEqual(names[0], m.name)) {
                ids[0] = m.id;
                break;
            }
        if (ids[0] == MEMBERID_NIL)
            status = DISP_E_UNKNOWNNAME;
        for (UINT i = 1; i < count; ++i) { // the members' arguments have no names
            ids[i] = MEMBERID_NIL;
            status = DISP_E_UNKNOWNNAME;
        }
        return status;
    }
    HRESULT GetDocumentation(MEMBERID id, BSTR* name, BSTR* doc, std::uint32_t* helpContext,
                             BSTR* helpFile) override {
        const char* found = description_.name;
        if (id != MEMBERID_NIL) {
            const MemberType* member = find(id);
            if (!member)
                return TYPE_E_ELEMENTNOTFOUND;
            found = member->name;
        }
        if (doc)
            *doc = nullptr;
        if (helpFile)
            *helpFile = nullptr;
        if (helpContext)
            *helpContext = 0;
        return name ? text(found, name) : S_OK;
    }
    HRESULT Invoke(void* instance, MEMBERID id, WORD flags, DISPPARAMS* params, VARIANT* result,
                   EXCEPINFO* excepInfo, UINT* argErr) override {
        if (!instance)
            return E_INVALIDARG;
        return static_cast<IDispatch*>(instance)->Invoke(id, IID_NULL, 0, flags, params, result,
                                                         excepInfo, argErr);
    }

    HRESULT GetTypeComp(ITypeComp** comp) override { return none(comp); }
    HRESULT GetVarDesc(UINT, void** desc) override { return none(desc); }
    HRESULT GetRefTypeOfImplType(UINT, HREFTYPE*) override { return E_NOTIMPL; }
    HRESULT GetImplTypeFlags(UINT, std::int32_t*) override { return E_NOTIMPL; }
    HRESULT GetDllEntry(MEMBERID, INVOKEKIND, BSTR*, BSTR*, WORD*) override {
        return TYPE_E_ELEMENTNOTFOUND;
    }
    HRESULT GetRefTypeInfo(HREFTYPE, ITypeInfo** info) override { return none(info); }
    HRESULT AddressOfMember(MEMBERID, INVOKEKIND, void** address) override { return none(address); }
    HRESULT CreateInstance(IUnknown*, REFIID, void** object) override { return none(object); }
    HRESULT GetMops(MEMBERID, BSTR* mops) override {
        if (mops)
            *mops = nullptr;
        return S_OK;
    }
    HRESULT GetContainingTypeLib(ITypeLib** lib, UINT*) override { return none(lib); }
    void ReleaseVarDesc(void*) override {}

private:
    friend class CountedObject<ITypeInfo, IID_ITypeInfo, MemberTypeInfo>;
    ~MemberTypeInfo() { objectDestroyed(); }

    const MemberType* find(MEMBERID id) const noexcept {
        for (const MemberType& m : description_.members)
            if (m.id == id)
                return &m;
        return nullptr;
    }
    static HRESULT text(const char* value, BSTR* out) noexcept {
        try {
            *out = allocBstrUtf8(value);
            return S_OK;
        } catch (...) {
            *out = nullptr;
            return E_OUTOFMEMORY;
        }
    }
    template <class T> static HRESULT none(T** out) noexcept {
        if (out)
            *out = nullptr;
        return E_NOTIMPL;
    }

    const InterfaceDescription& description_;
    std::vector<FunctionBlock> functions_;
    TYPEATTR attributes_{};
};

} // namespace

ComPtr<ITypeInfo> makeMemberTypeInfo(const InterfaceDescription& description) {
    return ComPtr<ITypeInfo>::adopt(new MemberTypeInfo(description));
}

} // namespace vorn::automation
