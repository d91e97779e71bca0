// Which program's bindings a key press uses: the program of the window in
// front, looked up once per window that comes to the front.
#pragma once

// The program set of the program in front, or AllPrograms. Receiver thread.
int ProgramSetInFront();
