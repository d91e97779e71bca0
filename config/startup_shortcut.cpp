// The Startup-folder shortcut and the Settings dialog's check box for it.
#include "config/startup_shortcut.h"

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>
#include <stdio.h>

#include "core/app_state.h"
#include "platform/paths.h"
#include "core/router.h"
#include "res/resource.h"

// Our own copies of the ids: no import library needed.
static const GUID ShellLinkClass = {
    0x00021401, 0x0000, 0x0000, { 0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46 } };
static const GUID ShellLinkInterface = {
    0x000214EE, 0x0000, 0x0000, { 0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46 } };
static const GUID PersistFileInterface = {
    0x0000010B, 0x0000, 0x0000, { 0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46 } };

// The shortcut's full path; empty when the folder is unknown or it does not
// fit. A new user profile may lack the folder: making the shortcut makes it.
static void FormShortcutPath(char* path, size_t size, int folderFlags = 0)
{
    char startup[MAX_PATH] = "";
    path[0] = '\0';
    if (FAILED(SHGetFolderPathA(NULL, CSIDL_STARTUP | folderFlags, NULL, SHGFP_TYPE_CURRENT, startup)) ||
        !startup[0])
        return;
    int n = _snprintf(path, size, "%s\\Quellon.lnk", startup);
    if (n < 0 || (size_t)n >= size)
        path[0] = '\0';
}

bool StartupShortcutExists()
{
    char path[MAX_PATH];
    FormShortcutPath(path, sizeof path);
    return path[0] && GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
}

// Writes the shortcut through the shell's own link object, which every
// Windows since 95 has; the file format is the shell's business.
static bool SaveShortcut(IShellLinkA* link, const char* path)
{
    char exe[MAX_PATH];
    DWORD n = GetModuleFileNameA(NULL, exe, sizeof exe);
    WCHAR widePath[MAX_PATH];
    if (n == 0 || n >= sizeof exe || !MultiByteToWideChar(CP_ACP, 0, path, -1, widePath, MAX_PATH))
        return false;
    link->SetPath(exe);
    link->SetWorkingDirectory(ProgramDir);
    link->SetDescription("Remote control for the whole PC");
    IPersistFile* file = NULL;
    bool saved = SUCCEEDED(link->QueryInterface(PersistFileInterface, (void**)&file)) &&
                 SUCCEEDED(file->Save(widePath, TRUE));
    if (file)
        file->Release();
    return saved;
}

bool CreateStartupShortcut()
{
    char path[MAX_PATH];
    FormShortcutPath(path, sizeof path, CSIDL_FLAG_CREATE);
    if (!path[0])
        return false;
    // One made meanwhile, by the installer or by hand, is left as it is.
    if (GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES)
        return true;
    HRESULT started = CoInitializeEx(NULL, COINIT_APARTMENTTHREADED);
    // Already initialised otherwise on this thread: usable, but not ours to end.
    if (FAILED(started) && started != RPC_E_CHANGED_MODE)
        return false;
    IShellLinkA* link = NULL;
    bool saved = SUCCEEDED(CoCreateInstance(ShellLinkClass, NULL, CLSCTX_INPROC_SERVER,
                                            ShellLinkInterface, (void**)&link)) &&
                 SaveShortcut(link, path);
    if (link)
        link->Release();
    if (SUCCEEDED(started))
        CoUninitialize();
    return saved;
}

bool DeleteStartupShortcut()
{
    char path[MAX_PATH];
    FormShortcutPath(path, sizeof path);
    if (!path[0])
        return false;
    if (DeleteFileA(path))
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
