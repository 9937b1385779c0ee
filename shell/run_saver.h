// The program's entry as the platform start-up calls it.
#ifndef HORLOMA_RUN_SAVER_H
#define HORLOMA_RUN_SAVER_H

#include <windows.h>

// Runs the mode the command line asks for and returns the process exit code.
int RunSaver(HINSTANCE instance, int showCommand);

#endif
