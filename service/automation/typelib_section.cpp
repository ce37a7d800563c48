// The type library that vornreports.idl describes, compiled by widl at build
// time and carried in vornout.so's section .vorn.typelib, as the file held it
// in a resource. No symbol names it; tools read it with
//   objcopy --dump-section .vorn.typelib=vornreports.tlb vornout.so
__asm__(".section .vorn.typelib,\"aR\",@progbits\n"
        ".incbin \"" VORN_TYPELIB_FILE "\"\n"
        ".previous\n");
