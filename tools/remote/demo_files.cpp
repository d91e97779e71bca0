// The demonstration bindings and settings, made from the same record layout
// that quellon.exe reads, so that no opaque binary lives in the repository.
#include "tools/remote/demo_files.h"

#include <windows.h>
#include <stdio.h>
#include <string.h>

#include "actions/keys.h"
#include "core/profile.h"
#include "core/text.h"
#include "tools/remote/remote_layout.h"

// Action types of the catalogue used by the demonstration.
enum {
    DemoVolumeUp = 20, DemoVolumeDown = 21, DemoVolumeMute = 64, DemoDisplayTime = 65,
    DemoMouseUp = 22, DemoMouseDown = 23, DemoMouseLeft = 24, DemoMouseRight = 25,
    DemoMouseLeftClick = 26, DemoExecuteProgram = 31, DemoSendMessage = 32, DemoVirtualKey = 60,
};

// Rows of the keys "1" to "9" and "0" in the virtual key table, which a
// "Virtual Key" slot stores instead of the code: "1" to "9" follow each other.
enum { VirtualKeyRowOf1 = 31, VirtualKeyRowOf0 = 40 };

struct DemoBinding {
    const char* key;
    int32_t type;
    const char* program;    // "Execute Program"; "Send Message" and "Virtual Key": window class
    int32_t number, wParam; // "Send Message"; "Virtual Key": key row and key flags
};

// TEXT opens Notepad, the digits type into it, FULL maximises it and CANCEL
// closes it again.
static const DemoBinding DemoBindings[] = {
    { "DISPL", DemoDisplayTime, "", 0, 0 },
    { "VOL+", DemoVolumeUp, "", 0, 0 },
    { "VOL-", DemoVolumeDown, "", 0, 0 },
    { "MUTE", DemoVolumeMute, "", 0, 0 },
    { "CH+", DemoMouseUp, "", 0, 0 },
    { "CH-", DemoMouseDown, "", 0, 0 },
    { "FINE-", DemoMouseLeft, "", 0, 0 },
    { "FINE+", DemoMouseRight, "", 0, 0 },
    { "ENTER", DemoMouseLeftClick, "", 0, 0 },
    { "TEXT", DemoExecuteProgram, "notepad.exe", 0, 0 },
    { "FULL", DemoSendMessage, "Notepad", WM_SYSCOMMAND, SC_MAXIMIZE },
    { "CANCEL", DemoSendMessage, "Notepad", WM_CLOSE, 0 },
    { "CH1", DemoVirtualKey, "Notepad", VirtualKeyRowOf1 + 0, OnlyIfWindowFound },
    { "CH2", DemoVirtualKey, "Notepad", VirtualKeyRowOf1 + 1, OnlyIfWindowFound },
    { "CH3", DemoVirtualKey, "Notepad", VirtualKeyRowOf1 + 2, OnlyIfWindowFound },
    { "CH4", DemoVirtualKey, "Notepad", VirtualKeyRowOf1 + 3, OnlyIfWindowFound },
    { "CH5", DemoVirtualKey, "Notepad", VirtualKeyRowOf1 + 4, OnlyIfWindowFound },
    { "CH6", DemoVirtualKey, "Notepad", VirtualKeyRowOf1 + 5, OnlyIfWindowFound },
    { "CH7", DemoVirtualKey, "Notepad", VirtualKeyRowOf1 + 6, OnlyIfWindowFound },
    { "CH8", DemoVirtualKey, "Notepad", VirtualKeyRowOf1 + 7, OnlyIfWindowFound },
    { "CH9", DemoVirtualKey, "Notepad", VirtualKeyRowOf1 + 8, OnlyIfWindowFound },
    { "CH0", DemoVirtualKey, "Notepad", VirtualKeyRowOf0, OnlyIfWindowFound },
};

static const char* const DemoSettings[][3] = {
    { "Settings", "MouseMultiplier", "50" },
    { "Settings", "TrayDoubleClick", "0" },
    { "OSD", "Enable", "1" },
    { "OSD", "Color", "65535" },    // yellow
    { "OSD", "TextSize", "5" },
    { "OSD", "Timeout", "4" },
    { "OSD", "Opaque", "32" },
};

static bool Exists(const char* path)
{
    return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
}

static bool FillDemoProfile(KeyActions* demo)
{
    memset(demo, 0, ProfileSize);
    for (const DemoBinding& b : DemoBindings) {
        int k = RemoteKeyByName(b.key);
        if (k < 0)
            return false;
        ActionRecord& r = demo[k].slot[0];
        r.type = b.type;
        if (b.type == DemoExecuteProgram)
            CopyText(r.programPath, sizeof r.programPath, b.program);
        if (b.type == DemoSendMessage || b.type == DemoVirtualKey) {
            CopyText(r.windowClass, sizeof r.windowClass, b.program);
            r.number = b.number;
            r.wParam = b.wParam;
        }
    }
    return true;
}

static bool WriteDemoProfile(const char* path)
{
    static KeyActions demo[RemoteKeyCount];
    if (!FillDemoProfile(demo))
        return false;
    HANDLE f = CreateFileA(path, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (f == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    BOOL ok = WriteFile(f, demo, sizeof demo, &written, NULL);
    return CloseHandle(f) && ok && written == sizeof demo;
}

static bool WriteDemoSettings(const char* path)
{
    for (const auto& s : DemoSettings)
        if (!WritePrivateProfileStringA(s[0], s[1], s[2], path))
            return false;
    // Flushes Wine's cached copy before the file is moved.
    WritePrivateProfileStringA(NULL, NULL, NULL, path);
    return true;
}

// A file is made whole under a temporary name beside its final place and
// then moved there, so that a failed write leaves nothing that a later run
// would take for the user's own file. The move never replaces a file.
static bool WriteWhole(const char* dir, const char* path, bool (*write)(const char*))
{
    char temp[MAX_PATH];
    if (!GetTempFileNameA(dir, "qdm", 0, temp))
        return false;
    if (write(temp) && MoveFileA(temp, path))
        return true;
    DeleteFileA(temp);
    return false;
}

int WriteDemoFiles(const char* dir)
{
    int written = 0;
    char profile[MAX_PATH], settings[MAX_PATH];
    int a = _snprintf(profile, sizeof profile, "%sprofile.cfg", dir);
    int b = _snprintf(settings, sizeof settings, "%ssettings.ini", dir);
    if (a < 0 || a >= (int)sizeof profile || b < 0 || b >= (int)sizeof settings)
        return -1;
    if (!Exists(profile)) {
        if (!WriteWhole(dir, profile, WriteDemoProfile))
            return -1;
        ++written;
    }
    if (!Exists(settings)) {
        if (!WriteWhole(dir, settings, WriteDemoSettings))
            return -1;
        ++written;
    }
    return written;
}
