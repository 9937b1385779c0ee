// Drives real modal dialogs from inside their own message loops. A thread timer ticks
// while a dialog runs; each step waits for a visible window of this thread with its
// caption, then acts on it with real messages. Also the test folder of wallpapers and
// the bitmap files the dialog tests put in it.
#ifndef HORLOMA_TEST_DIALOG_DRIVER_H
#define HORLOMA_TEST_DIALOG_DRIVER_H

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "bitmap_files.h"

struct DialogStep {
    const char* caption;
    std::function<void(HWND)> action;
};

// Runs the dialog template with the procedure, owned by owner, taking the steps in
// turn. Returns the dialog's result; stepsRun tells how many steps found their window.
// A step whose window does not show within a generous wait ends every dialog of the
// thread, so a failing test does not hang.
INT_PTR RunDialogWithSteps(int templateId, DLGPROC procedure, HWND owner,
                           std::vector<DialogStep> steps, size_t* stepsRun);

// The visible window of this thread with the caption, or NULL.
HWND FindThreadWindow(const char* caption);

// The text of a control, through the wide call.
std::wstring ControlText(HWND control);

std::string Describe(Rgb c);
Rgb FromColorref(COLORREF c);

// Removes every file in the folder (not below it) and the folder itself.
void RemoveFolder(const std::wstring& folder);

#endif
