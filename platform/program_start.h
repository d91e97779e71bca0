// Starting another program without waiting for it: a program that takes
// seconds before it reads its first message must not hold the thread that
// handles every key press (WinExec waits up to 30 s for exactly that).
#pragma once

// The longest path and parameters together that a caller hands over.
enum { CommandLineSize = 512 };

// Starts the program that path names, with params after one space (NULL:
// no parameters and no space), shown with SW_SHOW, in our working folder.
// A path that names an existing file is started as exactly that file: left
// to CreateProcessA, "C:\Program Files\A\a.exe" would start C:\Program.exe
// where one exists. A path in quotes, or one that names no file (a bare
// "notepad", parameters typed into the path), is a command line as WinExec
// took it, searched for as before. Returns at once; true when started.
bool StartProgram(const char* path, const char* params);

// Starts exactly the file that path names, without parameters; nothing, and
// false, where there is no such file: a path an uninstaller left behind is
// no command line, and its folder may hold anyone's program.
bool StartProgramFile(const char* path);
