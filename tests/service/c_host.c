/* A host written in C against the binary layout alone: it declares the
 * automation types itself, loads vornout.so with dlopen, and drives
 * clsReports through its function table and through IDispatch::Invoke by
 * DISPID. Exit status 0 when every check holds. */
#include <dlfcn.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

typedef int32_t HRESULT;
typedef int32_t DISPID;
typedef uint32_t ULONG;
typedef uint32_t UINT;
typedef int16_t VARIANT_BOOL;
typedef uint16_t OLECHAR;
typedef OLECHAR* BSTR;

typedef struct {
    uint32_t Data1;
    uint16_t Data2, Data3;
    uint8_t Data4[8];
} GUID;

typedef struct VARIANT {
    uint16_t vt, r1, r2, r3;
    union {
        int16_t iVal;
        int32_t lVal;
        double dblVal;
        VARIANT_BOOL boolVal;
        BSTR bstrVal;
        void* pdispVal;
        struct VARIANT* pvarVal;
        void* pair[2];
    } u;
} VARIANT;

typedef struct {
    VARIANT* rgvarg;
    DISPID* rgdispidNamedArgs;
    UINT cArgs, cNamedArgs;
} DISPPARAMS;

typedef struct EXCEPINFO {
    uint16_t wCode, wReserved;
    BSTR bstrSource, bstrDescription, bstrHelpFile;
    uint32_t dwHelpContext;
    void* pvReserved;
    HRESULT (*pfnDeferredFillIn)(struct EXCEPINFO*);
    HRESULT scode;
} EXCEPINFO;

enum { VT_EMPTY = 0, VT_I2 = 2, VT_I4 = 3, VT_BSTR = 8, VT_DISPATCH = 9, VT_BOOL = 11 };
enum {
    DISPATCH_METHOD = 1,
    DISPATCH_PROPERTYGET = 2,
    DISPATCH_PROPERTYPUT = 4,
    DISPATCH_PROPERTYPUTREF = 8
};

/* The function tables, in declared order (a property's accessors share a line). */
typedef struct IDispatchVtbl {
    HRESULT (*QueryInterface)(void* self, const GUID* iid, void** out);
    ULONG (*AddRef)(void* self);
    ULONG (*Release)(void* self);
    HRESULT (*GetTypeInfoCount)(void* self, UINT* count);
    HRESULT (*GetTypeInfo)(void* self, UINT index, uint32_t lcid, void** info);
    HRESULT(*GetIDsOfNames)
    (void* self, const GUID* iid, OLECHAR** names, UINT count, uint32_t lcid, DISPID* ids);
    HRESULT(*Invoke)
    (void* self, DISPID id, const GUID* iid, uint32_t lcid, uint16_t flags, DISPPARAMS* params,
     VARIANT* result, EXCEPINFO* info, UINT* argErr);
} IDispatchVtbl;

typedef struct {
    IDispatchVtbl base;
    HRESULT (*put_ShowPrinterDialog)(void*, VARIANT_BOOL);
    HRESULT (*get_ShowPrinterDialog)(void*, VARIANT_BOOL*);
    HRESULT (*put_ShowHarness)(void*, VARIANT_BOOL), (*get_ShowHarness)(void*, VARIANT_BOOL*);
    HRESULT (*put_UserName)(void*, BSTR), (*get_UserName)(void*, BSTR*);
    HRESULT (*put_AppendSQL)(void*, BSTR), (*get_AppendSQL)(void*, BSTR*);
    HRESULT (*put_DatabaseType)(void*, BSTR), (*get_DatabaseType)(void*, BSTR*);
    HRESULT (*put_Version)(void*, BSTR), (*get_Version)(void*, BSTR*);
    HRESULT (*put_tvwProjects)(void*, VARIANT), (*putref_tvwProjects)(void*, VARIANT*);
    HRESULT (*get_tvwProjects)(void*, VARIANT*);
    HRESULT (*put_OtherParameters)(void*, VARIANT), (*putref_OtherParameters)(void*, VARIANT*);
    HRESULT (*get_OtherParameters)(void*, VARIANT*);
    HRESULT (*ShowReport)(void*, VARIANT_BOOL*);
    HRESULT (*PrintReport)(void*, VARIANT_BOOL*);
    HRESULT (*put_ReportName)(void*, BSTR), (*get_ReportName)(void*, BSTR*);
    HRESULT (*put_RunMode)(void*, int16_t), (*get_RunMode)(void*, int16_t*);
    HRESULT (*put_SQLStatement)(void*, BSTR), (*get_SQLStatement)(void*, BSTR*);
    HRESULT (*put_DSN)(void*, void*), (*get_DSN)(void*, void**);
} ReportsVtbl;

