// The broken wallpaper files every reader of wallpapers is tried with, and the tally of
// bad-input cases that a test program prints as it ends.
#ifndef HORLOMA_TEST_BAD_INPUT_CASES_H
#define HORLOMA_TEST_BAD_INPUT_CASES_H

#include <functional>
#include <string>
#include <vector>

#include "bitmap_files.h"

// What a reader must make of a file: nothing (white), its one colour, or either of the
// two, where a decoder may fairly give up or show what it could read.
enum class Decoded { White, Picture, WhiteOrPicture };

struct BadWallpaper {
    const wchar_t* name;
    const char* what;
    bool written;         // false: the file does not exist
    std::string bytes;
    Decoded outcome;
    Rgb colour;           // every pixel of the picture, when it decodes
};

std::vector<BadWallpaper> BadWallpapers();

// Whether a colour read back from a decoded bitmap is the one written; 16-bit pixels
// come back with their low bits filled in.
bool IsPictureColour(Rgb seen, Rgb written);

// Runs one case and counts it as passed when it added no failure to the running test.
void TryBadInputCase(const std::function<void()>& body);

#endif
