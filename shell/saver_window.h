// The saver window: its class, its creation in full-screen or preview mode, and the
// window procedure that paints the clock and closes the saver on input.
#ifndef HORLOMA_SAVER_WINDOW_H
#define HORLOMA_SAVER_WINDOW_H

#include <windows.h>

ATOM RegisterSaverClass(HINSTANCE instance);

// Creates, shows and first paints the window; false when it could not be created.
bool CreateSaverWindow(HINSTANCE instance, int showCommand);

LRESULT CALLBACK SaverWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

#endif