typedef struct {
    const ReportsVtbl* vtbl;
} Reports;

typedef struct {
    HRESULT (*QueryInterface)(void* self, const GUID* iid, void** out);
    ULONG (*AddRef)(void* self);
    ULONG (*Release)(void* self);
} UnknownVtbl;

typedef struct {
    const UnknownVtbl* vtbl;
} Unknown;

typedef struct {
    HRESULT (*QueryInterface)(void* self, const GUID* iid, void** out);
    ULONG (*AddRef)(void* self);
    ULONG (*Release)(void* self);
    HRESULT (*CreateInstance)(void* self, void* outer, const GUID* iid, void** out);
    HRESULT (*LockServer)(void* self, int32_t lock);
} FactoryVtbl;

typedef struct {
    const FactoryVtbl* vtbl;
} Factory;

typedef struct {
    UnknownVtbl base;
    HRESULT (*GetGUID)(void* self, GUID* iid);
    HRESULT (*GetSource)(void* self, BSTR* source);
    HRESULT (*GetDescription)(void* self, BSTR* description);
    HRESULT (*GetHelpFile)(void* self, BSTR* file);
    HRESULT (*GetHelpContext)(void* self, uint32_t* context);
} ErrorInfoVtbl;

typedef struct {
    const ErrorInfoVtbl* vtbl;
} ErrorInfo;

static const GUID CLSID_clsReports = {
    0x6B916C62, 0x3383, 0x11D3, {0x89, 0xC6, 0x00, 0xA0, 0x24, 0xAC, 0x46, 0xEE}};
static const GUID IID__clsReports = {
    0x6B916C61, 0x3383, 0x11D3, {0x89, 0xC6, 0x00, 0xA0, 0x24, 0xAC, 0x46, 0xEE}};
