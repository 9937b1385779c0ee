// The hands: hour, minute and second hand with their shadows, the hub and the centre
// pin, drawn every frame over the copy of the dial.
#ifndef HORLOMA_HANDS_LAYER_H
#define HORLOMA_HANDS_LAYER_H

#include <windows.h>
#include <gdiplus.h>

#include "render/clock_geometry.h"

// Draws with its own graphics object and pen, which it hands back through `graphics`
// and `pen` for the frame to release after the notice.
void DrawHandsLayer(HDC frameDC, const ClockGeometry& geometry, const SYSTEMTIME& now,
                    Gdiplus::GpSolidFill* fillBrush, Gdiplus::GpGraphics** graphics,
                    Gdiplus::GpPen** pen);

#endif
