// Start-up, the main message loop and shutdown.
#pragma once

// Runs the whole program; returns the process exit code.
int RunQuellon();
