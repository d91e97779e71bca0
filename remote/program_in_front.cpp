// The answer for the window in front is kept until another window comes to
// the front or a set is added or removed: a press costs one question to the
// window manager (a round trip to the wineserver under Wine), none to the
// program. A window belongs to one process for its life, and a handle
// value is given to a new window only after its slot's reuse count has
// wrapped, so the window stands for its process too.
#include "remote/program_in_front.h"

#include <windows.h>

#include "core/held_choices.h"
#include "core/program_sets.h"
#include "platform/program_names.h"
#include "platform/window_lookup.h"

static HWND CachedWindow;
static LONG CachedGeneration = -1;
static int CachedSet = AllPrograms;

int ProgramSetInFront()
{
    if (ProgramSetsInUse == 0)
        return AllPrograms;
    HWND window = GetForegroundWindow();
    if (!window)
        return AllPrograms;
    // The bindings this press runs find their windows from it too.
    NoteWindowInFront(window);
    LONG generation = ProgramSetsGeneration;
    if (window == CachedWindow && generation == CachedGeneration)
        return CachedSet;
    wchar_t name[ProgramNameSize];
    CachedSet = ProgramOfWindow(window, name, ProgramNameSize) ? FindProgramSet(name) : AllPrograms;
    CachedWindow = window;
    CachedGeneration = generation;
    return CachedSet;
}

PressBindings ChoosePressBindingsInFront(int k)
{
    PressBindings b = ChoosePressBindings(k);
    if (k <= 0 || !b.known)
        return b;
    int used;
    KeySlots own = BindingsForKey(k, ProgramSetInFront(), &used);
    if (used != AllPrograms) {
        b.slots = own;
        b.set = used;
        b.choice = HeldChoiceOf(ProgramSets[used].held, k);
    }
    return b;
}
