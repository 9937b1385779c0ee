// The screen-saver password of the Windows 95/98/Me family: asked for before the saver
// closes, and changed in the /a mode. Both are left to system libraries loaded by name.
#ifndef HORLOMA_PASSWORD_HOOKS_H
#define HORLOMA_PASSWORD_HOOKS_H

#include <windows.h>

// 1 while a password verification runs; the saver window does not close meanwhile.
extern int passwordCheckActive;

// Nonzero when the saver may close.
int VerifySaverPassword();

// Runs the system's password-change dialog, owned by host; returns the exit code.
int ChangeSaverPassword(HWND host);

#endif
