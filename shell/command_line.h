// Reads the screen-saver command line of this process: the mode and the host window.
#ifndef HORLOMA_COMMAND_LINE_H
#define HORLOMA_COMMAND_LINE_H

#include <windows.h>

#include "shell/saver_arguments.h"

struct SaverCommand {
    SaverMode mode;
    HWND host;  // null in full-screen mode; otherwise a window, the desktop at worst
};

SaverCommand ParseSaverCommandLine();

// The same for a given command line, as GetCommandLineW would return it.
SaverCommand ParseSaverCommandText(const wchar_t* commandLine);

#endif
