#include "error_code.h"
#include "platform/automation/guid_text.h"
#include "platform/automation/registry/registry_document.h"

#include <gtest/gtest.h>

using namespace vorn::automation;
using vorn::test::failureOf;

TEST(RegistryDocument, ReadsWhatItWritesAndKeepsOtherDataAsWritten) {
    RegistryDocument document = RegistryDocument::parse(
        "\xEF\xBB\xBFREGEDIT4\r\n\r\n; a comment\r\n[HKEY_CLASSES_ROOT\\A]\r\n"
        "@=\"C:\\\\dir \\\"quoted\\\"\"\r\n\"Size\"=dword:00000010\r\n"
        "\"Blob\"=hex:01,02,\\\r\n  03\r\n");
    EXPECT_EQ(document.string("hkey_classes_root\\a", ""), "C:\\dir \"quoted\"");
    document.setString("HKEY_CLASSES_ROOT\\A\\B", "ThreadingModel", "Apartment");
    const std::string text = document.text();
    EXPECT_NE(text.find("\"Size\"=dword:00000010\n\"Blob\"=hex:01,02,03\n"), std::string::npos);
    const RegistryDocument again = RegistryDocument::parse(text);
    EXPECT_EQ(again.text(), text);
    EXPECT_EQ(again.string("HKEY_CLASSES_ROOT\\A\\B", "threadingmodel"), "Apartment");

    // Only a value that still holds what is named goes; only a key without values.
    document.removeStringIf("HKEY_CLASSES_ROOT\\A\\B", "ThreadingModel", "Free");
    document.removeKeyIfEmpty("HKEY_CLASSES_ROOT\\A\\B");
    document.removeKeyIfEmpty("HKEY_CLASSES_ROOT\\A");
    EXPECT_EQ(document.keys().size(), 2u);
    document.removeStringIf("HKEY_CLASSES_ROOT\\A\\B", "ThreadingModel", "Apartment");
    document.removeKeyIfEmpty("HKEY_CLASSES_ROOT\\A\\B");
    EXPECT_EQ(document.keys().size(), 1u);
    EXPECT_TRUE(RegistryDocument::parse("").keys().empty());
}

TEST(RegistryDocument, NamesTheFirstLineThatIsNotInTheFormat) {
    const struct {
        const char* text;
        const char* line;
    } cases[] = {
        {"[HKEY_CLASSES_ROOT\\A]\n", "line 1"},
        {"Windows Registry Editor Version 5.00\n", "line 1"},
        {"REGEDIT4\n@=\"x\"\n", "line 2"},
        {"REGEDIT4\n[A]\n@=\"unclosed\n", "line 3"},
        {"REGEDIT4\n[A]\n@=\"bad \\n escape\"\n", "line 3"},
        {"REGEDIT4\n[A]\n\"name\"\n", "line 3"},
        {"REGEDIT4\n[A]\n@=42\n", "line 3"},
        {"REGEDIT4\n\n[-A]\n", "line 3"},
        {"REGEDIT4\n[A\n", "line 2"},
        {"REGEDIT4\n[A]\ngarbage\n", "line 3"},
    };
    for (const auto& c : cases) {
        const auto failure = failureOf([&] { RegistryDocument::parse(c.text); });
        EXPECT_EQ(failure.code, REGDB_E_READREGDB) << c.text;
        EXPECT_NE(failure.description.find(c.line), std::string::npos) << failure.description;
    }
}

TEST(GuidText, ReadsBackWhatItWrites) {
    const GUID g = {0x6B916C62, 0x3383, 0x11D3, {0x89, 0xC6, 0x00, 0xA0, 0x24, 0xAC, 0x46, 0xEE}};
    EXPECT_EQ(guidText(g), "{6B916C62-3383-11D3-89C6-00A024AC46EE}");
    EXPECT_EQ(parseGuid("{6b916c62-3383-11d3-89c6-00a024ac46ee}"), g);
    for (const char* bad :
         {"6B916C62-3383-11D3-89C6-00A024AC46EE", "{6B916C62-3383-11D3-89C6-00A024AC46EG}",
          "{6B916C62-3383-11D3+89C6-00A024AC46EE}", ""})
        EXPECT_FALSE(parseGuid(bad)) << bad;
}
