// Runs the real horloma.scr as a child process and deals with the message box it may
// show: finds it by process, reads its caption and text, and dismisses it with OK. Or
// starts it, finds its saver window and waits for it to end.
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
// The same for a copy of the program at another full path.
SaverRun RunProgramProcess(const std::wstring& program, const std::wstring& arguments,
                           DWORD timeoutMilliseconds = 30000);

// For tests that act on the saver's windows while it runs. Each waits while handling
// this thread's messages: a saver window that is a child of one of ours cannot be made
// or destroyed while this thread does not answer.

// Starts horloma.scr with the arguments; false when it could not be started.
bool StartSaverProcess(const std::wstring& arguments, PROCESS_INFORMATION* process);
bool StartProgramProcess(const std::wstring& program, const std::wstring& arguments,
                         PROCESS_INFORMATION* process);

// The first visible window of the process with the class name: a top-level window when
// parent is NULL, otherwise a child of parent. NULL when none showed before the
// deadline or the process ended first.
HWND WaitForProcessWindow(const PROCESS_INFORMATION& process, HWND parent,
                          const char* className, DWORD timeoutMilliseconds = 30000);

// Waits for the process to end, stops it if it is still running at the deadline, reads
// its exit code and closes its handles. Returns whether it ended by itself.
bool FinishSaverProcess(PROCESS_INFORMATION* process, DWORD* exitCode,
                        DWORD timeoutMilliseconds = 30000);

#endif
