// Renders real frames into real surfaces: the frame and background surfaces are 32-bit
// top-down DIB sections, so a test reads the very pixels a paint would copy to screen.
#ifndef HORLOMA_TEST_RENDER_FIXTURE_H
#define HORLOMA_TEST_RENDER_FIXTURE_H

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

struct Colour {
    int r, g, b;
};

class RenderedSurface {
public:
    RenderedSurface();
    ~RenderedSurface();
    void Create(int width, int height);
    void Release();
    Colour At(int x, int y) const;
    std::vector<UINT32> Copy() const;

    HDC dc;
    HBITMAP bitmap;
    HGDIOBJ previous;
    UINT32* bits;
    int width, height;
};

class RenderTest : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Makes both surfaces of the given size and marks the dial as not yet drawn.
    void MakeSurfaces(int width, int height);
    // One frame at the given local time, as a paint would compose it.
    void RenderAt(int hour, int minute, int second);
    // The window clears the flag after each paint; so does this.
    void RenderNextFrameAt(int hour, int minute, int second);

    void UseWallpaper(const std::wstring& name);
    void SetTexts(const wchar_t* up, const wchar_t* down);

    Colour Frame(int x, int y) const { return frame.At(x, y); }
    Colour Background(int x, int y) const { return background.At(x, y); }

public:
    // The test's own wallpaper folder, with a 40 x 30 tile "tile.bmp" whose every pixel
    // is distinct, so tiling and natural size show exactly.
    static std::wstring InstallFolder();
    static Colour TilePixel(int x, int y);
    static const int kTileWidth = 40;
    static const int kTileHeight = 30;

protected:
    RenderedSurface frame;
    RenderedSurface background;
};

bool IsInk(Colour c);          // the dark grey of dots, numerals, texts and hands
bool IsNear(Colour c, Colour expected, int tolerance);
std::string Describe(Colour c);
// Writes a surface as a .bmp file, to look at what a failing test saw.
void SaveSurface(const RenderedSurface& surface, const wchar_t* path);

#endif
