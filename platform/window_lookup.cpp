// Window lookup by a binding's stored class and title.
#include "platform/window_lookup.h"

#include "platform/characters.h"

namespace {

enum { MaxFieldWidth = 256, WindowTextSize = 512 };

struct BoundWindowSearch {
    const char* windowClass;
    int classWidth;
    const char* name;
    int nameWidth;
    HWND visible;
    HWND hidden;
};

// Cut as "Set" and the find-window tool cut: within width - 1 bytes, whole
// characters only.
void CutToField(char* text, int width)
{
    text[WholeCharactersLength(text, (size_t)width - 1)] = '\0';
}

// Whether a top-level window is one the user can see. Its parent is the
// desktop, which always is: its own style decides, read with one question
// to the window manager where IsWindowVisible asks a second for the parents.
bool TopLevelVisible(HWND window)
{
    return (GetWindowLongA(window, GWL_STYLE) & WS_VISIBLE) != 0;
}

// Whether the window's class and title, cut to their record fields as "Set"
// cuts them, equal the stored texts: a whole text of a shorter window text
// cannot equal a longer stored one, and a stored text that fills its field
// equals the cut beginning of every longer window text. The class is the
// one read before when the caller has it.
bool TextsMatch(HWND window, const BoundWindowSearch* s, const char* knownClass)
{
    char cut[WindowTextSize] = "";
    if (knownClass)
        lstrcpynA(cut, knownClass, WindowTextSize);
    else
        GetClassNameA(window, cut, WindowTextSize);
    CutToField(cut, s->classWidth);
    if (lstrcmpiA(cut, s->windowClass) != 0)
        return false;
    if (!s->name)
        return true;
    cut[0] = '\0';
    GetWindowTextA(window, cut, WindowTextSize);
    CutToField(cut, s->nameWidth);
    return lstrcmpiA(cut, s->name) == 0;
}

BOOL CALLBACK MatchBoundWindow(HWND window, LPARAM lParam)
{
    BoundWindowSearch* s = (BoundWindowSearch*)lParam;
    // Our own windows are left to FindWindowA, which finds those bound by
    // whole texts: reading a title of our own process would wait for the
    // thread that owns the window, which may be busy.
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid == GetCurrentProcessId() || !TextsMatch(window, s, NULL))
        return TRUE;
    if (TopLevelVisible(window)) {
        s->visible = window;
        return FALSE;
    }
    if (!s->hidden)
        s->hidden = window;
    return TRUE;
}

// The window in front, as the key path read it for the code it handles: the
// window the user works in, and most often the one a binding of its
// program's own set aims at. Taking it when it matches spares the search
// and the style read, two trips to the window manager, on the path a user
// waits on. A window's class and process never change, and a window hidden
// with ShowWindow gives up the front: all three are read once per window
// that comes to the front. It is the search's own answer unless a window of
// the same class and title stays above the one in front, always on top.
// The receiver thread's alone, as are the searches.
HWND NotedFront;
HWND KnownFront;
bool KnownFrontUsable;    // visible, and not ours (see MatchBoundWindow)
char KnownFrontClass[WindowTextSize];

HWND TakeWindowInFront()
{
    HWND window = NotedFront;
    NotedFront = NULL;
    if (window && window != KnownFront) {
        DWORD pid = 0;
        KnownFront = window;
        KnownFrontUsable = GetWindowThreadProcessId(window, &pid) && pid != GetCurrentProcessId() &&
                           TopLevelVisible(window) &&
                           GetClassNameA(window, KnownFrontClass, WindowTextSize);
    }
    return KnownFrontUsable ? window : NULL;
}

// A cut before a double-byte character leaves the field's last byte free.
bool FillsField(const char* text, int width)
{
    return text && lstrlenA(text) >= width - 2;
}

}  // namespace

void NoteWindowInFront(HWND window)
{
    NotedFront = window;
}

HWND FindBoundWindow(const char* windowClass, int classWidth, const char* name, int nameWidth)
{
    // The usual binding: one call, and FindWindowA's answer kept when it is
    // a window the user can see. Otherwise the windows are read as the ANSI
    // functions read them: a title outside the code page, stored with its
    // '?', then matches as well.
    if (!windowClass[0])
        return NULL;
    if (classWidth > MaxFieldWidth)
        classWidth = MaxFieldWidth;
    if (nameWidth > MaxFieldWidth)
        nameWidth = MaxFieldWidth;
    BoundWindowSearch s = { windowClass, classWidth, name, nameWidth, NULL, NULL };
    HWND front = TakeWindowInFront();
    if (front && TextsMatch(front, &s, KnownFrontClass))
        return front;
    HWND first = NULL;
    if (!FillsField(windowClass, classWidth) && !FillsField(name, nameWidth)) {
        first = FindWindowA(windowClass, name);
        if (first && TopLevelVisible(first))
            return first;
    }
    s.hidden = first;
    EnumWindows(MatchBoundWindow, (LPARAM)&s);
    return s.visible ? s.visible : s.hidden;
}
