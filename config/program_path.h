// The program a binding starts: chosen in wide characters, and kept in the
// record's ANSI field only in a form that names that same file.
#pragma once
#include <windows.h>

// The ANSI text of width bytes (with its terminator) that names the program
// at path: the path itself when the code page holds it and it fits, else
// its short (8.3) form when Windows has one that does; a path the code
// page holds is otherwise cut to the field, as every text of a record is.
// False, with the reason in *why, when the code page holds neither form,
// or the path has a '?' or '*', which no file name has.
bool ProgramPathInField(const wchar_t* path, char* field, int width, const wchar_t** why);

// The open-file dialog for a program, owned by owner; the choice goes into
// the edit control field as TakeProgramPath will store it in width bytes,
// or as it is when nothing can hold it. The next browse offers it again.
void BrowseProgramInto(HWND owner, HWND field, int width);

// The program named in the edit control field, typed, pasted or browsed,
// in width bytes for a record. False when no ANSI text names that file:
// then a message owned by owner names the path and says why.
bool TakeProgramPath(HWND owner, HWND field, char* path, int width);
