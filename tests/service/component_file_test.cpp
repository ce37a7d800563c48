// The built vornout.so as tools and installers see it: the type library it
// carries, read back from the file with a reader of the MSFT format of our own
// against the member table that dispatch uses and the type information that
// GetTypeInfo serves (the three can never drift apart); and its registration
// entry points, on a registry file of the test's own.
#include "command_and_file.h"
#include "platform/automation/bstr.h"
#include "platform/automation/com_ptr.h"
#include "platform/automation/hresult.h"
#include "platform/automation/registry/registry_file.h"
#include "platform/automation/type_info_layout.h"
#include "scoped_environment.h"
#include "service/cls_reports.h"
#include "temp_folder.h"

#include <dlfcn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string_view>
#include <tuple>
#include <vector>

using namespace vorn;
using namespace vorn::automation;

namespace {

// A parameter's type, outermost first ({VT_PTR, VT_BSTR}); a type of an
// imported library ends in VT_USERDEFINED and is named by `imported`.
struct MsftType {
    std::vector<VARTYPE> chain;
    GUID imported{};
};

struct MsftFunction {
    std::string name;
    std::int32_t memid;
    int invkind; // 1 method, 2 read, 4 write, 8 write by reference
    int vtableOffset;
    MsftType value; // the last parameter's: what it reads, writes or returns
};

struct MsftTypeInfo {
    std::string name;
    GUID guid;
    int kind, flags, implTypes;
    std::vector<MsftFunction> functions;
};

struct MsftImport {
    std::string file;
    GUID guid;
    int version; // major * 10 + minor
    bool operator==(const MsftImport&) const = default;
};

struct MsftLibrary {
    std::string name;
    GUID guid;
    std::uint32_t lcid;
    int syskind, version, flags; // version: major * 10 + minor
    std::vector<MsftImport> imports;
    std::vector<MsftTypeInfo> types;
};

// The segments of the directory that follows the header, in their order.
enum Segment { TypeInfos, ImpInfo, ImpFiles, Guids = 5, Names = 7, TypeDescs = 9, Segments = 15 };

int version(std::int32_t word) {
    return (word & 0xFFFF) * 10 + ((word >> 16) & 0xFFFF);
}

struct Reader {
    std::string_view bytes;
    std::int32_t segment[Segments]{};

