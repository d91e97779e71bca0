// Which program's bindings a key press uses: the program of the window in
// front, looked up once per window that comes to the front.
#pragma once

#include "remote/dispatch.h"

// The program set of the program in front, or AllPrograms. Receiver thread.
int ProgramSetInFront();

// What a press of key k runs, decided at its first code: the slots of the
// program in front's own set and that set's "When held" choice where the
// set binds the key, else those for all programs.
PressBindings ChoosePressBindingsInFront(int k);
