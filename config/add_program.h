// "Add...": which program gets bindings of its own.
#pragma once
#include <stddef.h>

// Offers the programs with a visible window now, by file name and title,
// and a browse for any executable; name receives the chosen program's file
// name. False when the user cancels. Main thread.
bool ChooseProgramToAdd(wchar_t* name, size_t size);
