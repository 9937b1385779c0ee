// The little state the whole program shares: the instance, the product strings, and the
// record of host window, mode flag and the saver's own settings.
#ifndef HORLOMA_SAVER_GLOBALS_H
#define HORLOMA_SAVER_GLOBALS_H

#include <windows.h>

#include "settings/clock_settings.h"

// Product strings are loaded from the string table into buffers of this size.
const int kProductStringCapacity = 100;

struct SaverGlobals {
    HWND hostWindow;            // from the command line; null in full-screen mode
    int isFullScreen;           // 1 full screen, 0 preview
    ClockSettings settings;     // the saver's settings, read at start-up in every mode
};

extern SaverGlobals saver;

// An off-screen drawing surface: a memory DC with a bitmap selected into it.
struct Surface {
    HDC dc;
    HBITMAP bitmap;
};

// The saver window's two surfaces, made once when the window is created: the composed
// frame, and the dial cached behind it. Both are surfaceWidth x surfaceHeight.
extern Surface frameSurface;
extern Surface backgroundSurface;
extern int surfaceWidth;
extern int surfaceHeight;
// Set until the first paint has drawn the dial into backgroundSurface.
extern int backgroundStale;
extern HINSTANCE saverInstance;
extern char productName[kProductStringCapacity];
extern char windowClassName[kProductStringCapacity];
extern char versionText[kProductStringCapacity];
extern char rightsLine[kProductStringCapacity];

#endif
