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
extern HINSTANCE saverInstance;
extern char productName[kProductStringCapacity];
extern char windowClassName[kProductStringCapacity];
extern char versionText[kProductStringCapacity];
extern char rightsLine[kProductStringCapacity];

#endif
