// Composes one picture of the clock in the frame surface: the dial, drawn once into the
// background surface and copied from there, the hands on top, and the home-page notice.
#ifndef HORLOMA_FRAME_COMPOSITION_H
#define HORLOMA_FRAME_COMPOSITION_H

#include <windows.h>

// The maker's home page, shown by the notice and opened by the settings dialog.
extern const char kHomePageAddress[];

// Draws into frameSurface (and, while backgroundStale is set, backgroundSurface).
void RenderClockFrame(int surfaceWidth, int surfaceHeight);

// Where a frame reads the local time; tests point it at a fixed clock.
extern void (WINAPI *readFrameTime)(LPSYSTEMTIME);

// The one-line notice in the top right corner, full-screen mode only.
void DrawHomePageNotice(HDC frameDC, int surfaceWidth);

#endif
