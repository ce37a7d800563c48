/* VornReports for hosts written in C (or C++): the binary layout of the
 * component's automation interfaces on x86-64 Linux, and the host library
 * (libvornhost) that finds the registered component, creates its objects and
 * unloads it again.
 *
 *   GUID clsid;
 *   _clsReports *reports;
 *   VornCLSIDFromProgID("VornReports.clsReports", &clsid);
 *   VornCoCreateInstance(&clsid, NULL, VORN_CLSCTX_INPROC_SERVER,
 *                        &IID__clsReports, (void **)&reports);
 *   reports->lpVtbl->PrintReport(reports, &result);
 *
 * A failed call returns its status code; VornGetErrorInfo then hands over
 * the error object with the description. Link with `pkg-config --libs
 * vornreports`. */
#ifndef VORNREPORTS_VORNREPORTS_H
#define VORNREPORTS_VORNREPORTS_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef int32_t HRESULT;
typedef int32_t DISPID;
typedef uint32_t LCID;
typedef uint32_t ULONG;
typedef uint32_t UINT;
typedef uint16_t VARTYPE;
typedef int16_t VARIANT_BOOL;
typedef uint16_t OLECHAR;
typedef OLECHAR* BSTR; /* malloc'd; the 4 bytes before hold the byte length */

#define VARIANT_TRUE ((VARIANT_BOOL)-1)
#define VARIANT_FALSE ((VARIANT_BOOL)0)

typedef struct GUID {
    uint32_t Data1;
    uint16_t Data2;
    uint16_t Data3;
    uint8_t Data4[8];
} GUID;
typedef GUID IID;
typedef GUID CLSID;

enum {
    VT_EMPTY = 0,
    VT_NULL = 1,
    VT_I2 = 2,
    VT_I4 = 3,
    VT_R8 = 5,
    VT_DATE = 7,
    VT_BSTR = 8,
    VT_DISPATCH = 9,
    VT_ERROR = 10,
    VT_BOOL = 11,
    VT_VARIANT = 12,
    VT_UNKNOWN = 13,
    VT_BYREF = 0x4000
};

typedef struct VARIANT {
    VARTYPE vt;
    uint16_t wReserved1, wReserved2, wReserved3;
    union {
        int64_t llVal;
        int16_t iVal;
        int32_t lVal;
        double dblVal;
        VARIANT_BOOL boolVal;
        BSTR bstrVal;
        struct IUnknown* punkVal;
        struct IDispatch* pdispVal;
        struct VARIANT* pvarVal;
        void* byref;
        struct {
            void* pvRecord;
            void* pRecInfo;
        } record;
    } u;
} VARIANT;

typedef struct DISPPARAMS {
    VARIANT* rgvarg; /* arguments in reverse order */
    DISPID* rgdispidNamedArgs;
    UINT cArgs;
    UINT cNamedArgs;
} DISPPARAMS;

typedef struct EXCEPINFO {
    uint16_t wCode;
    uint16_t wReserved;
    BSTR bstrSource;
    BSTR bstrDescription;
    BSTR bstrHelpFile;
    uint32_t dwHelpContext;
    void* pvReserved;
    HRESULT (*pfnDeferredFillIn)(struct EXCEPINFO*);
    HRESULT scode;
} EXCEPINFO;

#define DISPATCH_METHOD 0x1
#define DISPATCH_PROPERTYGET 0x2
#define DISPATCH_PROPERTYPUT 0x4
#define DISPATCH_PROPERTYPUTREF 0x8
#define DISPID_PROPERTYPUT (-3)

#define S_OK ((HRESULT)0)
#define S_FALSE ((HRESULT)1)
#define E_NOINTERFACE ((HRESULT)0x80004002u)
#define E_POINTER ((HRESULT)0x80004003u)
#define E_INVALIDARG ((HRESULT)0x80070057u)
#define CLASS_E_NOAGGREGATION ((HRESULT)0x80040110u)
#define CLASS_E_CLASSNOTAVAILABLE ((HRESULT)0x80040111u)
#define REGDB_E_READREGDB ((HRESULT)0x80040150u)
#define REGDB_E_WRITEREGDB ((HRESULT)0x80040151u)
#define REGDB_E_CLASSNOTREG ((HRESULT)0x80040154u)
#define CO_E_CLASSSTRING ((HRESULT)0x800401F3u)
#define CO_E_DLLNOTFOUND ((HRESULT)0x800401F8u)
#define CO_E_ERRORINDLL ((HRESULT)0x800401F9u)
#define DISP_E_EXCEPTION ((HRESULT)0x80020009u)
#define RPC_E_WRONG_THREAD ((HRESULT)0x8001010Eu)
#define VORN_FAILED(hr) ((HRESULT)(hr) < 0)

