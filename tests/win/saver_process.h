// Runs the real horloma.scr as a child process and deals with the message box it may
// show: finds it by process, reads its caption and text, and dismisses it with OK.
#ifndef HORLOMA_TEST_SAVER_PROCESS_H
#define HORLOMA_TEST_SAVER_PROCESS_H

#include <windows.h>

#include <string>

struct SaverRun {
    bool started;
    bool finished;      // false: it was still running at the deadline and was stopped
    DWORD exitCode;
    bool boxShown;
    std::string boxCaption;
    std::string boxText;
};

// Full path of horloma.scr, which the build puts beside the test programs.
std::wstring SaverProgramPath();

// Starts horloma.scr with the arguments, answers at most one message box with OK, and
// waits for the process to end.
SaverRun RunSaverProcess(const std::wstring& arguments, DWORD timeoutMilliseconds = 30000);

#endif
