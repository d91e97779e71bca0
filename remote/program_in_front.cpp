// The answer for the window in front is kept until another window comes to
// the front, its window handle is taken by another process, or a set is
// added or removed: a press costs two questions to the window manager,
// none to the program.
#include "remote/program_in_front.h"

#include <windows.h>

#include "core/program_sets.h"
#include "platform/program_names.h"

static HWND CachedWindow;
static DWORD CachedPid;
static LONG CachedGeneration = -1;
static int CachedSet = AllPrograms;

int ProgramSetInFront()
{
    if (ProgramSetsInUse == 0)
        return AllPrograms;
    HWND window = GetForegroundWindow();
    DWORD pid = 0;
    if (!window || !GetWindowThreadProcessId(window, &pid))
        return AllPrograms;
    LONG generation = ProgramSetsGeneration;
    if (window == CachedWindow && pid == CachedPid && generation == CachedGeneration)
        return CachedSet;
    wchar_t name[ProgramNameSize];
    CachedSet = ProgramOfWindow(window, name, ProgramNameSize) ? FindProgramSet(name) : AllPrograms;
    CachedWindow = window;
    CachedPid = pid;
    CachedGeneration = generation;
    return CachedSet;
}