/* Interfaces: a pointer to a function table, entries in declared order. */
#define VORN_IUNKNOWN_ENTRIES(Self)                                                                \
    HRESULT (*QueryInterface)(Self * self, const IID* iid, void** object);                         \
    ULONG (*AddRef)(Self * self);                                                                  \
    ULONG (*Release)(Self * self)

#define VORN_IDISPATCH_ENTRIES(Self)                                                               \
    VORN_IUNKNOWN_ENTRIES(Self);                                                                   \
    HRESULT (*GetTypeInfoCount)(Self * self, UINT * count);                                        \
    HRESULT (*GetTypeInfo)(Self * self, UINT index, LCID lcid, struct IUnknown * *info);           \
    HRESULT(*GetIDsOfNames)                                                                        \
    (Self * self, const IID* iid, OLECHAR** names, UINT count, LCID lcid, DISPID* ids);            \
    HRESULT(*Invoke)                                                                               \
    (Self * self, DISPID id, const IID* iid, LCID lcid, uint16_t flags, DISPPARAMS* params,        \
     VARIANT* result, EXCEPINFO* excepInfo, UINT* argErr)

typedef struct IUnknown {
    const struct IUnknownVtbl { VORN_IUNKNOWN_ENTRIES(struct IUnknown); } * lpVtbl;
} IUnknown;

typedef struct IDispatch {
    const struct IDispatchVtbl { VORN_IDISPATCH_ENTRIES(struct IDispatch); } * lpVtbl;
} IDispatch;

typedef struct IClassFactory {
    const struct IClassFactoryVtbl {
        VORN_IUNKNOWN_ENTRIES(struct IClassFactory);
        HRESULT(*CreateInstance)
        (struct IClassFactory* self, IUnknown* outer, const IID* iid, void** object);
        HRESULT (*LockServer)(struct IClassFactory* self, int32_t lock);
    } * lpVtbl;
} IClassFactory;

typedef struct IErrorInfo {
    const struct IErrorInfoVtbl {
        VORN_IUNKNOWN_ENTRIES(struct IErrorInfo);
        HRESULT (*GetGUID)(struct IErrorInfo* self, GUID* iid);
        HRESULT (*GetSource)(struct IErrorInfo* self, BSTR* source);
        HRESULT (*GetDescription)(struct IErrorInfo* self, BSTR* description);
        HRESULT (*GetHelpFile)(struct IErrorInfo* self, BSTR* helpFile);
        HRESULT (*GetHelpContext)(struct IErrorInfo* self, uint32_t* helpContext);
    } * lpVtbl;
} IErrorInfo;

typedef struct ISupportErrorInfo {
    const struct ISupportErrorInfoVtbl {
        VORN_IUNKNOWN_ENTRIES(struct ISupportErrorInfo);
        HRESULT (*InterfaceSupportsErrorInfo)(struct ISupportErrorInfo* self, const IID* iid);
    } * lpVtbl;
} ISupportErrorInfo;

/* clsReports' one interface, dual: IDispatch, then its members. */
typedef struct _clsReports {
    const struct _clsReportsVtbl {
        VORN_IDISPATCH_ENTRIES(struct _clsReports);
        HRESULT (*put_ShowPrinterDialog)(struct _clsReports* self, VARIANT_BOOL value);
        HRESULT (*get_ShowPrinterDialog)(struct _clsReports* self, VARIANT_BOOL* value);
        HRESULT (*put_ShowHarness)(struct _clsReports* self, VARIANT_BOOL value);
        HRESULT (*get_ShowHarness)(struct _clsReports* self, VARIANT_BOOL* value);
        HRESULT (*put_UserName)(struct _clsReports* self, BSTR value);
        HRESULT (*get_UserName)(struct _clsReports* self, BSTR* value);
        HRESULT (*put_AppendSQL)(struct _clsReports* self, BSTR value);
        HRESULT (*get_AppendSQL)(struct _clsReports* self, BSTR* value);
        HRESULT (*put_DatabaseType)(struct _clsReports* self, BSTR value);
        HRESULT (*get_DatabaseType)(struct _clsReports* self, BSTR* value);
        HRESULT (*put_Version)(struct _clsReports* self, BSTR value);
        HRESULT (*get_Version)(struct _clsReports* self, BSTR* value);
        HRESULT (*put_tvwProjects)(struct _clsReports* self, VARIANT value);
        HRESULT (*putref_tvwProjects)(struct _clsReports* self, VARIANT* value);
        HRESULT (*get_tvwProjects)(struct _clsReports* self, VARIANT* value);
        HRESULT (*put_OtherParameters)(struct _clsReports* self, VARIANT value);
        HRESULT (*putref_OtherParameters)(struct _clsReports* self, VARIANT* value);
        HRESULT (*get_OtherParameters)(struct _clsReports* self, VARIANT* value);
        HRESULT (*ShowReport)(struct _clsReports* self, VARIANT_BOOL* result);
        HRESULT (*PrintReport)(struct _clsReports* self, VARIANT_BOOL* result);
        HRESULT (*put_ReportName)(struct _clsReports* self, BSTR value);
        HRESULT (*get_ReportName)(struct _clsReports* self, BSTR* value);
        HRESULT (*put_RunMode)(struct _clsReports* self, int16_t value);
        HRESULT (*get_RunMode)(struct _clsReports* self, int16_t* value);
        HRESULT (*put_SQLStatement)(struct _clsReports* self, BSTR value);
        HRESULT (*get_SQLStatement)(struct _clsReports* self, BSTR* value);
        HRESULT (*put_DSN)(struct _clsReports* self, IDispatch* connection);
        HRESULT (*get_DSN)(struct _clsReports* self, IDispatch** connection);
    } * lpVtbl;
} _clsReports;

