// Starting a program from a bound command line.
#pragma once


// Runs path, one space and params, as a command line.
void RunProgram(const char* path, const char* params);
