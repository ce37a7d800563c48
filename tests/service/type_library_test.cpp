// The type library that vornout.so carries, read back from the file as a tool
// would, against the member table that dispatch uses and the type information
// that GetTypeInfo serves: the three can never drift apart.
#include "msft_reader.h"
#include "platform/automation/bstr.h"
#include "service/cls_reports.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <tuple>

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
    const auto file = std::filesystem::temp_directory_path() /
                      ("vornreports-" + std::to_string(::getpid()) + ".tlb");
    const std::string command = "objcopy --dump-section .vorn.typelib=" + file.string() + " " +
                                VORN_COMPONENT_FILE + " /dev/null";
    EXPECT_EQ(std::system(command.c_str()), 0) << command;
    std::ifstream in(file, std::ios::binary);
    const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
    std::filesystem::remove(file);
    return readMsft(bytes);
}

// The value a member reads, writes or returns: reads and methods return it
// through a pointer, a write by reference takes a pointer to it; a pointer to
// an interface is an object reference.
VARTYPE valueOf(const MsftFunction& f) {
    std::vector<VARTYPE> chain = f.params.back().chain;
    if (f.invkind != INVOKE_PROPERTYPUT)
        chain.erase(chain.begin());
    if (chain == std::vector<VARTYPE>{VT_PTR, VT_USERDEFINED})
        return VT_DISPATCH;
    return chain.size() == 1 ? chain[0] : VARTYPE{VT_EMPTY};
}

auto identity(const MsftTypeInfo& t) {
    return std::tuple(t.name, t.guid, t.kind, t.flags, t.implTypes);
}

} // namespace

TEST(TypeLibrary, IdentifiesItselfAndImportsTheTwoLibraries) {
    const MsftLibrary lib = storedLibrary();
    EXPECT_EQ(std::tuple(lib.name, lib.guid, lib.version, lib.lcid, lib.syskind, lib.flags),
              std::tuple("VornReports", LIBID_VornReports, 10, 0u, 1 /* 32-bit Windows */, 0));
    EXPECT_FALSE(lib.hasHelpString || lib.hasHelpFile);
    ASSERT_EQ(lib.imports.size(), 2u);
    EXPECT_EQ(std::tuple(lib.imports[0].file, lib.imports[0].guid, lib.imports[0].version),
              std::tuple("StdOle2.Tlb", kStdOle, 20));
    EXPECT_EQ(std::tuple(lib.imports[1].file, lib.imports[1].guid, lib.imports[1].version),
              std::tuple("MSRDO20.DLL", kRdo, 20));
    ASSERT_EQ(lib.types.size(), 2u);
    EXPECT_EQ(identity(lib.types[0]), std::tuple("_clsReports", IID__clsReports, TKIND_DISPATCH,
                                                 clsReports::description().typeFlags, 1));
    EXPECT_EQ(identity(lib.types[1]),
              std::tuple("clsReports", CLSID_clsReports, TKIND_COCLASS, TYPEFLAG_FCANCREATE, 1));
    EXPECT_EQ(lib.types[0].functions.back().params.back().imported, kRdoConnection); // DSN
}

TEST(TypeLibrary, DeclaresTheMembersThatDispatchAnswersAndGetTypeInfoServes) {
    const auto functions = storedLibrary().types.at(0).functions;
    auto reports = makeObject<clsReports>();
    ComPtr<ITypeInfo> info;
    ASSERT_EQ(reports->GetTypeInfo(0, 0, info.out()), S_OK);
    TYPEATTR* attr = nullptr;
    ASSERT_EQ(info->GetTypeAttr(&attr), S_OK);
    EXPECT_EQ(std::tuple(attr->guid, attr->typekind, attr->cFuncs),
              std::tuple(IID__clsReports, TKIND_DISPATCH, WORD(functions.size())));
    info->ReleaseTypeAttr(attr);

    std::size_t i = 0;
    for (const auto& m : clsReports::members()) {
        if (m.id == dispid::DSN && m.kind == MemberKind::PutRef)
            continue; // Basic's Set on DSN, which dispatch takes but the interface does not declare
        ASSERT_LT(i, functions.size()) << m.name;
        const MsftFunction& f = functions[i];
        SCOPED_TRACE(f.name);
        EXPECT_EQ(std::tuple(f.name, f.memid, f.invkind, f.vtableOffset),
                  std::tuple(m.name, m.id, int(m.kind), 4 * int(7 + i))); // 32-bit table entries

        FUNCDESC* desc = nullptr;
        ASSERT_EQ(info->GetFuncDesc(UINT(i++), &desc), S_OK);
        const VARTYPE served =
            desc->cParams ? desc->lprgelemdescParam[0].tdesc.vt : desc->elemdescFunc.tdesc.vt;
        EXPECT_EQ(std::tuple(desc->memid, int(desc->invkind), served),
                  std::tuple(f.memid, f.invkind, valueOf(f)));
        info->ReleaseFuncDesc(desc);
        Bstr name;
        UINT count = 0;
        ASSERT_EQ(info->GetNames(f.memid, name.out(), 1, &count), S_OK);
        EXPECT_EQ(name.utf8(), f.name);
        MEMBERID id = 0;
        BSTR names[] = {name.get()};
        EXPECT_EQ(info->GetIDsOfNames(names, 1, &id), S_OK);
        EXPECT_EQ(id, f.memid);
    }
    EXPECT_EQ(i, functions.size());
}
