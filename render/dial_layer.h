// The dial: everything of the clock that does not move, drawn once per run into the
// background surface (wallpaper, shadow, bezel, ring, face, dots, numerals, texts).
#ifndef HORLOMA_DIAL_LAYER_H
#define HORLOMA_DIAL_LAYER_H

#include <windows.h>
#include <gdiplus.h>

#include "render/clock_geometry.h"
#include "settings/clock_settings.h"

// The fill brush belongs to the frame; the dial only changes its colour.
void DrawDialLayer(HDC backgroundDC, const ClockGeometry& geometry,
                   const ClockSettings& saverSettings, Gdiplus::GpSolidFill* fillBrush);

// installPath + "\Wall paper\" + nameBack; false, with an empty path, when it does not
// fit the buffer (such a wallpaper is treated as one that does not load).
bool BuildWallpaperPath(const ClockSettings& saverSettings, wchar_t* path, size_t capacity);

#endif