static const GUID IID_IUnknown = {0, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
static const GUID IID_IDispatch = {0x00020400, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
static const GUID IID_IClassFactory = {0x00000001, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
static const GUID IID_NULL_ = {0, 0, 0, {0, 0, 0, 0, 0, 0, 0, 0}};
static const GUID IID_Other = {0x12345678, 1, 2, {3, 4, 5, 6, 7, 8, 9, 10}};

#define S_OK 0
#define S_FALSE 1
#define E_NOINTERFACE ((HRESULT)0x80004002u)
#define CLASS_E_NOAGGREGATION ((HRESULT)0x80040110u)
#define CLASS_E_CLASSNOTAVAILABLE ((HRESULT)0x80040111u)
#define DISP_E_EXCEPTION ((HRESULT)0x80020009u)
#define OBJECT_REQUIRED ((HRESULT)0x800A01A8u)

static int failures = 0;
static int checks = 0;
#define CHECK(cond)                                                                                \
    do {                                                                                           \
        ++checks;                                                                                  \
        if (!(cond)) {                                                                             \
            ++failures;                                                                            \
            fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #cond);               \
        }                                                                                          \
    } while (0)

/* BSTRs as the layout defines them: malloc'd, 4-byte byte length before the text. */
static BSTR make_bstr(const char* ascii) {
    size_t n = strlen(ascii);
    unsigned char* block = malloc(4 + 2 * n + 2);
    uint32_t bytes = (uint32_t)(2 * n);
    memcpy(block, &bytes, 4);
    OLECHAR* text = (OLECHAR*)(block + 4);
    for (size_t i = 0; i < n; ++i)
        text[i] = (OLECHAR)ascii[i];
    text[n] = 0;
    return text;
}
static void free_bstr(BSTR b) {
    if (b)
        free((unsigned char*)b - 4);
}
static int bstr_equals(BSTR b, const char* ascii) {
    size_t n = strlen(ascii);
    uint32_t bytes = 0;
    if (!b)
        return n == 0;
    memcpy(&bytes, (unsigned char*)b - 4, 4);
    if (bytes != 2 * n)
        return 0;
    for (size_t i = 0; i < n; ++i)
        if (b[i] != (OLECHAR)ascii[i])
            return 0;
    return b[n] == 0;
}

/* A host object of our own: an IDispatch that only counts references. */
typedef struct {
    const IDispatchVtbl* vtbl;
    ULONG refs;
} HostObject;

static HRESULT host_qi(void* self, const GUID* iid, void** out) {
    if (!memcmp(iid, &IID_IUnknown, 16) || !memcmp(iid, &IID_IDispatch, 16)) {
        *out = self;
        ((HostObject*)self)->refs++;
        return S_OK;
    }
    *out = NULL;
    return E_NOINTERFACE;
}
static ULONG host_addref(void* self) {
    return ++((HostObject*)self)->refs;
}
static ULONG host_release(void* self) {
    return --((HostObject*)self)->refs;
}
static HRESULT host_count(void* self, UINT* n) {
    (void)self;
    *n = 0;
    return S_OK;
}
static HRESULT host_typeinfo(void* self, UINT i, uint32_t l, void** out) {
    (void)self, (void)i, (void)l;
    *out = NULL;
    return (HRESULT)0x8002802Bu;
}
static HRESULT host_names(void* self, const GUID* iid, OLECHAR** names, UINT n, uint32_t l,
                          DISPID* ids) {
    (void)self, (void)iid, (void)names, (void)l;
    for (UINT i = 0; i < n; ++i)
        ids[i] = -1;
    return (HRESULT)0x80020006u;
}
static HRESULT host_invoke(void* self, DISPID id, const GUID* iid, uint32_t l, uint16_t f,
                           DISPPARAMS* p, VARIANT* r, EXCEPINFO* e, UINT* a) {
    (void)self, (void)id, (void)iid, (void)l, (void)f, (void)p, (void)r, (void)e, (void)a;
    return (HRESULT)0x80020003u;
}
static const IDispatchVtbl host_vtbl = {host_qi,       host_addref, host_release, host_count,
                                        host_typeinfo, host_names,  host_invoke};

static HRESULT invoke(Reports* r, DISPID id, uint16_t flags, VARIANT* args, UINT count,
                      VARIANT* result, EXCEPINFO* info) {
    DISPID put = -3;
    DISPPARAMS params = {args, NULL, count, 0};
    if (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) {
        params.rgdispidNamedArgs = &put;
        params.cNamedArgs = 1;
    }
    UINT argErr = 0;
    return r->vtbl->base.Invoke(r, id, &IID_NULL_, 0, flags, &params, result, info, &argErr);
}

int main(int argc, char** argv) {
    if (argc < 2) {
        fprintf(stderr, "usage: c_host PATH/vornout.so\n");
        return 2;
    }
    void* module = dlopen(argv[1], RTLD_NOW | RTLD_LOCAL);
    if (!module) {
        fprintf(stderr, "dlopen: %s\n", dlerror());
        return 1;
    }
    HRESULT(*get_class_object)
    (const GUID*, const GUID*, void**) =
        (HRESULT(*)(const GUID*, const GUID*, void**))dlsym(module, "DllGetClassObject");
    HRESULT (*can_unload)(void) = (HRESULT(*)(void))dlsym(module, "DllCanUnloadNow");
    CHECK(get_class_object != NULL);
    CHECK(can_unload != NULL);
    HRESULT(*get_error_info)
    (uint32_t, ErrorInfo**) = (HRESULT(*)(uint32_t, ErrorInfo**))dlsym(module, "GetErrorInfo");
    CHECK(get_error_info != NULL);
    CHECK(dlsym(module, "_ZN4vorn10clsReportsD2Ev") == NULL); /* nothing but the entry points */
    if (!get_class_object || !can_unload || !get_error_info)
        return 1;

    CHECK(can_unload() == S_OK);
    void* out = (void*)1;
    CHECK(get_class_object(&IID_Other, &IID_IClassFactory, &out) == CLASS_E_CLASSNOTAVAILABLE);
    CHECK(out == NULL);

    Factory* factory = NULL;
    CHECK(get_class_object(&CLSID_clsReports, &IID_IClassFactory, (void**)&factory) == S_OK);
    CHECK(can_unload() == S_FALSE); /* the factory is held */
    CHECK(factory->vtbl->CreateInstance(factory, factory, &IID__clsReports, &out) ==
          CLASS_E_NOAGGREGATION);

    Reports* r = NULL;
    Reports* r2 = NULL;
    CHECK(factory->vtbl->CreateInstance(factory, NULL, &IID__clsReports, (void**)&r) == S_OK);
    CHECK(factory->vtbl->CreateInstance(factory, NULL, &IID_IDispatch, (void**)&r2) == S_OK);
    CHECK(r != r2);
    CHECK(factory->vtbl->LockServer(factory, 1) == S_OK);
    factory->vtbl->Release(factory);
    CHECK(can_unload() == S_FALSE);

    /* QueryInterface answers IUnknown, IDispatch and _clsReports only. */
    void* iface = NULL;
    CHECK(r->vtbl->base.QueryInterface(r, &IID_IUnknown, &iface) == S_OK && iface == r);
    r->vtbl->base.Release(r);
    CHECK(r->vtbl->base.QueryInterface(r, &IID_IDispatch, &iface) == S_OK);
    r->vtbl->base.Release(r);
    CHECK(r->vtbl->base.QueryInterface(r, &IID_IClassFactory, &iface) == E_NOINTERFACE &&
          iface == NULL);

    /* One description of the interface, for hosts that read it. */
    UINT infos = 0;
    Unknown* typeInfo = NULL;
    CHECK(r->vtbl->base.GetTypeInfoCount(r, &infos) == S_OK && infos == 1);
    CHECK(r->vtbl->base.GetTypeInfo(r, 0, 0, (void**)&typeInfo) == S_OK && typeInfo != NULL);
    if (typeInfo)
        typeInfo->vtbl->Release(typeInfo);

    /* Initial values. */
    /* An [out] string arrives uninitialised; the callee must not read or free it. */
    BSTR s = (BSTR)(uintptr_t)0xdeadbeef;
    CHECK(r->vtbl->get_UserName(r, &s) == S_OK && bstr_equals(s, ""));
    free_bstr(s);
    int16_t mode = 9;
    CHECK(r->vtbl->get_RunMode(r, &mode) == S_OK && mode == 0);
    VARIANT_BOOL b = 5;
    CHECK(r->vtbl->get_ShowHarness(r, &b) == S_OK && b == 0);
    VARIANT v;
    memset(&v, 0xAB, sizeof v);
    CHECK(r->vtbl->get_tvwProjects(r, &v) == S_OK && v.vt == VT_EMPTY);
    void* dsn = (void*)1;
    CHECK(r->vtbl->get_DSN(r, &dsn) == S_OK && dsn == NULL);

    /* Strings: the caller keeps its [in] string, frees the [out] copy. */
    BSTR in = make_bstr("SELECT * FROM Items");
    CHECK(r->vtbl->put_SQLStatement(r, in) == S_OK);
    in[0] = 'X'; /* the object holds a copy of its own */
    BSTR got = NULL;
    CHECK(r->vtbl->get_SQLStatement(r, &got) == S_OK && bstr_equals(got, "SELECT * FROM Items"));
    CHECK(got != in);
    free_bstr(got);
    free_bstr(in);

    CHECK(r->vtbl->put_RunMode(r, -7) == S_OK);
    CHECK(r->vtbl->get_RunMode(r, &mode) == S_OK && mode == -7);
    CHECK(r->vtbl->put_ShowHarness(r, 1) == S_OK);
    CHECK(r->vtbl->get_ShowHarness(r, &b) == S_OK && b != 0);

    /* Object references: counted while held, released when replaced. */
    /* Host objects live as long as the process: the component's shared state
     * keeps references to them until its thread ends. */
    static HostObject tree = {&host_vtbl, 1};
    VARIANT ref = {.vt = VT_DISPATCH, .u.pdispVal = &tree};
    CHECK(r->vtbl->putref_tvwProjects(r, &ref) == S_OK);
    CHECK(tree.refs == 2);
    CHECK(r->vtbl->get_tvwProjects(r, &v) == S_OK && v.vt == VT_DISPATCH && v.u.pdispVal == &tree);
    CHECK(tree.refs == 3);
    host_release(&tree); /* what the caller got */

    VARIANT five = {.vt = VT_I2, .u.iVal = 5};
    CHECK(r->vtbl->putref_tvwProjects(r, &five) == OBJECT_REQUIRED);
    CHECK(tree.refs == 2); /* kept as it was */
    /* The failure's description, as an early-bound host reads it. */
    ErrorInfo* error = NULL;
    CHECK(get_error_info(0, &error) == S_OK && error != NULL);
    BSTR text = NULL;
    CHECK(error->vtbl->GetDescription(error, &text) == S_OK &&
          bstr_equals(text, "Object required"));
    free_bstr(text);
    CHECK(error->vtbl->GetSource(error, &text) == S_OK && bstr_equals(text, "VornReports"));
    free_bstr(text);
    error->vtbl->base.Release(error);
    CHECK(get_error_info(0, &error) == S_FALSE && error == NULL); /* reading took it */

    CHECK(r->vtbl->put_tvwProjects(r, five) == S_OK); /* by value: the number itself */
    CHECK(tree.refs == 1);
    CHECK(r->vtbl->get_tvwProjects(r, &v) == S_OK && v.vt == VT_I2 && v.u.iVal == 5);

    static HostObject connection = {&host_vtbl, 1};
    CHECK(r->vtbl->put_DSN(r, &connection) == S_OK && connection.refs == 2);
    CHECK(r->vtbl->get_DSN(r, &dsn) == S_OK && dsn == &connection && connection.refs == 3);
    host_release(&connection);
    CHECK(r->vtbl->put_DSN(r, NULL) == S_OK && connection.refs == 1);

    /* The same members by DISPID. */
    VARIANT arg = {.vt = VT_BSTR, .u.bstrVal = make_bstr("Vorn Item List Report")};
    CHECK(invoke(r, 0x68030003, DISPATCH_PROPERTYPUT, &arg, 1, NULL, NULL) == S_OK);
    free_bstr(arg.u.bstrVal);
    CHECK(r->vtbl->get_ReportName(r, &got) == S_OK && bstr_equals(got, "Vorn Item List Report"));
    free_bstr(got);
    VARIANT result = {0};
    CHECK(invoke(r, 0x68030002, DISPATCH_PROPERTYGET, NULL, 0, &result, NULL) == S_OK);
    CHECK(result.vt == VT_I2 && result.u.iVal == -7);
    CHECK(invoke(r, 0x6803000B, DISPATCH_PROPERTYGET, NULL, 0, &result, NULL) == S_OK);
    CHECK(result.vt == VT_BOOL && result.u.boolVal == 1); /* exactly as stored */

    static HostObject fields = {&host_vtbl, 1};
    ref.u.pdispVal = &fields;
    CHECK(invoke(r, 0x68030005, DISPATCH_PROPERTYPUTREF, &ref, 1, NULL, NULL) == S_OK);
    CHECK(fields.refs == 2);
    EXCEPINFO info = {0};
    CHECK(invoke(r, 0x68030005, DISPATCH_PROPERTYPUTREF, &five, 1, NULL, &info) ==
          DISP_E_EXCEPTION);
    CHECK(info.scode == OBJECT_REQUIRED);
    CHECK(bstr_equals(info.bstrDescription, "Object required"));
    free_bstr(info.bstrDescription);
    free_bstr(info.bstrSource);
    CHECK(fields.refs == 2);

    /* A name that matches no report: nothing runs, no error, False. The
     * call copies the request into the shared state, which keeps a
     * reference to the field list of its own. */
    CHECK(r->vtbl->put_ShowHarness(r, 0) == S_OK);
    arg.vt = VT_BSTR;
    arg.u.bstrVal = make_bstr("No Such Report");
    CHECK(invoke(r, 0x68030003, DISPATCH_PROPERTYPUT, &arg, 1, NULL, NULL) == S_OK);
    free_bstr(arg.u.bstrVal);
    memset(&result, 0, sizeof result);
    CHECK(invoke(r, 0x6003000E, DISPATCH_METHOD, NULL, 0, &result, NULL) == S_OK);
    CHECK(result.vt == VT_BOOL && result.u.boolVal == 0);
    b = -1;
    CHECK(r->vtbl->ShowReport(r, &b) == S_OK && b == 0);
    b = -1;
    CHECK(r->vtbl->PrintReport(r, &b) == S_OK && b == 0);

    /* Releasing the objects releases what they hold. */
    CHECK(r->vtbl->base.Release(r) == 0);
    CHECK(fields.refs == 2);
    CHECK(r2->vtbl->base.Release(r2) == 0);
    CHECK(can_unload() == S_FALSE); /* still locked */
    Factory* again = NULL;
    CHECK(get_class_object(&CLSID_clsReports, &IID_IUnknown, (void**)&again) == S_OK);
    CHECK(again->vtbl->LockServer(again, 0) == S_OK);
    again->vtbl->Release(again);
    CHECK(can_unload() == S_OK);

    /* An error object the host holds keeps its code loaded. */
    CHECK(get_class_object(&CLSID_clsReports, &IID_IClassFactory, (void**)&factory) == S_OK);
    CHECK(factory->vtbl->CreateInstance(factory, NULL, &IID__clsReports, (void**)&r) == S_OK);
    factory->vtbl->Release(factory);
    CHECK(r->vtbl->get_UserName(r, NULL) != S_OK);
    CHECK(r->vtbl->base.Release(r) == 0);
    CHECK(can_unload() == S_OK); /* waiting in its slot, it keeps nothing loaded */
    CHECK(get_error_info(0, &error) == S_OK);
    CHECK(can_unload() == S_FALSE);
    error->vtbl->base.Release(error);
    CHECK(can_unload() == S_OK);

    /* Really gone: nothing of the component (its per-thread state above all)
     * keeps it mapped once it allows unloading. */
    dlclose(module);
    CHECK(dlopen(argv[1], RTLD_NOW | RTLD_NOLOAD) == NULL);
    printf("%d passed, %d failed\n", checks - failures, failures);
    return failures ? 1 : 0;
}