    template <class T> T at(std::int64_t offset) const {
        if (offset < 0 || offset + sizeof(T) > bytes.size())
            throw std::runtime_error("type library: read outside the file");
        T value;
        std::memcpy(&value, bytes.data() + offset, sizeof(T));
        return value;
    }
    std::string text(std::int64_t offset, std::size_t length) const {
        if (offset < 0 || offset + length > bytes.size())
            throw std::runtime_error("type library: text outside the file");
        return std::string(bytes.substr(offset, length));
    }
    std::string name(std::int32_t offset) const { // after a hash link and a length word
        const std::int32_t entry = segment[Names] + offset;
        return text(entry + 12, at<std::uint32_t>(entry + 8) & 0xFF);
    }
    GUID guid(std::int32_t offset) const { return at<GUID>(segment[Guids] + offset); }
    // A base type is in place with the high bit set; any other is a type
    // description: its variant type, then the type it refers to.
    MsftType type(std::int32_t encoded) const {
        MsftType t;
        for (; encoded >= 0; encoded = at<std::int32_t>(segment[TypeDescs] + encoded + 4)) {
            t.chain.push_back(at<std::uint16_t>(segment[TypeDescs] + encoded));
            if (t.chain.back() == VT_USERDEFINED) {
                // An imported type: its entry's third word places its identifier.
                const auto ref = at<std::uint32_t>(segment[TypeDescs] + encoded + 4);
                t.imported = guid(at<std::int32_t>(segment[ImpInfo] + (ref & ~3u) + 8));
                return t;
            }
        }
        t.chain.push_back(encoded & 0x0FFF);
        return t;
    }
    // The records, then per member its id, its name, its record's offset.
    std::vector<MsftFunction> functions(std::int32_t block, int count, int all) const {
        std::vector<MsftFunction> result;
        const std::int32_t records = block + 4;
        const std::int32_t index = records + at<std::int32_t>(block);
        for (int i = 0; i < count; ++i) {
            const std::int32_t record = records + at<std::int32_t>(index + 4 * (2 * all + i));
            MsftFunction f{name(at<std::int32_t>(index + 4 * (all + i))),
                           at<std::int32_t>(index + 4 * i),
                           (at<std::int32_t>(record + 16) >> 3) & 0xF,
                           at<std::int16_t>(record + 12),
                           {}};
            // The parameters end the record, three words each.
            if (at<std::int16_t>(record + 20) > 0)
                f.value = type(at<std::int32_t>(record + at<std::uint16_t>(record) - 12));
            result.push_back(std::move(f));
        }
        return result;
    }
};

// Throws std::runtime_error when the bytes are not a whole MSFT library.
MsftLibrary readMsft(std::string_view bytes) {
    Reader r{bytes};
    const auto header = [&](int word) { return r.at<std::int32_t>(4 * word); };
    if (header(0) != 0x5446534D) // "MSFT"
        throw std::runtime_error("type library: not in the MSFT format");
    const int typeCount = header(8);
    const std::int32_t offsets = 84 + ((header(5) & 0x100) ? 4 : 0); // a help DLL adds a word
    const std::int32_t directory = offsets + 4 * typeCount;
    for (int s = 0; s < Segments; ++s)
        r.segment[s] = r.at<std::int32_t>(directory + 16 * s);

    MsftLibrary lib{r.name(header(14)),
                    r.guid(header(2)),
                    static_cast<std::uint32_t>(header(3)),
                    header(5) & 0xF,
                    version(header(6)),
                    header(7),
                    {},
                    {}};
    // Each imported library: identifier, lcid, version, its file name's
    // length times four in 16 bits, the name, padding to a word.
    const std::int32_t end =
        r.segment[ImpFiles] + r.at<std::int32_t>(directory + 16 * ImpFiles + 4);
    for (std::int32_t at = r.segment[ImpFiles]; at < end;) {
        const std::size_t length = r.at<std::uint16_t>(at + 12) >> 2;
        lib.imports.push_back({r.text(at + 14, length), r.guid(r.at<std::int32_t>(at)),
                               version(r.at<std::int32_t>(at + 8))});
        at += (14 + static_cast<std::int32_t>(length) + 3) & ~3;
    }
    for (int t = 0; t < typeCount; ++t) {
        const std::int32_t at = r.segment[TypeInfos] + r.at<std::int32_t>(offsets + 4 * t);
        const auto word = [&](int i) { return r.at<std::int32_t>(at + 4 * i); };
        const int functions = word(6) & 0xFFFF, variables = word(6) >> 16;
        lib.types.push_back({r.name(word(13)), r.guid(word(11)), word(0) & 0xF, word(12),
                             r.at<std::int16_t>(at + 76),
                             functions ? r.functions(word(1), functions, functions + variables)
                                       : std::vector<MsftFunction>{}});
    }
    return lib;
}

constexpr GUID kStdOle = {0x00020430, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
constexpr GUID kRdo = {
    0xEE008642, 0x64A8, 0x11CE, {0x92, 0x0F, 0x08, 0x00, 0x2B, 0x36, 0x9A, 0x33}};
constexpr GUID kRdoConnection = {
    0x5E71F04D, 0x551F, 0x11CF, {0x81, 0x52, 0x00, 0xAA, 0x00, 0xA4, 0x0C, 0x25}};

MsftLibrary storedLibrary() {
    const std::string bytes = vorn::test::runCommand(
        "objcopy --dump-section .vorn.typelib=/dev/stdout " VORN_COMPONENT_FILE " /dev/null");
    return readMsft(bytes);
}

// The value a member reads, writes or returns: reads and methods return it
// through a pointer, a write by reference takes a pointer to it; a pointer to
// an interface is an object reference.
VARTYPE valueOf(const MsftFunction& f) {
    std::vector<VARTYPE> chain = f.value.chain;
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
    EXPECT_EQ(lib.imports,
              (std::vector<MsftImport>{{"StdOle2.Tlb", kStdOle, 20}, {"MSRDO20.DLL", kRdo, 20}}));
    ASSERT_EQ(lib.types.size(), 2u);
    EXPECT_EQ(identity(lib.types[0]), std::tuple("_clsReports", IID__clsReports, TKIND_DISPATCH,
                                                 clsReports::description().typeFlags, 1));
    EXPECT_EQ(identity(lib.types[1]),
              std::tuple("clsReports", CLSID_clsReports, TKIND_COCLASS, TYPEFLAG_FCANCREATE, 1));
    EXPECT_EQ(lib.types[0].functions.back().value.imported, kRdoConnection); // DSN
}

TEST(TypeLibrary, DeclaresTheMembersThatDispatchAnswersAndGetTypeInfoServes) {
    const auto functions = storedLibrary().types.at(0).functions;
    auto reports = makeObject<clsReports>();
    UINT infos = 0;
    ASSERT_EQ(reports->GetTypeInfoCount(&infos), S_OK);
    ComPtr<ITypeInfo> info;
    ASSERT_EQ(reports->GetTypeInfo(0, 0, info.out()), S_OK);
    TYPEATTR* attr = nullptr;
    ASSERT_EQ(info->GetTypeAttr(&attr), S_OK);
    EXPECT_EQ(std::tuple(infos, attr->guid, attr->typekind, attr->cFuncs),
              std::tuple(1u, IID__clsReports, TKIND_DISPATCH, WORD(functions.size())));
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

namespace {

constexpr HRESULT REGDB_E_READREGDB = hr(0x80040150);
const std::string kClass = "HKEY_CLASSES_ROOT\\CLSID\\{6B916C62-3383-11D3-89C6-00A024AC46EE}";

class Registration : public vorn::test::TempFolderTest {
protected:
    void SetUp() override {
        environment_.set("VORN_REGISTRY", registry_);
        module_ = dlopen(VORN_COMPONENT_FILE, RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(module_, nullptr) << dlerror();
    }
    void TearDown() override { dlclose(module_); }

    HRESULT call(const char* entry) {
        auto* function = reinterpret_cast<HRESULT (*)()>(dlsym(module_, entry));
        return function ? function() : E_FAIL;
    }
    std::string lastError() {
        using Get = HRESULT (*)(std::uint32_t, IErrorInfo**);
        IErrorInfo* info = nullptr;
        if (reinterpret_cast<Get>(dlsym(module_, "GetErrorInfo"))(0, &info) != S_OK)
            return {};
        Bstr text;
        ComPtr<IErrorInfo>::adopt(info)->GetDescription(text.out());
        return text.utf8();
    }
    std::string text() const { return vorn::test::readFile(registry_); }
    void write(const std::string& content) const { std::ofstream(registry_) << content; }

    const std::string registry_ = (folder / "data" / "registry.reg").string();
    vorn::test::ScopedEnvironment environment_;
    void* module_ = nullptr;
};

TEST_F(Registration, RecordsTheComponentAndUnregisteringLeavesOnlyOtherKeys) {
    const std::string others = "REGEDIT4\n\n[HKEY_CLASSES_ROOT\\Other.Thing]\n@=\"kept\"\n\n[" +
                               kClass + "\\InprocServer32]\n\"Extra\"=\"kept too\"\n";
    ASSERT_EQ(call("DllRegisterServer"), S_OK); // the folder is made on the way
    std::filesystem::remove(registry_);
    write(others);
    ASSERT_EQ(call("DllRegisterServer"), S_OK);
    ASSERT_EQ(call("DllRegisterServer"), S_OK); // again: no duplicates

    // The class's name and file are read back by every host test that creates it.
    const auto document = readRegistry(registry_);
    const std::string path = std::filesystem::canonical(VORN_COMPONENT_FILE).string();
    const std::string root = "HKEY_CLASSES_ROOT\\";
    for (const auto& [key, name, data] :
         {std::tuple{kClass + "\\InprocServer32", "ThreadingModel", std::string("Apartment")},
          {kClass + "\\ProgID", "", "VornReports.clsReports"},
          {root + "TypeLib\\{6B916C5D-3383-11D3-89C6-00A024AC46EE}\\1.0\\0\\win32", "", path},
          {root + "Interface\\{6B916C61-3383-11D3-89C6-00A024AC46EE}\\ProxyStubClsid32", "",
           "{00020424-0000-0000-C000-000000000046}"}})
        EXPECT_EQ(document.string(key, name), data) << key;
    EXPECT_EQ(document.keys().size(), 16u); // the other key and our fifteen

    ASSERT_EQ(call("DllUnregisterServer"), S_OK);
    EXPECT_EQ(text(), RegistryDocument::parse(others).text());
}

TEST_F(Registration, TwoProcessesRegisteringAtOnceBothSucceedAndTheFileStaysWhole) {
    pid_t children[2];
    for (pid_t& child : children) {
        child = fork();
        if (child == 0) {
            // Each also adds keys of its own: a write that lost another's would show.
            const std::string own = "HKEY_CURRENT_USER\\Test\\" + std::to_string(getpid()) + "\\";
            int failures = 0;
            for (int i = 0; i < 50; ++i) {
                failures += call(i % 2 ? "DllUnregisterServer" : "DllRegisterServer") != S_OK;
                updateRegistry(registry_, [&](RegistryDocument& document) {
                    document.setString(own + std::to_string(i), "", "x");
                });
            }
            failures += call("DllRegisterServer") != S_OK;
            _exit(failures);
        }
    }
    for (pid_t child : children) {
        int status = -1;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    }
    EXPECT_EQ(readRegistry(registry_).keys().size(), 15u + 2 * 50);
    for (const auto& entry : std::filesystem::directory_iterator(folder / "data"))
        EXPECT_TRUE(entry.path().extension() == ".reg" || entry.path().extension() == ".lock")
            << entry.path(); // no temporary copy left behind
}

TEST_F(Registration, AMalformedRegistryIsReportedAndNeverOverwritten) {
    std::filesystem::create_directories(folder / "data");
    write("REGEDIT4\n[HKEY_CLASSES_ROOT\\A]\nnot a value\n");
    for (const char* entry : {"DllRegisterServer", "DllUnregisterServer"}) {
        EXPECT_EQ(call(entry), REGDB_E_READREGDB) << entry;
        const std::string description = lastError();
        EXPECT_NE(description.find(registry_), std::string::npos) << description;
        EXPECT_NE(description.find("line 3"), std::string::npos) << description;
    }
    EXPECT_EQ(text(), "REGEDIT4\n[HKEY_CLASSES_ROOT\\A]\nnot a value\n");
}

} // namespace
