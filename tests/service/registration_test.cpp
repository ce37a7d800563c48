// DllRegisterServer and DllUnregisterServer of the built vornout.so, on a
// registry file of the test's own.
#include "command_and_file.h"
#include "platform/automation/bstr.h"
#include "platform/automation/com.h"
#include "platform/automation/com_ptr.h"
#include "platform/automation/hresult.h"
#include "platform/automation/registry/registry_file.h"
#include "scoped_environment.h"
#include "temp_folder.h"

#include <dlfcn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <tuple>

using namespace vorn::automation;

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
