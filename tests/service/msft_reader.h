// A reader of type libraries in the MSFT format that widl writes, of our own
// so that the tests check the stored library independently of the code that
// serves it. It reads what the tests compare: the library's header, its
// imported libraries, and each type's name, identifier, flags and functions.
#pragma once

#include "platform/automation/com.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace vorn::test {

/// A type as a function uses it, outermost first: {VT_PTR, VT_BSTR} is a
/// pointer to a string. A type of an imported library ends in VT_USERDEFINED,
/// and `imported` is that type's identifier.
struct MsftType {
    std::vector<automation::VARTYPE> chain;
    automation::GUID imported{};
};

struct MsftFunction {
    std::string name;
    std::int32_t memid;
    int invkind; // 1 method, 2 read, 4 write, 8 write by reference
    int funckind;
    int vtableOffset;
    std::vector<MsftType> params;
};

struct MsftTypeInfo {
    std::string name;
    automation::GUID guid;
    int kind;
    int flags;
    int implTypes;
    std::vector<MsftFunction> functions;
};

struct MsftImport {
    std::string file;
    automation::GUID guid;
    int major, minor;
};

struct MsftLibrary {
    std::string name;
    automation::GUID guid;
    std::uint32_t lcid;
    int syskind;
    int major, minor;
    int flags;
    bool hasHelpString, hasHelpFile;
    std::vector<MsftImport> imports;
    std::vector<MsftTypeInfo> types;
};

/// \throws std::runtime_error when the bytes are not an MSFT library.
MsftLibrary readMsft(std::span<const std::uint8_t> bytes);

} // namespace vorn::test
