// Starting a program from a bound command line.
#pragma once


// Starts the program path names with one space and params after it.
void RunProgram(const char* path, const char* params);
