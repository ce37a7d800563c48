#include "service/automation/registration.h"

#include "platform/automation/guid_text.h"
#include "platform/automation/registry/registry_file.h"
#include "service/cls_reports_interface.h"

#include <filesystem>
#include <vector>

namespace vorn {
namespace {

using automation::guidText;

struct Record {
    std::string key;
    std::string name; // empty: the key's default value
    std::string data;
};

constexpr const char* kProgId = "VornReports.clsReports";
// Interfaces that automation marshals from their type library name this proxy.
constexpr const char* kAutomationMarshaller = "{00020424-0000-0000-C000-000000000046}";

std::vector<Record> records(const std::string& componentPath) {
    const std::string root = "HKEY_CLASSES_ROOT\\";
    const std::string clsid = root + "CLSID\\" + guidText(CLSID_clsReports);
    const std::string libid = guidText(LIBID_VornReports);
    const std::string typelib = root + "TypeLib\\" + libid + "\\1.0";
    const std::string iface = root + "Interface\\" + guidText(IID__clsReports);
    const std::string folder = std::filesystem::path(componentPath).parent_path().string();
    return {
        {root + kProgId, "", kProgId},
        {root + kProgId + "\\Clsid", "", guidText(CLSID_clsReports)},
        {clsid, "", kProgId},
        {clsid + "\\InprocServer32", "", componentPath},
        {clsid + "\\InprocServer32", "ThreadingModel", "Apartment"},
        {clsid + "\\ProgID", "", kProgId},
        {clsid + "\\TypeLib", "", libid},
        {clsid + "\\VERSION", "", "1.0"},
        {typelib, "", "VornReports"},
        {typelib + "\\0\\win32", "", componentPath},
        {typelib + "\\FLAGS", "", "0"},
        {typelib + "\\HELPDIR", "", folder},
        {iface, "", "_clsReports"},
        {iface + "\\ProxyStubClsid", "", kAutomationMarshaller},
        {iface + "\\ProxyStubClsid32", "", kAutomationMarshaller},
        {iface + "\\TypeLib", "", libid},
        {iface + "\\TypeLib", "Version", "1.0"},
    };
}

} // namespace

void registerComponent(const std::string& registry, const std::string& componentPath) {
    const auto wanted = records(componentPath);
    automation::updateRegistry(registry, [&](automation::RegistryDocument& document) {
        for (const Record& r : wanted)
            document.setString(r.key, r.name, r.data);
    });
}

void unregisterComponent(const std::string& registry, const std::string& componentPath) {
    const auto written = records(componentPath);
    automation::updateRegistry(registry, [&](automation::RegistryDocument& document) {
        for (const Record& r : written)
            document.removeStringIf(r.key, r.name, r.data);
        for (const Record& r : written)
            document.removeKeyIfEmpty(r.key);
    });
}

} // namespace vorn
