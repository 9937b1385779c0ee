#include "dialog_driver.h"

#include <gtest/gtest.h>
#include <stdio.h>

// How long a step waits for its window before the test gives up on it.
static const DWORD kWindowWait = 30000;
static const UINT kTickMilliseconds = 20;

static std::vector<DialogStep> pendingSteps;
static size_t nextStep;
static DWORD stepStart;

struct CaptionSearch {
    const char* caption;
    HWND found;
};

static BOOL CALLBACK MatchCaption(HWND window, LPARAM parameter)
{
    CaptionSearch* search = reinterpret_cast<CaptionSearch*>(parameter);
    char text[256] = "";
    GetWindowTextA(window, text, sizeof(text));
    if (IsWindowVisible(window) && strcmp(text, search->caption) == 0) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

HWND FindThreadWindow(const char* caption)
{
    CaptionSearch search = {caption, NULL};
    EnumThreadWindows(GetCurrentThreadId(), MatchCaption, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

static BOOL CALLBACK EndEveryDialog(HWND window, LPARAM)
{
    char className[16] = "";
    GetClassNameA(window, className, sizeof(className));
    if (strcmp(className, "#32770") == 0)
        EndDialog(window, 0);
    return TRUE;
}

static void CALLBACK DriverTick(HWND, UINT, UINT_PTR, DWORD)
{
    if (nextStep >= pendingSteps.size())
        return;
    HWND window = FindThreadWindow(pendingSteps[nextStep].caption);
    // A dialog under a nested one is disabled: it is not the one to act on yet, and a
    // nested box that never closes must show as a step whose window did not come.
    if (window != NULL && !IsWindowEnabled(window))
        window = NULL;
    if (window == NULL) {
        if (GetTickCount() - stepStart > kWindowWait) {
            ADD_FAILURE() << "no window \"" << pendingSteps[nextStep].caption << "\" showed";
            nextStep = pendingSteps.size();
            EnumThreadWindows(GetCurrentThreadId(), EndEveryDialog, 0);
        }
        return;
    }
    // Counted before the action runs: an action may open a nested dialog whose own
    // loop ticks on to the next step.
    std::function<void(HWND)> action = pendingSteps[nextStep].action;
    nextStep++;
    stepStart = GetTickCount();
    action(window);
}

INT_PTR RunDialogWithSteps(int templateId, DLGPROC procedure, HWND owner,
                           std::vector<DialogStep> steps, size_t* stepsRun)
{
    pendingSteps = steps;
    nextStep = 0;
    stepStart = GetTickCount();
    UINT_PTR timer = SetTimer(NULL, 0, kTickMilliseconds, DriverTick);
    INT_PTR result = DialogBoxParamA(GetModuleHandleA(NULL), MAKEINTRESOURCEA(templateId),
                                     owner, procedure, 0);
    KillTimer(NULL, timer);
    *stepsRun = nextStep;
    pendingSteps.clear();
    return result;
}

std::wstring ControlText(HWND control)
{
    wchar_t text[1024] = L"";
    GetWindowTextW(control, text, 1024);
    return text;
}

std::string Describe(Rgb c)
{
    char text[32];
    snprintf(text, sizeof(text), "#%02X%02X%02X", c.r, c.g, c.b);
    return text;
}

Rgb FromColorref(COLORREF c)
{
    Rgb rgb = {GetRValue(c), GetGValue(c), GetBValue(c)};
    return rgb;
}

void RemoveFolder(const std::wstring& folder)
{
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                DeleteFileW((folder + L"\\" + found.cFileName).c_str());
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    RemoveDirectoryW(folder.c_str());
}

