// Paints the program icon's larger images with the clock's own renderer: the real dial and
// hands at ten past ten, cut round just outside the bezel. Writes each image as raw
// top-down BGRA (straight alpha) into the folder named on the command line, as
// icon-<size>.bgra, for tools/icon/pack_icon.py to put into the .ico file.
#include <windows.h>
#include <gdiplus.h>
#include <math.h>
#include <stdio.h>

#include "render/clock_geometry.h"
#include "render/frame_composition.h"
#include "settings/clock_settings.h"
#include "settings/text_rules.h"
#include "shell/saver_globals.h"

using namespace Gdiplus;
using namespace Gdiplus::DllExports;

// The clock is drawn at a screen's size, where numerals and pens (sized from the scale
// unit, at least one pixel) have the proportions the saver shows; drawn directly at 48
// pixels the numerals would be as large as the whole dial. The images are scaled from it.
static const int kPaintedSize = 1024;
// At 32 pixels and below the scaled dial is noise; tools/make_icon.py draws those.
static const int kScaledSizes[] = {256, 48};
// Ten past ten, the hands clear of each other and of the twelve; not the notice's minute.
static const WORD kShownHour = 10;
static const WORD kShownMinute = 8;
static const WORD kShownSecond = 37;

static void WINAPI ReadShownTime(LPSYSTEMTIME time)
{
    ZeroMemory(time, sizeof(*time));
    time->wYear = 2026;
    time->wMonth = 1;
    time->wDay = 1;
    time->wHour = kShownHour;
    time->wMinute = kShownMinute;
    time->wSecond = kShownSecond;
}

static HBITMAP CreateTopDownSurface(int size, UINT32** bits)
{
    BITMAPINFO info;
    ZeroMemory(&info, sizeof(info));
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = size;
    info.bmiHeader.biHeight = -size;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* pixels = NULL;
    HBITMAP bitmap = CreateDIBSection(NULL, &info, DIB_RGB_COLORS, &pixels, NULL, 0);
    *bits = static_cast<UINT32*>(pixels);
    return bitmap;
}

// Opaque inside the bezel, clear outside, with a one-pixel soft edge.
static void CutRound(UINT32* bits, int size)
{
    ClockGeometry g = ComputeClockGeometry(size, size);
    for (int y = 0; y < size; y++)
        for (int x = 0; x < size; x++) {
            double d = hypot(x + 0.5 - g.cx, y + 0.5 - g.cy);
            double cover = g.bezelRadius + 0.5 - d;
            cover = cover < 0 ? 0 : (cover > 1 ? 1 : cover);
            UINT32& p = bits[y * size + x];
            p = (p & 0xFFFFFF) | (static_cast<UINT32>(cover * 255 + 0.5) << 24);
            if (cover == 0)
                p = 0;
        }
}

static bool WriteImage(const wchar_t* folder, int size, const UINT32* bits)
{
    wchar_t path[MAX_PATH];
    _snwprintf(path, COUNTOF(path), L"%ls\\icon-%d.bgra", folder, size);
    path[COUNTOF(path) - 1] = 0;
    FILE* f = _wfopen(path, L"wb");
    if (f == NULL)
        return false;
    size_t count = static_cast<size_t>(size) * size;
    bool written = fwrite(bits, sizeof(UINT32), count, f) == count;
    return fclose(f) == 0 && written;
}

// Scales the cut-out clock down with GDI+'s high-quality filter, alpha included.
static bool WriteScaled(const wchar_t* folder, UINT32* source, int size)
{
    GpBitmap* from = NULL;
    GdipCreateBitmapFromScan0(kPaintedSize, kPaintedSize, kPaintedSize * 4,
                              PixelFormat32bppARGB, reinterpret_cast<BYTE*>(source), &from);
    GpBitmap* to = NULL;
    GdipCreateBitmapFromScan0(size, size, 0, PixelFormat32bppARGB, NULL, &to);
    GpGraphics* graphics = NULL;
    GdipGetImageGraphicsContext(to, &graphics);
    GdipSetInterpolationMode(graphics, InterpolationModeHighQualityBicubic);
    GdipSetPixelOffsetMode(graphics, PixelOffsetModeHighQuality);
    GdipSetCompositingMode(graphics, CompositingModeSourceCopy);
    GdipDrawImageRectI(graphics, from, 0, 0, size, size);
    GdipDeleteGraphics(graphics);

    BitmapData data;
    GpRect all = {0, 0, size, size};
    bool written = false;
    if (GdipBitmapLockBits(to, &all, ImageLockModeRead, PixelFormat32bppARGB, &data) == Ok) {
        UINT32* pixels = new UINT32[size * size];
        for (int y = 0; y < size; y++)
            CopyMemory(pixels + y * size, static_cast<BYTE*>(data.Scan0) + y * data.Stride,
                       size * 4);
        GdipBitmapUnlockBits(to, &data);
        written = WriteImage(folder, size, pixels);
        delete[] pixels;
    }
    GdipDisposeImage(to);
    GdipDisposeImage(from);
    return written;
}

int wmain(int argc, wchar_t** argv)
{
    if (argc != 2) {
        fwprintf(stderr, L"usage: paint_icon FOLDER\n");
        return 2;
    }
    GdiplusStartupInput input;
    ULONG_PTR token = 0;
    if (GdiplusStartup(&token, &input, NULL) != Ok)
        return 1;

    // No wallpaper and no texts: only the clock, on the clear colour the mask cuts away.
    ZeroMemory(&saver, sizeof(saver));
    ResetClockSettings(saver.settings);
    saver.settings.nameBack[0] = 0;
    saver.settings.textUp[0] = 0;
    saver.settings.textDown[0] = 0;
    saver.isFullScreen = 1;
    readFrameTime = ReadShownTime;

    UINT32* frameBits = NULL;
    UINT32* backgroundBits = NULL;
    HBITMAP frameBitmap = CreateTopDownSurface(kPaintedSize, &frameBits);
    HBITMAP backgroundBitmap = CreateTopDownSurface(kPaintedSize, &backgroundBits);
    HDC frameDC = CreateCompatibleDC(NULL);
    HDC backgroundDC = CreateCompatibleDC(NULL);
    HGDIOBJ previousFrame = SelectObject(frameDC, frameBitmap);
    HGDIOBJ previousBackground = SelectObject(backgroundDC, backgroundBitmap);
    frameSurface.dc = frameDC;
    frameSurface.bitmap = frameBitmap;
    backgroundSurface.dc = backgroundDC;
    backgroundSurface.bitmap = backgroundBitmap;
    surfaceWidth = kPaintedSize;
    surfaceHeight = kPaintedSize;
    backgroundStale = 1;
    RenderClockFrame(kPaintedSize, kPaintedSize);
    GdiFlush();

    CutRound(frameBits, kPaintedSize);
    bool written = true;
    for (size_t i = 0; i < COUNTOF(kScaledSizes); i++)
        written = WriteScaled(argv[1], frameBits, kScaledSizes[i]) && written;

    SelectObject(backgroundDC, previousBackground);
    SelectObject(frameDC, previousFrame);
    DeleteDC(backgroundDC);
    DeleteDC(frameDC);
    DeleteObject(backgroundBitmap);
    DeleteObject(frameBitmap);
    GdiplusShutdown(token);
    return written ? 0 : 1;
}
