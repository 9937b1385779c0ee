// The real horloma.scr full screen on a screen set to a raised DPI (the session sets
// 192): its window and its drawing take the screen's whole physical pixel size, the
// clock centred on the true centre with the sizes of that many pixels.
#include <string>
#include <vector>

#include "bitmap_files.h"
#include "registry_fixture.h"
#include "render/clock_geometry.h"
#include "saver_process.h"

namespace {

const int kRaisedDpi = 192;

struct ScreenShot {
    int width = 0, height = 0;
    std::vector<UINT32> pixels;
    // Red, green and blue of a pixel, each 0 to 255, as 0xRRGGBB.
    UINT32 At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x] & 0xFFFFFF; }
};

ScreenShot TakeScreenShot(int width, int height)
{
    ScreenShot shot;
    shot.width = width;
    shot.height = height;
    shot.pixels.resize(static_cast<size_t>(width) * height);
    BITMAPINFO info = TopDownBitmapInfo(width, height);
    HDC screen = GetDC(NULL);
    HDC copy = CreateCompatibleDC(screen);
    void* bits = NULL;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, NULL, 0);
    HGDIOBJ previous = SelectObject(copy, bitmap);
    BitBlt(copy, 0, 0, width, height, screen, 0, 0, SRCCOPY);
    GdiFlush();
    memcpy(shot.pixels.data(), bits, shot.pixels.size() * sizeof(UINT32));
    SelectObject(copy, previous);
    DeleteObject(bitmap);
    DeleteDC(copy);
    ReleaseDC(NULL, screen);
    return shot;
}

class HighDpiTest : public RegistryKeysTest {};

TEST_F(HighDpiTest, FullScreenUsesEveryPhysicalPixel)
{
    HDC screen = GetDC(NULL);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    const int width = GetDeviceCaps(screen, HORZRES);
    const int height = GetDeviceCaps(screen, VERTRES);
    ReleaseDC(NULL, screen);
    ASSERT_EQ(dpi, kRaisedDpi) << "the session did not raise the DPI";

    // No wallpaper folder: the background is white wherever the frame reaches.
    PutText(HKEY_LOCAL_MACHINE, L"Install path", L"C:\\nowhere");
    PROCESS_INFORMATION process;
    ASSERT_TRUE(StartSaverProcess(L"/s", &process));
    HWND window = WaitForProcessWindow(process, NULL, "HORLOMA");
    EXPECT_TRUE(window != NULL);
    if (window != NULL) {
        RECT rect;
        GetWindowRect(window, &rect);
        EXPECT_EQ(rect.right - rect.left, width);
        EXPECT_EQ(rect.bottom - rect.top, height);

        const UINT32 white = 0xFFFFFF;
        ScreenShot shot = TakeScreenShot(width, height);
        for (DWORD start = GetTickCount();
             shot.At(width - 1, height - 1) != white && GetTickCount() - start < 30000;) {
            Sleep(250);
            shot = TakeScreenShot(width, height);
        }
        // The frame reaches the far corner...
        EXPECT_EQ(shot.At(width - 1, height - 1), white);
        EXPECT_EQ(shot.At(width - 1, 0), white);
        // ...and the clock is laid out for the physical size: its white pin sits on the
        // true centre, the dark hub ring just outside the pin's radius of those pixels,
        // and the bezel's edge where that size puts it.
        ClockGeometry g = ComputeClockGeometry(width, height);
        EXPECT_EQ(shot.At(g.cx, g.cy), white);
        const int hubMiddle = (g.pinRadius + g.hubRadius) / 2;
        UINT32 hub = shot.At(g.cx, g.cy - hubMiddle);
        EXPECT_LT(hub & 0xFF, 0x40u) << std::hex << hub;
        EXPECT_EQ(shot.At(g.cx, g.cy - g.bezelRadius - 3 * g.scaleUnit), white)
            << "the bezel reaches further than its size says";
        EXPECT_NE(shot.At(g.cx, g.cy - g.bezelRadius + 2 * g.scaleUnit), white)
            << "no bezel where its size puts it";
        PostMessageA(window, WM_KEYDOWN, 'A', 1);
    }
    DWORD exitCode = 99;
    EXPECT_TRUE(FinishSaverProcess(&process, &exitCode));
    EXPECT_EQ(exitCode, 0u);
}

}  // namespace
