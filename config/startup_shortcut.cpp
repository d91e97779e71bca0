// The Startup-folder shortcut and the Settings dialog's check box for it.
#include "config/startup_shortcut.h"

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include "core/app_state.h"
#include "platform/late_dlls.h"
#include "platform/paths.h"
#include "core/router.h"
#include "res/resource.h"

// Our own copies of the ids: no import library needed.
static const GUID ShellLinkClass = {
    0x00021401, 0x0000, 0x0000, { 0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46 } };
static const GUID ShellLinkInterface = {    // IShellLinkW
    0x000214F9, 0x0000, 0x0000, { 0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46 } };
static const GUID PersistFileInterface = {
    0x0000010B, 0x0000, 0x0000, { 0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46 } };

// The shortcut's full path; empty when the folder is unknown or it does not
// fit. A new user profile may lack the folder: making the shortcut makes it.
// In UTF-16, like the program's path it holds: either may be named outside
// the ANSI code page.
static void FormShortcutPath(wchar_t* path, size_t size, int folderFlags = 0)
{
    wchar_t startup[MAX_PATH] = L"";
    path[0] = L'\0';
    if (SUCCEEDED(SHGetFolderPathW(NULL, CSIDL_STARTUP | folderFlags, NULL, SHGFP_TYPE_CURRENT, startup)) &&
        startup[0])
        JoinPath(path, size, startup, L"\\Quellon.lnk");
}

bool StartupShortcutExists()
{
    wchar_t path[MAX_PATH];
    FormShortcutPath(path, MAX_PATH);
    return path[0] && GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES;
}

// Writes the shortcut through the shell's own link object, which every
// Windows since 95 has; the file format is the shell's business.
static bool SaveShortcut(IShellLinkW* link, const wchar_t* path)
{
    wchar_t exe[MAX_PATH];
    DWORD n = GetModuleFileNameW(NULL, exe, MAX_PATH);
    if (n == 0 || n >= MAX_PATH)
        return false;
    link->SetPath(exe);
    link->SetWorkingDirectory(ProgramDir);
    link->SetDescription(L"Remote control for the whole PC");
    IPersistFile* file = NULL;
    bool saved = SUCCEEDED(link->QueryInterface(PersistFileInterface, (void**)&file)) &&
                 SUCCEEDED(file->Save(path, TRUE));
    if (file)
        file->Release();
    return saved;
}

bool CreateStartupShortcut()
{
    wchar_t path[MAX_PATH];
    FormShortcutPath(path, MAX_PATH, CSIDL_FLAG_CREATE);
    if (!path[0])
        return false;
    // One made meanwhile, by the installer or by hand, is left as it is.
    if (GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES)
        return true;
    HRESULT started = LateCoInitializeEx(NULL, COINIT_APARTMENTTHREADED);
    // Already initialised otherwise on this thread: usable, but not ours to end.
    if (FAILED(started) && started != RPC_E_CHANGED_MODE)
        return false;
    IShellLinkW* link = NULL;
    bool saved = SUCCEEDED(LateCoCreateInstance(ShellLinkClass, NULL, CLSCTX_INPROC_SERVER,
                                                ShellLinkInterface, (void**)&link)) &&
                 SaveShortcut(link, path);
    if (link)
        link->Release();
    if (SUCCEEDED(started))
        LateCoUninitialize();
    return saved;
}

bool DeleteStartupShortcut()
{
    wchar_t path[MAX_PATH];
    FormShortcutPath(path, MAX_PATH);
    if (!path[0])
        return false;
    if (DeleteFileW(path))
        return true;
    DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

void ShowStartupCheckBox()
{
    CheckDlgButton(SettingsDialog, IDC_START_AT_SIGN_IN,
                   StartupShortcutExists() ? BST_CHECKED : BST_UNCHECKED);
}

// The box then shows what the Startup folder holds, also when the shortcut
// could not be made or deleted.
static int StartupCheckBoxChanged()
{
    if (IsDlgButtonChecked(SettingsDialog, IDC_START_AT_SIGN_IN) == BST_CHECKED)
        CreateStartupShortcut();
    else
        DeleteStartupShortcut();
    ShowStartupCheckBox();
    return 1;
}

void AddStartupCheckBox()
{
    AddCommandRoute(SettingsDialog, IDC_START_AT_SIGN_IN, StartupCheckBoxChanged);
}
