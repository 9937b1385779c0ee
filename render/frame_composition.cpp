#include "render/frame_composition.h"

#include <gdiplus.h>

#include "render/clock_geometry.h"
#include "render/dial_layer.h"
#include "render/hands_layer.h"
#include "shell/saver_globals.h"

using namespace Gdiplus;
using namespace Gdiplus::DllExports;

void (WINAPI *readFrameTime)(LPSYSTEMTIME) = GetLocalTime;

static const ARGB kFillBrushColour = 0xFFFFFFFF;
// The home-page notice shows during this minute of every hour.
static const WORD kNoticeMinute = 7;

void RenderClockFrame(int w, int h)
{
    ClockGeometry g = ComputeClockGeometry(w, h);
    GpSolidFill* fill = NULL;
    GdipCreateSolidFill(kFillBrushColour, &fill);
    // One reading per frame, so the three hands and the notice always agree.
    SYSTEMTIME now;
    readFrameTime(&now);

    if (backgroundStale)
        DrawDialLayer(backgroundSurface.dc, g, saver.settings, fill);
    BitBlt(frameSurface.dc, 0, 0, w, h, backgroundSurface.dc, 0, 0, SRCCOPY);

    GpGraphics* handsGraphics = NULL;
    GpPen* handsPen = NULL;
    DrawHandsLayer(frameSurface.dc, g, now, fill, &handsGraphics, &handsPen);
    if (now.wMinute == kNoticeMinute)
        DrawHomePageNotice(frameSurface.dc, w);

    GdipDeleteGraphics(handsGraphics);
    GdipDeletePen(handsPen);
    GdipDeleteBrush(fill);
}
