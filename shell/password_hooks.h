// The screen-saver password of the Windows 95/98/Me family: asked for before the saver
// closes.
#ifndef HORLOMA_PASSWORD_HOOKS_H
#define HORLOMA_PASSWORD_HOOKS_H

// 1 while a password verification runs; the saver window does not close meanwhile.
extern int passwordCheckActive;

// Nonzero when the saver may close.
int VerifySaverPassword();

#endif
