// The program of an "Execute Program" binding: browsed for in wide
// characters, since a folder (a user's profile, say) may be named outside
// the ANSI code page, and checked before its record's ANSI field takes it:
// a path stored with '?' in place of letters starts nothing.
#include "config/program_path.h"

#include <commdlg.h>

#include "core/text.h"
#include "platform/late_dlls.h"

// The message holds the longest path with room to spare: it is never cut.
enum { ChosenSize = 1024, AnsiSize = 2 * ChosenSize, MessageSize = ChosenSize + 512 };

static OPENFILENAMEW Request;
static wchar_t Chosen[ChosenSize];
static const wchar_t Filter[] = L" Applications \0 *.exe\0 All files \0 *.*\0";

static const wchar_t* Browse(HWND owner)
{
    // A failed dialog (a path longer than the buffer) may leave a size in
    // the buffer: the last chosen path is kept instead.
    static wchar_t kept[ChosenSize];
    lstrcpynW(kept, Chosen, ChosenSize);
    ZeroMemory(&Request, sizeof Request);
    Request.lStructSize = sizeof Request;
    Request.hwndOwner = owner;
    Request.hInstance = GetModuleHandleA(NULL);
    Request.lpstrFilter = Filter;
    Request.nFilterIndex = 1;
    Request.lpstrFile = Chosen;
    Request.nMaxFile = ChosenSize;
    Request.lpstrTitle = L"Select program";
    Request.lpstrInitialDir = L"C:\\";
    // Our current folder stays where it was: moved to wherever the user
    // browsed, it would hold a USB stick that then cannot be ejected, and
    // a bare program name would be searched for there.
    Request.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    if (LateGetOpenFileNameW(&Request)) {
        Chosen[ChosenSize - 1] = L'\0';
        return Chosen;
    }
    lstrcpynW(Chosen, kept, ChosenSize);
    return NULL;
}

// The path in the code page, whole in AnsiSize bytes; false when a
// character would be lost: no '?' and no look-alike in place of a letter
// the code page lacks.
static bool InCodePage(const wchar_t* path, char* ansi)
{
    BOOL lost = FALSE;
    int n = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, path, -1, ansi, AnsiSize, NULL, &lost);
    return n > 0 && !lost;
}

// A '?' or '*' is in no file's name: a path typed or pasted where the field
// could show only the code page has one in place of each letter it lacks.
// The prefix "\\?\" is the one place a '?' belongs.
static bool HasWildcard(const wchar_t* path)
{
    const wchar_t* p = path;
    if (p[0] == L'\\' && p[1] == L'\\' && p[2] == L'?' && p[3] == L'\\')
        p += 4;
    for (; *p; ++p)
        if (*p == L'?' || *p == L'*')
            return true;
    return false;
}

bool ProgramPathInField(const wchar_t* path, char* field, int width, const wchar_t** why)
{
    field[0] = '\0';
    if (HasWildcard(path)) {
        *why = L"No file name has a question mark or an asterisk; where one stands for a "
               L"letter, that letter is outside this Windows' code page.";
        return false;
    }
    // The path as it is when it fits; else its short form when that fits;
    // else the path cut to the field, as every text of a record is.
    static char whole[AnsiSize], shortened[AnsiSize];
    static wchar_t shortForm[ChosenSize];
    bool held = InCodePage(path, whole);
    if (held && lstrlenA(whole) < width) {
        CopyText(field, (size_t)width, whole);
        return true;
    }
    DWORD n = GetShortPathNameW(path, shortForm, ChosenSize);
    if (n > 0 && n < ChosenSize && InCodePage(shortForm, shortened) && lstrlenA(shortened) < width) {
        CopyText(field, (size_t)width, shortened);
        return true;
    }
    if (held) {
        CopyText(field, (size_t)width, whole);
        return true;
    }
    *why = L"It has letters outside this Windows' code page, and Windows has no short (8.3) form "
           L"of it without them that a binding can hold.";
    return false;
}

// The last program browsed for that no ANSI text holds, and the field's
// text (as the ANSI functions read it) that shows it: the field may show
// only '?' for its letters. Main thread only.
static wchar_t Unheld[ChosenSize];
static char UnheldShown[ChosenSize];

void BrowseProgramInto(HWND owner, HWND field, int width)
{
    const wchar_t* chosen = Browse(owner);
    if (!chosen)
        return;
    static char held[ChosenSize];
    const wchar_t* why;
    Unheld[0] = L'\0';
    if (width <= ChosenSize && ProgramPathInField(chosen, held, width, &why)) {
        SetWindowTextA(field, held);
        return;
    }
    lstrcpynW(Unheld, chosen, ChosenSize);
    SetWindowTextW(field, chosen);
    UnheldShown[0] = '\0';
    GetWindowTextA(field, UnheldShown, ChosenSize);
}

static void Append(wchar_t* text, int size, const wchar_t* more)
{
    int n = lstrlenW(text);
    if (n < size - 1)
        lstrcpynW(text + n, more, size - n);
}

bool TakeProgramPath(HWND owner, HWND field, char* path, int width)
{
    static wchar_t typed[ChosenSize];
    static char shown[ChosenSize];
    typed[0] = L'\0';
    shown[0] = '\0';
    GetWindowTextW(field, typed, ChosenSize);
    GetWindowTextA(field, shown, ChosenSize);
    const wchar_t* program = Unheld[0] && lstrcmpA(shown, UnheldShown) == 0 ? Unheld : typed;
    const wchar_t* why = L"";
    if (ProgramPathInField(program, path, width, &why))
        return true;
    static wchar_t text[MessageSize];
    text[0] = L'\0';
    const wchar_t* parts[] = { L"This program cannot be stored:\n\n", program, L"\n\n", why,
                               L"\n\nMove or rename it, or choose another." };
    for (const wchar_t* part : parts)
        Append(text, MessageSize, part);
    MessageBoxW(owner, text, L"Execute Program", MB_ICONWARNING);
    return false;
}
