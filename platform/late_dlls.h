// COM and the common dialogs, loaded at their first use. Both are KnownDLLs
// and safe to import, but an idle Quellon needs neither, and ole32 brings
// combase and rpcrt4 along: imported, they are memory spent all day for a
// colour dialog or a volume key. Each behaves as the function it names, and
// fails as that one fails when its DLL cannot be had. Any thread.
#pragma once
#include <windows.h>
#include <commdlg.h>

HRESULT LateCoInitializeEx(void* reserved, DWORD flags);
void LateCoUninitialize();
HRESULT LateCoCreateInstance(REFCLSID classId, IUnknown* outer, DWORD context, REFIID iid,
                             void** object);
BOOL LateGetOpenFileNameW(OPENFILENAMEW* request);
BOOL LateChooseColorA(CHOOSECOLORA* request);
