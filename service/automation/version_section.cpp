// The component's version strings, as the file carried them in its version
// resource (language 0x0409, code page 1200: string table "040904B0"), kept
// in vornout.so's section .vorn.version as "Name=value" lines. No symbol
// names them; tools read them with
//   objcopy --dump-section .vorn.version=version.txt vornout.so /dev/null
// and `vornreports --version` shows them. OLESelfRegister, present and empty,
// marks the file as one that registers itself.
[[gnu::section(".vorn.version"), gnu::used, gnu::retain]] constexpr char kVersionStrings[] =
    "StringTable=040904B0\n"
    "FileVersion=1.00\n"
    "ProductVersion=1.00\n"
    "ProductName=VornReports\n"
    "InternalName=vornout\n"
    "OriginalFilename=vornout.dll\n"
    "OLESelfRegister=\n"
    "FixedFileVersion=1.0.0.0\n"
    "FixedProductVersion=1.0.0.0\n"
    "FileType=DLL\n";
