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

// A window matches when its class and title, cut to their record fields as
// "Set" cuts them, equal the stored texts: a whole text of a shorter window
// text cannot equal a longer stored one, and a stored text that fills its
// field equals the cut beginning of every longer window text.
BOOL CALLBACK MatchBoundWindow(HWND window, LPARAM lParam)
{
    BoundWindowSearch* s = (BoundWindowSearch*)lParam;
    // Our own windows are left to FindWindowA, which finds those bound by
    // whole texts: reading a title of our own process would wait for the
    // thread that owns the window, which may be busy.
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid == GetCurrentProcessId())
        return TRUE;
    char cut[WindowTextSize] = "";
    GetClassNameA(window, cut, WindowTextSize);
    CutToField(cut, s->classWidth);
    if (lstrcmpiA(cut, s->windowClass) != 0)
        return TRUE;
    if (s->name) {
        cut[0] = '\0';
        GetWindowTextA(window, cut, WindowTextSize);
        CutToField(cut, s->nameWidth);
        if (lstrcmpiA(cut, s->name) != 0)
            return TRUE;
    }
    if (TopLevelVisible(window)) {
        s->visible = window;
        return FALSE;
    }
    if (!s->hidden)
        s->hidden = window;
    return TRUE;
}

// A cut before a double-byte character leaves the field's last byte free.
bool FillsField(const char* text, int width)
{
    return text && lstrlenA(text) >= width - 2;
}

}  // namespace

HWND FindBoundWindow(const char* windowClass, int classWidth, const char* name, int nameWidth)
{
    // The usual binding: one call, and FindWindowA's answer kept when it is
    // a window the user can see. Otherwise the windows are read as the ANSI
    // functions read them: a title outside the code page, stored with its
    // '?', then matches as well.
    if (!windowClass[0])
        return NULL;
    HWND first = NULL;
    if (!FillsField(windowClass, classWidth) && !FillsField(name, nameWidth)) {
        first = FindWindowA(windowClass, name);
        if (first && TopLevelVisible(first))
            return first;
    }
    if (classWidth > MaxFieldWidth)
        classWidth = MaxFieldWidth;
    if (nameWidth > MaxFieldWidth)
        nameWidth = MaxFieldWidth;
    BoundWindowSearch s = { windowClass, classWidth, name, nameWidth, NULL, first };
    EnumWindows(MatchBoundWindow, (LPARAM)&s);
    return s.visible ? s.visible : s.hidden;
}
