// The platform entry: hands the instance and the show command to RunSaver.
#include <windows.h>

#include "shell/run_saver.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previousInstance, LPSTR commandLine,
                   int showCommand)
{
    (void)previousInstance;
    (void)commandLine;  // the command line is read, wide, by RunSaver
    return RunSaver(instance, showCommand);
}
