#include "render_fixture.h"

#include <stdio.h>
#include <stdlib.h>

#include "bitmap_files.h"
#include "render/frame_composition.h"
#include "shell/saver_globals.h"

RenderedSurface::RenderedSurface()
    : dc(NULL), bitmap(NULL), previous(NULL), bits(NULL), width(0), height(0)
{
}

RenderedSurface::~RenderedSurface()
{
    Release();
}

void RenderedSurface::Create(int w, int h)
{
    Release();
    width = w;
    height = h;
    BITMAPINFO info = TopDownBitmapInfo(w, h);
    HDC screen = GetDC(NULL);
    dc = CreateCompatibleDC(screen);
    void* pixels = NULL;
    bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &pixels, NULL, 0);
    ReleaseDC(NULL, screen);
    bits = static_cast<UINT32*>(pixels);
    previous = SelectObject(dc, bitmap);
}

void RenderedSurface::Release()
{
    if (dc != NULL) {
        SelectObject(dc, previous);
        DeleteDC(dc);
        DeleteObject(bitmap);
    }
    dc = NULL;
    bitmap = NULL;
    bits = NULL;
}

Colour RenderedSurface::At(int x, int y) const
{
    GdiFlush();
    UINT32 p = bits[static_cast<size_t>(y) * width + x];
    Colour c = {static_cast<int>((p >> 16) & 0xFF), static_cast<int>((p >> 8) & 0xFF),
                static_cast<int>(p & 0xFF)};
    return c;
}

std::vector<UINT32> RenderedSurface::Copy() const
{
    GdiFlush();
    std::vector<UINT32> copy(bits, bits + static_cast<size_t>(width) * height);
    for (UINT32& p : copy)
        p &= 0xFFFFFF;  // GDI leaves the unused top byte as it likes
    return copy;
}

static SYSTEMTIME fixedTime;

static void WINAPI ReadFixedTime(LPSYSTEMTIME time)
{
    *time = fixedTime;
}

Colour RenderTest::TilePixel(int x, int y)
{
    Colour c = {40 + x * 5, 20 + y * 7, 200 - x * 2 - y * 2};
    return c;
}

std::wstring RenderTest::InstallFolder()
{
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    return std::wstring(temp) + L"horloma-render-test";
}

static void WriteTileBitmap(const std::wstring& path)
{
    WriteBitmapFile(path, RenderTest::kTileWidth, RenderTest::kTileHeight, [](int x, int y) {
        Colour c = RenderTest::TilePixel(x, y);
        return Rgb{c.r, c.g, c.b};
    });
}

void RenderTest::SetUp()
{
    std::wstring folder = InstallFolder();
    CreateDirectoryW(folder.c_str(), NULL);
    CreateDirectoryW((folder + L"\\Wall paper").c_str(), NULL);
    WriteTileBitmap(folder + L"\\Wall paper\\tile.bmp");

    ZeroMemory(&saver, sizeof(saver));
    CopyTextBounded(saver.settings.installPath, COUNTOF(saver.settings.installPath),
                    folder.c_str());
    ResetClockSettings(saver.settings);
    UseWallpaper(L"tile.bmp");
    saver.isFullScreen = 1;
    readFrameTime = ReadFixedTime;
}

void RenderTest::TearDown()
{
    readFrameTime = GetLocalTime;
    frame.Release();
    background.Release();
    frameSurface.dc = NULL;
    backgroundSurface.dc = NULL;
}

void RenderTest::MakeSurfaces(int width, int height)
{
    frame.Create(width, height);
    background.Create(width, height);
    frameSurface.dc = frame.dc;
    frameSurface.bitmap = frame.bitmap;
    backgroundSurface.dc = background.dc;
    backgroundSurface.bitmap = background.bitmap;
    surfaceWidth = width;
    surfaceHeight = height;
    backgroundStale = 1;
}

void RenderTest::RenderAt(int hour, int minute, int second)
{
    ZeroMemory(&fixedTime, sizeof(fixedTime));
    fixedTime.wYear = 2026;
    fixedTime.wMonth = 12;
    fixedTime.wDay = 11;
    fixedTime.wHour = static_cast<WORD>(hour);
    fixedTime.wMinute = static_cast<WORD>(minute);
    fixedTime.wSecond = static_cast<WORD>(second);
    RenderClockFrame(surfaceWidth, surfaceHeight);
}

void RenderTest::RenderNextFrameAt(int hour, int minute, int second)
{
    backgroundStale = 0;
    RenderAt(hour, minute, second);
}

void RenderTest::UseWallpaper(const std::wstring& name)
{
    CopyTextBounded(saver.settings.nameBack, COUNTOF(saver.settings.nameBack), name.c_str());
}

void RenderTest::SetTexts(const wchar_t* up, const wchar_t* down)
{
    CopyTextBounded(saver.settings.textUp, COUNTOF(saver.settings.textUp), up);
    CopyTextBounded(saver.settings.textDown, COUNTOF(saver.settings.textDown), down);
}

bool IsInk(Colour c)
{
    return IsNear(c, Colour{0x19, 0x19, 0x19}, 6);
}

bool IsNear(Colour c, Colour e, int tolerance)
{
    return abs(c.r - e.r) <= tolerance && abs(c.g - e.g) <= tolerance &&
           abs(c.b - e.b) <= tolerance;
}

std::string Describe(Colour c)
{
    char text[32];
    snprintf(text, sizeof(text), "#%02X%02X%02X", c.r, c.g, c.b);
    return text;
}

void SaveSurface(const RenderedSurface& surface, const wchar_t* path)
{
    GdiFlush();
    BITMAPFILEHEADER file;
    BITMAPINFOHEADER info;
    ZeroMemory(&file, sizeof(file));
    ZeroMemory(&info, sizeof(info));
    DWORD bytes = static_cast<DWORD>(surface.width) * surface.height * 4;
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(file) + sizeof(info);
    file.bfSize = file.bfOffBits + bytes;
    info.biSize = sizeof(info);
    info.biWidth = surface.width;
    info.biHeight = -surface.height;
    info.biPlanes = 1;
    info.biBitCount = 32;
    FILE* f = _wfopen(path, L"wb");
    if (f == NULL)
        return;
    fwrite(&file, sizeof(file), 1, f);
    fwrite(&info, sizeof(info), 1, f);
    fwrite(surface.bits, 1, bytes, f);
    fclose(f);
}
