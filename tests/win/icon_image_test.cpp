// The program icon's images as Windows draws them from the built horloma.scr: each one
// round, clear outside the dial and covering it inside, the largest stored as PNG.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "bitmap_files.h"
#include "program_resources.h"
#include "resource_ids.h"
#include "saver_process.h"

namespace {

const UINT32 kBackdrop = 0xFF00FF;  // magenta, a colour no part of the dial has
const int kPngFrom = 256;

// Draws the icon over the backdrop and reports what shows at a few points.
struct DrawnIcon {
    UINT32 corner, nearCorner, centre;
};

DrawnIcon Draw(HICON icon, int side)
{
    BITMAPINFO info = TopDownBitmapInfo(side, side);
    HDC dc = CreateCompatibleDC(NULL);
    void* bits = NULL;
    HBITMAP bitmap = CreateDIBSection(NULL, &info, DIB_RGB_COLORS, &bits, NULL, 0);
    HGDIOBJ previous = SelectObject(dc, bitmap);
    UINT32* pixels = static_cast<UINT32*>(bits);
    for (int i = 0; i < side * side; i++)
        pixels[i] = kBackdrop;
    DrawIconEx(dc, 0, 0, icon, side, side, 0, NULL, DI_NORMAL);
    GdiFlush();
    // A sixteenth of the side in from a corner lies outside any circle within the square.
    int in = side / 16;
    DrawnIcon drawn = {pixels[0] & 0xFFFFFF, pixels[in * side + in] & 0xFFFFFF,
                       pixels[(side / 2) * side + side / 2] & 0xFFFFFF};
    SelectObject(dc, previous);
    DeleteDC(dc);
    DeleteObject(bitmap);
    return drawn;
}

TEST(ProgramIcon, EveryImageIsARoundDialOnAClearSquare)
{
    HMODULE module = LoadLibraryExW(SaverProgramPath().c_str(), NULL,
                                    LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_TRUE(module != NULL) << "cannot load " << GetLastError();
    std::string group = ProgramResource(module, MAKEINTRESOURCEW(IDI_HORLOMA), MAKEINTRESOURCEW(14));
    ASSERT_GE(group.size(), 6u);
    WORD count = *reinterpret_cast<const WORD*>(&group[4]);
    ASSERT_EQ(group.size(), 6 + count * sizeof(IconDirectoryEntry));
    for (WORD i = 0; i < count; i++) {
        const IconDirectoryEntry* entry = reinterpret_cast<const IconDirectoryEntry*>(
            &group[6 + i * sizeof(IconDirectoryEntry)]);
        int side = entry->width == 0 ? 256 : entry->width;
        std::string image = ProgramResource(module, MAKEINTRESOURCEW(entry->id), MAKEINTRESOURCEW(3));
        ASSERT_GE(image.size(), 8u) << side;
        bool png = image.compare(0, 4, "\x89PNG") == 0;
        EXPECT_EQ(png, side >= kPngFrom) << side;
        HICON icon = CreateIconFromResourceEx(reinterpret_cast<BYTE*>(&image[0]),
                                              static_cast<DWORD>(image.size()), TRUE,
                                              0x00030000, side, side, 0);
        ASSERT_TRUE(icon != NULL) << side;
        DrawnIcon drawn = Draw(icon, side);
        DestroyIcon(icon);
        EXPECT_EQ(drawn.corner, kBackdrop) << side << ": the corner outside the dial is clear";
        EXPECT_EQ(drawn.nearCorner, kBackdrop) << side << ": the dial is round";
        EXPECT_NE(drawn.centre, kBackdrop) << side << ": the dial covers the centre";
    }
    FreeLibrary(module);
}

}  // namespace
