/* A host written in C against the installed header alone, as a tracker
 * would be: it creates clsReports through libvornhost by programmatic
 * identifier and by class identifier, drives it through its function table
 * and through IDispatch::Invoke by DISPID, reads failures' error objects,
 * checks that those and module state are per thread, and frees the
 * component at the end. Argument: the installed vornout.so, to check that it is really gone.
 * Exit status 0 when every check holds. */
#include <vornreports/vornreports.h>

#include <dlfcn.h>
#include <pthread.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

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

/* Compares and frees a string the component handed out. */
static int take_equals(BSTR text, const char* expected) {
    char* utf8 = VornStringToUtf8(text);
    const int same = utf8 && strcmp(utf8, expected) == 0;
    if (!same)
        fprintf(stderr, "got \"%s\", expected \"%s\"\n", utf8 ? utf8 : "(null)", expected);
    free(utf8);
    VornSysFreeString(text);
    return same;
}

/* The description of this thread's error object, malloc'd; NULL when none.
 * Its source too, as a BSTR for the caller, when `source` is given: then it
 * must come from the component's interface. */
static char* take_error_from(BSTR* source) {
    IErrorInfo* error = NULL;
    if (VornGetErrorInfo(0, &error) != S_OK || !error)
        return NULL;
    BSTR text = NULL;
    error->lpVtbl->GetDescription(error, &text);
    if (source) {
        GUID iid;
        CHECK(error->lpVtbl->GetGUID(error, &iid) == S_OK && !memcmp(&iid, &IID__clsReports, 16));
        error->lpVtbl->GetSource(error, source);
    }
    error->lpVtbl->Release(error);
    char* utf8 = VornStringToUtf8(text);
    VornSysFreeString(text);
    return utf8;
}
#define take_error() take_error_from(NULL)

/* A host object of our own: an IDispatch that only counts references. */
typedef struct {
    IDispatch base;
    ULONG refs;
} HostObject;

static HRESULT host_qi(IDispatch* self, const IID* iid, void** out) {
    if (!memcmp(iid, &IID_IUnknown, 16) || !memcmp(iid, &IID_IDispatch, 16)) {
        *out = self;
        ((HostObject*)self)->refs++;
        return S_OK;
    }
    *out = NULL;
    return E_NOINTERFACE;
}
static ULONG host_addref(IDispatch* self) {
    return ++((HostObject*)self)->refs;
}
static ULONG host_release(IDispatch* self) {
    return --((HostObject*)self)->refs;
}
/* Nothing but QueryInterface and the reference counting is ever called on
 * it here: the other entries stay empty, so any other call fails loudly. */
static const struct IDispatchVtbl host_vtbl = {
    .QueryInterface = host_qi, .AddRef = host_addref, .Release = host_release};
#define HOST_OBJECT                                                                                \
    { {&host_vtbl}, 1 }

/* A call by DISPID; its one argument, when given, is the value a write writes. */
static HRESULT invoke(_clsReports* r, DISPID id, uint16_t flags, VARIANT* value, VARIANT* result,
                      EXCEPINFO* info) {
    DISPID put = DISPID_PROPERTYPUT;
    DISPPARAMS params = {value, value ? &put : NULL, value ? 1 : 0, value ? 1 : 0};
    UINT argErr = 0;
    return r->lpVtbl->Invoke(r, id, &IID_NULL, 0, flags, &params, result, info, &argErr);
}

static _clsReports* create_by_name(void) {
    CLSID clsid;
    _clsReports* r = NULL;
    CHECK(VornCLSIDFromProgID("VornReports.clsReports", &clsid) == S_OK);
    CHECK(VornCoCreateInstance(&clsid, NULL, VORN_CLSCTX_INPROC_SERVER, &IID__clsReports,
                               (void**)&r) == S_OK);
    return r;
}

static void set_name(_clsReports* r, const char* name) {
    BSTR text = VornSysAllocStringUtf8(name);
    CHECK(r->lpVtbl->put_ReportName(r, text) == S_OK);
    VornSysFreeString(text);
}

/* A request on one thread: OtherParameters set to `fields`, then a print that
 * matches no report, which copies the request into the thread's shared state. */
static void print_with_fields(_clsReports* r, HostObject* fields) {
    VARIANT ref = {.vt = VT_DISPATCH, .u.pdispVal = &fields->base};
    VARIANT_BOOL b = -1;
    set_name(r, "No Such Report");
    CHECK(r->lpVtbl->putref_OtherParameters(r, &ref) == S_OK);
    CHECK(r->lpVtbl->PrintReport(r, &b) == S_OK && b == 0);
}

