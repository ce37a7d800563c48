// The type library that vornout.so carries, read back from the file the way a
// tool would, against the member table that dispatch uses and the type
// information that IDispatch::GetTypeInfo serves: the three can never drift.
#include "msft_reader.h"
#include "platform/automation/bstr.h"
#include "platform/automation/type_info_layout.h"
#include "service/cls_reports.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

using namespace vorn;
using namespace vorn::automation;
using namespace vorn::test;

namespace {

constexpr GUID kStdOle = {0x00020430, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
constexpr GUID kRdo = {
    0xEE008642, 0x64A8, 0x11CE, {0x92, 0x0F, 0x08, 0x00, 0x2B, 0x36, 0x9A, 0x33}};
constexpr GUID kRdoConnection = {
    0x5E71F04D, 0x551F, 0x11CF, {0x81, 0x52, 0x00, 0xAA, 0x00, 0xA4, 0x0C, 0x25}};

MsftLibrary storedLibrary() {
    const auto dumped = std::filesystem::temp_directory_path() /
                        ("vornreports-" + std::to_string(::getpid()) + ".tlb");
    const std::string command = "objcopy --dump-section .vorn.typelib=" + dumped.string() + " " +
                                VORN_COMPONENT_FILE + " /dev/null";
    EXPECT_EQ(std::system(command.c_str()), 0) << command;
    std::ifstream in(dumped, std::ios::binary);
    const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
    std::filesystem::remove(dumped);
    return readMsft(bytes);
}

// The value a member reads, writes or returns: a read and a method return it
// through a pointer in their last parameter, a write by reference takes a
// pointer to it. A pointer to an interface is an object reference.
VARTYPE valueOf(const MsftFunction& f) {
    std::vector<VARTYPE> chain = f.params.back().chain;
    if (f.invkind != INVOKE_PROPERTYPUT)
        chain.erase(chain.begin());
    if (chain == std::vector<VARTYPE>{VT_PTR, VT_USERDEFINED})
        return VT_DISPATCH;
    return chain.size() == 1 ? chain[0] : VARTYPE{VT_EMPTY};
}

} // namespace

TEST(TypeLibrary, IdentifiesItselfAndImportsTheTwoLibraries) {
    const MsftLibrary lib = storedLibrary();
    EXPECT_EQ(lib.name, "VornReports");
    EXPECT_EQ(lib.guid, LIBID_VornReports);
    EXPECT_EQ(lib.major, 1);
    EXPECT_EQ(lib.minor, 0);
    EXPECT_EQ(lib.lcid, 0u);
    EXPECT_EQ(lib.syskind, 1); // 32-bit Windows
    EXPECT_EQ(lib.flags, 0);
    EXPECT_FALSE(lib.hasHelpString);
    EXPECT_FALSE(lib.hasHelpFile);
    ASSERT_EQ(lib.imports.size(), 2u);
    EXPECT_EQ(lib.imports[0].file, "StdOle2.Tlb");
    EXPECT_EQ(lib.imports[0].guid, kStdOle);
    EXPECT_EQ(lib.imports[1].file, "MSRDO20.DLL");
    EXPECT_EQ(lib.imports[1].guid, kRdo);
    for (const MsftImport& i : lib.imports)
        EXPECT_EQ(i.major * 10 + i.minor, 20) << i.file;

    ASSERT_EQ(lib.types.size(), 2u);
    EXPECT_EQ(lib.types[0].name, "_clsReports");
    EXPECT_EQ(lib.types[0].guid, IID__clsReports);
    EXPECT_EQ(lib.types[0].kind, TKIND_DISPATCH); // a dual interface
    EXPECT_EQ(lib.types[0].flags, clsReports::description().typeFlags);
    EXPECT_EQ(lib.types[1].name, "clsReports");
    EXPECT_EQ(lib.types[1].guid, CLSID_clsReports);
    EXPECT_EQ(lib.types[1].kind, TKIND_COCLASS);
    EXPECT_EQ(lib.types[1].flags, TYPEFLAG_FCANCREATE);
    EXPECT_EQ(lib.types[1].implTypes, 1);
}

TEST(TypeLibrary, DeclaresTheMembersThatDispatchAnswers) {
    const auto functions = storedLibrary().types.at(0).functions;
    std::size_t i = 0;
    for (const auto& m : clsReports::members()) {
        // Dispatch also takes Basic's Set on DSN, which the interface does not declare.
        if (m.id == dispid::DSN && m.kind == MemberKind::PutRef)
            continue;
        ASSERT_LT(i, functions.size()) << m.name;
        const MsftFunction& f = functions[i];
        EXPECT_EQ(f.name, m.name);
        EXPECT_EQ(f.memid, m.id) << m.name;
        EXPECT_EQ(f.invkind, static_cast<int>(m.kind)) << m.name;
        EXPECT_EQ(f.vtableOffset, 4 * (7 + static_cast<int>(i))) << m.name; // 32-bit entries
        ++i;
    }
    EXPECT_EQ(i, functions.size());
    EXPECT_EQ(functions.back().params.back().imported, kRdoConnection); // DSN's connection
}

TEST(TypeLibrary, TheServedTypeInformationDescribesTheStoredInterface) {
    const auto functions = storedLibrary().types.at(0).functions;
    auto reports = makeObject<clsReports>();
    UINT count = 0;
    ASSERT_EQ(reports->GetTypeInfoCount(&count), S_OK);
    EXPECT_EQ(count, 1u);
    ComPtr<ITypeInfo> info;
    ASSERT_EQ(reports->GetTypeInfo(0, 0, info.out()), S_OK);

    TYPEATTR* attr = nullptr;
    ASSERT_EQ(info->GetTypeAttr(&attr), S_OK);
    EXPECT_EQ(attr->guid, IID__clsReports);
    EXPECT_EQ(attr->typekind, TKIND_DISPATCH);
    ASSERT_EQ(attr->cFuncs, functions.size());
    info->ReleaseTypeAttr(attr);
    Bstr name;
    ASSERT_EQ(info->GetDocumentation(MEMBERID_NIL, name.out(), nullptr, nullptr, nullptr), S_OK);
    EXPECT_EQ(name.utf8(), "_clsReports");

    for (UINT i = 0; i < functions.size(); ++i) {
        const MsftFunction& stored = functions[i];
        SCOPED_TRACE(stored.name);
        FUNCDESC* desc = nullptr;
        ASSERT_EQ(info->GetFuncDesc(i, &desc), S_OK);
        EXPECT_EQ(desc->memid, stored.memid);
        EXPECT_EQ(desc->invkind, stored.invkind);
        const bool writes = stored.invkind & (INVOKE_PROPERTYPUT | INVOKE_PROPERTYPUTREF);
        const VARTYPE served =
            writes ? desc->lprgelemdescParam[0].tdesc.vt : desc->elemdescFunc.tdesc.vt;
        EXPECT_EQ(served, valueOf(stored));
        info->ReleaseFuncDesc(desc);

        BSTR names[2] = {};
        UINT got = 0;
        ASSERT_EQ(info->GetNames(stored.memid, names, 2, &got), S_OK);
        ASSERT_EQ(got, 1u);
        EXPECT_EQ(bstrToUtf8(names[0]), stored.name);
        MEMBERID id = 0;
        EXPECT_EQ(info->GetIDsOfNames(&names[0], 1, &id), S_OK);
        EXPECT_EQ(id, stored.memid);
        freeBstr(names[0]);
    }
}
