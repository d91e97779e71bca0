// ole32 and comdlg32 by their full system path, when first called.
#include "platform/late_dlls.h"

#include "platform/system_dll.h"

namespace {

typedef HRESULT(WINAPI* CoInitializeExFn)(void*, DWORD);
typedef void(WINAPI* CoUninitializeFn)();
typedef HRESULT(WINAPI* CoCreateInstanceFn)(REFCLSID, IUnknown*, DWORD, REFIID, void**);
typedef BOOL(WINAPI* GetOpenFileNameWFn)(OPENFILENAMEW*);
typedef BOOL(WINAPI* ChooseColorAFn)(CHOOSECOLORA*);

// In the order of the names below: FindSystemDllFunctions fills them as a row.
struct Ole32Functions {
    CoInitializeExFn coInitializeEx;
    CoUninitializeFn coUninitialize;
    CoCreateInstanceFn coCreateInstance;
};
struct Comdlg32Functions {
    ChooseColorAFn chooseColorA;
    GetOpenFileNameWFn getOpenFileNameW;
};

// Filled once; a second thread that races the first fills the same values.
Ole32Functions Ole32;
Comdlg32Functions Comdlg32;
HMODULE Ole32Dll, Comdlg32Dll;

bool HaveOle32()
{
    return FindSystemDllFunctions(&Ole32Dll, "ole32.dll",
                                  "CoInitializeEx\0CoUninitialize\0CoCreateInstance\0", &Ole32, 3);
}

bool HaveComdlg32()
{
    return FindSystemDllFunctions(&Comdlg32Dll, "comdlg32.dll",
                                  "ChooseColorA\0GetOpenFileNameW\0", &Comdlg32, 2);
}

}  // namespace

HRESULT LateCoInitializeEx(void* reserved, DWORD flags)
{
    return HaveOle32() ? Ole32.coInitializeEx(reserved, flags) : E_FAIL;
}

void LateCoUninitialize()
{
    // Only called after a successful initialisation, so ole32 is there.
    if (Ole32.coUninitialize)
        Ole32.coUninitialize();
}

HRESULT LateCoCreateInstance(REFCLSID classId, IUnknown* outer, DWORD context, REFIID iid,
                             void** object)
{
    *object = NULL;
    return HaveOle32() ? Ole32.coCreateInstance(classId, outer, context, iid, object) : E_FAIL;
}

BOOL LateGetOpenFileNameW(OPENFILENAMEW* request)
{
    return HaveComdlg32() && Comdlg32.getOpenFileNameW(request);
}

BOOL LateChooseColorA(CHOOSECOLORA* request)
{
    return HaveComdlg32() && Comdlg32.chooseColorA(request);
}
