// The About box: logo, product name and version, credit line and rights line.
#ifndef HORLOMA_ABOUT_DIALOG_H
#define HORLOMA_ABOUT_DIALOG_H

#include <windows.h>

// Procedure of dialog resource 133, opened by the settings dialog's About button.
INT_PTR CALLBACK AboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

#endif
