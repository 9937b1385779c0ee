// Measures, side by side in one run, what a frame costs against the floor of one bare
// full-surface copy. Prints ratios; it passes or fails nothing.
#include <windows.h>
#include <gdiplus.h>
#include <stdio.h>

#include <string>

#include "render/frame_composition.h"
#include "shell/saver_globals.h"

static double Seconds()
{
    LARGE_INTEGER frequency, now;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) / frequency.QuadPart;
}

static void MakeSurface(Surface& surface, HDC screen, int w, int h)
{
    surface.dc = CreateCompatibleDC(screen);
    surface.bitmap = CreateCompatibleBitmap(screen, w, h);
    SelectObject(surface.dc, surface.bitmap);
}

static void ReleaseSurface(Surface& surface)
{
    DeleteDC(surface.dc);
    DeleteObject(surface.bitmap);
}

static std::wstring ProgramFolder()
{
    wchar_t path[MAX_PATH];
    DWORD length = GetModuleFileNameW(NULL, path, MAX_PATH);
    std::wstring folder(path, length);
    return folder.substr(0, folder.find_last_of(L"\\/"));
}

// The fastest of repeated calls of `step`, in milliseconds, over about `budget` seconds:
// the least disturbed by whatever else the machine is doing.
template <typename Step>
static double MillisecondsPer(Step step, double budget)
{
    step();  // warm up
    int calls = 0;
    double fastest = 1e30, start = Seconds();
    do {
        double before = Seconds();
        step();
        GdiFlush();
        double took = Seconds() - before;
        fastest = took < fastest ? took : fastest;
        calls++;
    } while (Seconds() - start < budget || calls < 5);
    return fastest * 1000;
}

static void BenchFrames(const std::wstring& wallpaperFolder)
{
    const struct { int w, h; double steadyTarget; } sizes[] = {
        {1024, 768, 4}, {1920, 1080, 3}, {3840, 2160, 3}};
    CopyTextBounded(saver.settings.installPath, COUNTOF(saver.settings.installPath),
                    wallpaperFolder.c_str());
    ResetClockSettings(saver.settings);
    saver.isFullScreen = 1;

    printf("%-11s %10s %12s %12s %10s %10s %8s\n", "surface", "copy ms", "steady ms",
           "first ms", "steady/x", "first/x", "target");
    HDC screen = GetDC(NULL);
    for (const auto& s : sizes) {
        MakeSurface(frameSurface, screen, s.w, s.h);
        MakeSurface(backgroundSurface, screen, s.w, s.h);
        double copy = MillisecondsPer(
            [&] { BitBlt(frameSurface.dc, 0, 0, s.w, s.h, backgroundSurface.dc, 0, 0, SRCCOPY); },
            1.0);
        double first = MillisecondsPer([&] { backgroundStale = 1; RenderClockFrame(s.w, s.h); },
                                       3.0);
        double steady = MillisecondsPer([&] { backgroundStale = 0; RenderClockFrame(s.w, s.h); },
                                        2.0);
        // Where the first frame's time goes: the same frame without the wallpaper file,
        // and without the two texts.
        CopyTextBounded(saver.settings.nameBack, COUNTOF(saver.settings.nameBack), L"none.bmp");
        double noWallpaper = MillisecondsPer(
            [&] { backgroundStale = 1; RenderClockFrame(s.w, s.h); }, 3.0);
        ResetClockSettings(saver.settings);
        saver.settings.textUp[0] = 0;
        saver.settings.textDown[0] = 0;
        double noTexts = MillisecondsPer(
            [&] { backgroundStale = 1; RenderClockFrame(s.w, s.h); }, 3.0);
        ResetClockSettings(saver.settings);
        printf("%4dx%-6d %10.3f %12.3f %12.2f %9.2fx %9.1fx %7.0fx %s\n", s.w, s.h, copy, steady,
               first, steady / copy, first / copy, s.steadyTarget,
               steady / copy <= s.steadyTarget ? "met" : "MISSED");
        printf("%11s first frame: wallpaper %.1f ms, texts %.1f ms, numerals, bezel, ring, face "
               "and dots %.1f ms, hands %.1f ms\n",
               "", first - noWallpaper, first - noTexts,
               noWallpaper - (first - noTexts) - steady, steady);
        ReleaseSurface(backgroundSurface);
        ReleaseSurface(frameSurface);
    }
    ReleaseDC(NULL, screen);
}

int main()
{
    std::wstring installFolder = ProgramFolder() + L"\\bench-install";
    Gdiplus::GdiplusStartupInput input;
    ULONG_PTR token;
    Gdiplus::GdiplusStartup(&token, &input, NULL);
    printf("Frame cost against one bare full-surface BitBlt (x = times the copy)\n");
    BenchFrames(installFolder);
    Gdiplus::GdiplusShutdown(token);
    return 0;
}
