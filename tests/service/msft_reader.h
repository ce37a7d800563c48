// A reader of the MSFT type libraries that widl writes, of our own, so that
// the tests check the stored library apart from the code that serves it.
#pragma once

#include "platform/automation/com.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace vorn::test {

/// A parameter's type, outermost first ({VT_PTR, VT_BSTR}); a type of an
/// imported library ends in VT_USERDEFINED and is named by `imported`.
struct MsftType {
    std::vector<automation::VARTYPE> chain;
    automation::GUID imported{};
};

struct MsftFunction {
    std::string name;
    std::int32_t memid;
    int invkind; // 1 method, 2 read, 4 write, 8 write by reference
    int vtableOffset;
    std::vector<MsftType> params;
};

struct MsftTypeInfo {
    std::string name;
    automation::GUID guid;
    int kind, flags, implTypes;
    std::vector<MsftFunction> functions;
};

struct MsftImport {
    std::string file;
    automation::GUID guid;
    int version; // major * 10 + minor
};

struct MsftLibrary {
    std::string name;
    automation::GUID guid;
    std::uint32_t lcid;
    int syskind, version, flags; // version: major * 10 + minor
    bool hasHelpString, hasHelpFile;
    std::vector<MsftImport> imports;
    std::vector<MsftTypeInfo> types;
};

/// \throws std::runtime_error when the bytes are not a whole MSFT library.
MsftLibrary readMsft(std::span<const std::uint8_t> bytes);

} // namespace vorn::test