#define VORN_GUID(name, l, w1, w2, b1, b2, b3, b4, b5, b6, b7, b8)                                 \
    static const GUID name = {l, w1, w2, {b1, b2, b3, b4, b5, b6, b7, b8}}
VORN_GUID(CLSID_clsReports, 0x6B916C62, 0x3383, 0x11D3, 0x89, 0xC6, 0x00, 0xA0, 0x24, 0xAC, 0x46,
          0xEE);
VORN_GUID(IID__clsReports, 0x6B916C61, 0x3383, 0x11D3, 0x89, 0xC6, 0x00, 0xA0, 0x24, 0xAC, 0x46,
          0xEE);
VORN_GUID(LIBID_VornReports, 0x6B916C5D, 0x3383, 0x11D3, 0x89, 0xC6, 0x00, 0xA0, 0x24, 0xAC, 0x46,
          0xEE);
VORN_GUID(IID_IUnknown, 0, 0, 0, 0xC0, 0, 0, 0, 0, 0, 0, 0x46);
VORN_GUID(IID_IDispatch, 0x00020400, 0, 0, 0xC0, 0, 0, 0, 0, 0, 0, 0x46);
VORN_GUID(IID_IClassFactory, 0x00000001, 0, 0, 0xC0, 0, 0, 0, 0, 0, 0, 0x46);
VORN_GUID(IID_IErrorInfo, 0x1CF2B120, 0x547D, 0x101B, 0x8E, 0x65, 0x08, 0x00, 0x2B, 0x2B, 0xC2,
          0xAD);
VORN_GUID(IID_ISupportErrorInfo, 0xDF0B3D60, 0x548F, 0x101B, 0x8E, 0x65, 0x08, 0x00, 0x2B, 0x2B,
          0xC2, 0xAD);
VORN_GUID(IID_NULL, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
#undef VORN_GUID

#define VORN_CLSCTX_INPROC_SERVER 0x1

/* The class identifier registered for `progId` ("VornReports.clsReports").
 * CO_E_CLASSSTRING when it is not registered, REGDB_E_READREGDB when the
 * registry can't be read. The registry is $VORN_REGISTRY, else
 * $XDG_DATA_HOME/vornreports/registry.reg (~/.local/share when unset). */
HRESULT VornCLSIDFromProgID(const char* progId, CLSID* clsid);

/* Loads the in-process server registered for `clsid` (once per process),
 * asks its class factory for a new object and hands back its `iid`.
 * REGDB_E_CLASSNOTREG when the class is not registered, CO_E_DLLNOTFOUND
 * when its file can't be loaded, CO_E_ERRORINDLL when it lacks the entry
 * points; otherwise what the factory answers. Only in-process servers and
 * no aggregation (outer must be NULL). */
HRESULT VornCoCreateInstance(const CLSID* clsid, IUnknown* outer, uint32_t context, const IID* iid,
                             void** object);

/* The class factory of `clsid`'s in-process server, loaded as above. */
HRESULT VornCoGetClassObject(const CLSID* clsid, uint32_t context, const IID* iid, void** object);

/* Unloads every server loaded by VornCoCreateInstance whose DllCanUnloadNow
 * allows it. */
void VornCoFreeUnusedLibraries(void);

/* The calling thread's error object after a failed call, set by a loaded
 * server; the caller releases it. S_FALSE and NULL when there is none.
 * Reading it clears it. */
HRESULT VornGetErrorInfo(uint32_t reserved, IErrorInfo** info);

/* Counted strings in the layout the component uses; NULL is the empty string. */
BSTR VornSysAllocStringUtf8(const char* text);
void VornSysFreeString(BSTR text);
UINT VornSysStringLen(BSTR text);
/* A malloc'd UTF-8 copy of `text`; free() it. */
char* VornStringToUtf8(BSTR text);

#ifdef __cplusplus
}
#endif

#endif /* VORNREPORTS_VORNREPORTS_H */
