// Writes the files the tests feed the program: raw bytes, and bitmap files of 24, 16
// (5-5-5) or 8 (palette) bits a pixel, built in memory so a test can also cut them short.
#ifndef HORLOMA_TEST_BITMAP_FILES_H
#define HORLOMA_TEST_BITMAP_FILES_H

#include <windows.h>

#include <functional>
#include <string>

struct Rgb {
    int r, g, b;
    bool operator==(const Rgb& other) const
    {
        return r == other.r && g == other.g && b == other.b;
    }
};

// A bottom-up BI_RGB bitmap file whose pixel (x, y) has colour pixel(x, y). At 8 bits a
// pixel the palette holds the distinct colours in the order met (at most 256).
std::string BitmapFileBytes(int width, int height, int bitsPerPixel,
                            const std::function<Rgb(int, int)>& pixel);

// The header of a 32-bit top-down DIB of the size, as the tests read surfaces through.
BITMAPINFO TopDownBitmapInfo(int width, int height);

// A file of the given bytes.
void WriteFileBytes(const std::wstring& path, const std::string& bytes);
// A 24-bit bitmap file.
void WriteBitmapFile(const std::wstring& path, int width, int height,
                     const std::function<Rgb(int, int)>& pixel);

#endif
