#include "bitmap_files.h"

#include <gtest/gtest.h>
#include <stdio.h>
#include <windows.h>

#include <vector>

std::string BitmapFileBytes(int width, int height, int bitsPerPixel,
                            const std::function<Rgb(int, int)>& pixel)
{
    std::vector<Rgb> palette;
    const int stride = ((width * bitsPerPixel + 7) / 8 + 3) & ~3;
    std::string data(static_cast<size_t>(stride) * height, '\0');
    for (int y = 0; y < height; y++)
        for (int x = 0; x < width; x++) {
            Rgb c = pixel(x, y);
            char* row = &data[static_cast<size_t>(height - 1 - y) * stride];
            if (bitsPerPixel == 24) {
                row[x * 3] = static_cast<char>(c.b);
                row[x * 3 + 1] = static_cast<char>(c.g);
                row[x * 3 + 2] = static_cast<char>(c.r);
            } else if (bitsPerPixel == 16) {
                unsigned v = ((c.r >> 3) << 10) | ((c.g >> 3) << 5) | (c.b >> 3);
                row[x * 2] = static_cast<char>(v & 0xFF);
                row[x * 2 + 1] = static_cast<char>(v >> 8);
            } else {
                size_t index = 0;
                while (index < palette.size() && !(palette[index] == c))
                    index++;
                if (index == palette.size() && palette.size() < 256)
                    palette.push_back(c);
                row[x] = static_cast<char>(index < palette.size() ? index : 0);
            }
        }
    std::string colours;
    for (const Rgb& c : palette) {
        RGBQUAD quad = {static_cast<BYTE>(c.b), static_cast<BYTE>(c.g),
                        static_cast<BYTE>(c.r), 0};
        colours.append(reinterpret_cast<const char*>(&quad), sizeof(quad));
    }

    BITMAPFILEHEADER file;
    BITMAPINFOHEADER info;
    ZeroMemory(&file, sizeof(file));
    ZeroMemory(&info, sizeof(info));
    file.bfType = 0x4D42;
    file.bfOffBits = static_cast<DWORD>(sizeof(file) + sizeof(info) + colours.size());
    file.bfSize = file.bfOffBits + static_cast<DWORD>(data.size());
    info.biSize = sizeof(info);
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = static_cast<WORD>(bitsPerPixel);
    info.biSizeImage = static_cast<DWORD>(data.size());
    info.biClrUsed = static_cast<DWORD>(palette.size());
    std::string bytes(reinterpret_cast<const char*>(&file), sizeof(file));
    bytes.append(reinterpret_cast<const char*>(&info), sizeof(info));
    return bytes + colours + data;
}

BITMAPINFO TopDownBitmapInfo(int width, int height)
{
    BITMAPINFO info;
    ZeroMemory(&info, sizeof(info));
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

void WriteFileBytes(const std::wstring& path, const std::string& bytes)
{
    FILE* f = _wfopen(path.c_str(), L"wb");
    ASSERT_TRUE(f != NULL);
    fwrite(bytes.data(), 1, bytes.size(), f);
    fclose(f);
}

void WriteBitmapFile(const std::wstring& path, int width, int height,
                     const std::function<Rgb(int, int)>& pixel)
{
    WriteFileBytes(path, BitmapFileBytes(width, height, 24, pixel));
}