/* What a second thread sees. */
static _clsReports* first_threads_object;
static HostObject third_fields = HOST_OBJECT;
static char* wrong_thread_error;
static void* second_thread(void* unused) {
    (void)unused;
    CHECK(take_error() == NULL); /* the first thread's is not ours */
    VARIANT_BOOL b = -1;
    CHECK(first_threads_object->lpVtbl->PrintReport(first_threads_object, &b) ==
          RPC_E_WRONG_THREAD);
    wrong_thread_error = take_error();
    VARIANT result = {0};
    CHECK(invoke(first_threads_object, 0x68030002, DISPATCH_PROPERTYGET, NULL, &result, NULL) ==
          RPC_E_WRONG_THREAD);
    free(take_error());

    _clsReports* own = create_by_name();
    print_with_fields(own, &third_fields);
    own->lpVtbl->Release(own);
    CHECK(third_fields.refs == 2); /* this thread's shared state holds it */
    return NULL;
}

int main(int argc, char** argv) {
    if (argc < 2) {
        fprintf(stderr, "usage: c_host PATH/vornout.so\n");
        return 2;
    }
    /* By name and by class: the same kind of object. */
    CLSID clsid;
    CHECK(VornCLSIDFromProgID("VornReports.clsReports", &clsid) == S_OK);
    CHECK(memcmp(&clsid, &CLSID_clsReports, sizeof clsid) == 0);
    CHECK(VornCLSIDFromProgID("VornReports.Nothing", &clsid) == CO_E_CLASSSTRING);
    free(take_error());
    _clsReports* r = create_by_name();
    IDispatch* d = NULL;
    _clsReports* r2 = NULL;
    CHECK(VornCoCreateInstance(&CLSID_clsReports, NULL, VORN_CLSCTX_INPROC_SERVER, &IID_IDispatch,
                               (void**)&d) == S_OK);
    CHECK(d->lpVtbl->QueryInterface(d, &IID__clsReports, (void**)&r2) == S_OK && (void*)r2 == d);
    d->lpVtbl->Release(d);
    CHECK(r && r2 && r != r2);
    CHECK(VornCoCreateInstance(&IID_NULL, NULL, VORN_CLSCTX_INPROC_SERVER, &IID_IUnknown,
                               (void**)&d) == REGDB_E_CLASSNOTREG);
    char* description = take_error();
    CHECK(description && strstr(description, "{00000000-0000-0000-0000-000000000000}"));
    free(description);

    IClassFactory* factory = NULL;
    CHECK(VornCoGetClassObject(&CLSID_clsReports, VORN_CLSCTX_INPROC_SERVER, &IID_IClassFactory,
                               (void**)&factory) == S_OK);
    CHECK(factory->lpVtbl->CreateInstance(factory, (IUnknown*)r, &IID__clsReports, (void**)&d) ==
          CLASS_E_NOAGGREGATION);
    CHECK(factory->lpVtbl->LockServer(factory, 1) == S_OK);
    factory->lpVtbl->Release(factory);

    /* The function table: initial values, strings copied both ways. */
    BSTR s = (BSTR)(uintptr_t)0xdeadbeef; /* an [out] arrives uninitialised */
    CHECK(r->lpVtbl->get_UserName(r, &s) == S_OK && take_equals(s, ""));
    VARIANT v;
    memset(&v, 0xAB, sizeof v);
    CHECK(r->lpVtbl->get_tvwProjects(r, &v) == S_OK && v.vt == VT_EMPTY);
    BSTR in = VornSysAllocStringUtf8("SELECT * FROM Items");
    CHECK(r->lpVtbl->put_SQLStatement(r, in) == S_OK);
    in[0] = 'X'; /* the object holds a copy of its own */
    CHECK(r->lpVtbl->get_SQLStatement(r, &s) == S_OK && s != in &&
          take_equals(s, "SELECT * FROM Items"));
    VornSysFreeString(in);

    /* Object references: counted while held, released when replaced; a
     * failure's description after an early-bound call. */
    static HostObject tree = HOST_OBJECT;
    VARIANT ref = {.vt = VT_DISPATCH, .u.pdispVal = &tree.base};
    CHECK(r->lpVtbl->putref_tvwProjects(r, &ref) == S_OK && tree.refs == 2);
    VARIANT five = {.vt = VT_I2, .u.iVal = 5};
    ISupportErrorInfo* support = NULL;
    CHECK(r->lpVtbl->QueryInterface(r, &IID_ISupportErrorInfo, (void**)&support) == S_OK);
    CHECK(support->lpVtbl->InterfaceSupportsErrorInfo(support, &IID__clsReports) == S_OK);
    CHECK(support->lpVtbl->InterfaceSupportsErrorInfo(support, &IID_IDispatch) == S_FALSE);
    support->lpVtbl->Release(support);
    CHECK(r->lpVtbl->putref_tvwProjects(r, &five) == OBJECT_REQUIRED && tree.refs == 2);
    description = take_error();
    CHECK(description && strcmp(description, "Object required") == 0);
    free(description);
    CHECK(take_error() == NULL); /* reading took it */
    CHECK(r->lpVtbl->put_tvwProjects(r, five) == S_OK && tree.refs == 1);
    static HostObject connection = HOST_OBJECT;
    CHECK(r->lpVtbl->put_DSN(r, &connection.base) == S_OK && connection.refs == 2);
    IDispatch* dsn = NULL; /* read back as a reference of the caller's own */
    CHECK(r->lpVtbl->get_DSN(r, &dsn) == S_OK && dsn == &connection.base && connection.refs == 3);
    if (dsn)
        dsn->lpVtbl->Release(dsn);
    CHECK(r->lpVtbl->put_DSN(r, NULL) == S_OK && connection.refs == 1);

    /* A report chosen by DISPID, whose run fails (the item list without a
     * connection): the early-bound caller reads what the late-bound caller
     * gets in EXCEPINFO. */
    VARIANT arg = {.vt = VT_BSTR, .u.bstrVal = VornSysAllocStringUtf8("Vorn Item List Report")};
    CHECK(invoke(r, 0x68030003, DISPATCH_PROPERTYPUT, &arg, NULL, NULL) == S_OK);
    VornSysFreeString(arg.u.bstrVal);
    EXCEPINFO info = {0};
    VARIANT result = {0};
    CHECK(invoke(r, 0x6003000E, DISPATCH_METHOD, NULL, &result, &info) == DISP_E_EXCEPTION);
    VARIANT_BOOL b = -1;
    const HRESULT early = r->lpVtbl->PrintReport(r, &b);
    CHECK(VORN_FAILED(early) && early == info.scode && b == 0);
    BSTR source = NULL;
    description = take_error_from(&source);
    CHECK(description && take_equals(info.bstrDescription, description));
    free(description);
    char* expected_source = VornStringToUtf8(info.bstrSource);
    CHECK(expected_source && take_equals(source, expected_source));
    free(expected_source);
    VornSysFreeString(info.bstrSource);

    /* Module state per thread: two objects on this thread share it... */
    static HostObject first_fields = HOST_OBJECT, second_fields = HOST_OBJECT;
    print_with_fields(r, &first_fields);
    CHECK(first_fields.refs == 3); /* the request and the shared state */
    print_with_fields(r2, &second_fields);
    CHECK(first_fields.refs == 2 && second_fields.refs == 3); /* r2's call replaced r's */

    /* ...another thread has its own, released when that thread ends; and an
     * object called from a thread other than its own refuses. */
    first_threads_object = r;
    CHECK(r->lpVtbl->get_UserName(r, NULL) == E_POINTER); /* leaves an error for this thread */
    pthread_t thread;
    CHECK(pthread_create(&thread, NULL, second_thread, NULL) == 0);
    pthread_join(thread, NULL);
    CHECK(wrong_thread_error && strstr(wrong_thread_error, "different thread"));
    free(wrong_thread_error);
    CHECK(third_fields.refs == 1 && second_fields.refs == 3);
    description = take_error();
    CHECK(description && strcmp(description, "Invalid pointer") == 0);
    free(description);
    int16_t mode = 9; /* still answers on its own thread */
    CHECK(r->lpVtbl->get_RunMode(r, &mode) == S_OK && mode == 0);

    /* Unloading: held objects and the factory lock keep the component loaded. */
    CHECK(r->lpVtbl->Release(r) == 0 && first_fields.refs == 1);
    CHECK(r2->lpVtbl->Release(r2) == 0 && second_fields.refs == 2);
    VornCoFreeUnusedLibraries();
    void* still = dlopen(argv[1], RTLD_NOW | RTLD_NOLOAD);
    CHECK(still != NULL); /* locked */
    if (still)
        dlclose(still);
    CHECK(VornCoGetClassObject(&CLSID_clsReports, VORN_CLSCTX_INPROC_SERVER, &IID_IClassFactory,
                               (void**)&factory) == S_OK);
    CHECK(factory->lpVtbl->LockServer(factory, 0) == S_OK);
    factory->lpVtbl->Release(factory);
    VornCoFreeUnusedLibraries();
    CHECK(second_fields.refs == 1); /* the shared state went with the component */
    CHECK(dlopen(argv[1], RTLD_NOW | RTLD_NOLOAD) == NULL);

    /* And it comes back for the next request. */
    r = create_by_name();
    CHECK(r && r->lpVtbl->Release(r) == 0);
    VornCoFreeUnusedLibraries();
    CHECK(dlopen(argv[1], RTLD_NOW | RTLD_NOLOAD) == NULL);

    printf("%d passed, %d failed\n", checks - failures, failures);
    return failures ? 1 : 0;
}
