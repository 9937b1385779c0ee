#include "bad_input_cases.h"

#include <gtest/gtest.h>
#include <stdio.h>
#include <stdlib.h>

namespace {

int casesTried = 0;
int casesPassed = 0;

// Prints the count when the program's tests are over: a figure for the reliability
// report, not something checked.
class TallyPrinter : public testing::Environment {
    void TearDown() override
    {
        printf("bad-input cases: %d tried, %d passed\n", casesTried, casesPassed);
    }
};

const bool tallyRegistered = (testing::AddGlobalTestEnvironment(new TallyPrinter), true);

const Rgb kWidePicture = {200, 100, 50};
const Rgb kOnePixel = {60, 180, 220};
const Rgb kSixteenBits = {248, 8, 128};
const Rgb kPalette = {10, 120, 200};
const Rgb kPng = {30, 160, 90};

// A 4 x 4 PNG of kPng, as a .bmp name would hide it.
const char kPngBytes[] =
    "\x89\x50\x4e\x47\x0d\x0a\x1a\x0a\x00\x00\x00\x0d\x49\x48\x44\x52\x00\x00\x00\x04\x00"
    "\x00\x00\x04\x08\x02\x00\x00\x00\x26\x93\x09\x29\x00\x00\x00\x10\x49\x44\x41\x54\x78"
    "\x9c\x63\x90\x5b\x10\x05\x47\x0c\xc4\x71\x00\xc3\x83\x11\x81\x53\x2e\x72\x7c\x00\x00"
    "\x00\x00\x49\x45\x4e\x44\xae\x42\x60\x82";

std::function<Rgb(int, int)> Solid(Rgb c)
{
    return [c](int, int) { return c; };
}

// A header that claims a huge picture, followed by a little pixel data.
std::string HugeClaim()
{
    std::string bytes = BitmapFileBytes(20, 20, 24, Solid(kWidePicture));
    const size_t widthAt = 14 + 4, heightAt = 14 + 8;
    const int claimed = 30000;
    memcpy(&bytes[widthAt], &claimed, sizeof(claimed));
    memcpy(&bytes[heightAt], &claimed, sizeof(claimed));
    return bytes;
}

}  // namespace

std::vector<BadWallpaper> BadWallpapers()
{
    const std::string whole = BitmapFileBytes(40, 30, 24, Solid(kWidePicture));
    const size_t headers = 14 + 40;
    const size_t halfThePixels = headers + (whole.size() - headers) / 2;
    return {
        {L"missing.bmp", "missing", false, "", Decoded::White, {}},
        {L"empty.bmp", "0 bytes", true, "", Decoded::White, {}},
        {L"short-header.bmp", "truncated header", true, whole.substr(0, 20), Decoded::White,
         {}},
        {L"short-pixels.bmp", "truncated pixels", true, whole.substr(0, halfThePixels),
         Decoded::WhiteOrPicture, kWidePicture},
        {L"picture.png.bmp", "a PNG named .bmp", true,
         std::string(kPngBytes, sizeof(kPngBytes) - 1), Decoded::Picture, kPng},
        {L"notes.bmp", "a text file named .bmp", true, "Not a picture at all.\r\n",
         Decoded::White, {}},
        {L"one-pixel.bmp", "1 x 1", true, BitmapFileBytes(1, 1, 24, Solid(kOnePixel)),
         Decoded::Picture, kOnePixel},
        {L"huge.bmp", "a header claiming 30,000 x 30,000", true, HugeClaim(), Decoded::White,
         {}},
        {L"sixteen.bmp", "16 bits a pixel", true, BitmapFileBytes(8, 8, 16, Solid(kSixteenBits)),
         Decoded::Picture, kSixteenBits},
        {L"palette.bmp", "8-bit palette", true, BitmapFileBytes(8, 8, 8, Solid(kPalette)),
         Decoded::Picture, kPalette},
    };
}

bool IsPictureColour(Rgb seen, Rgb written)
{
    const int tolerance = 8;
    return abs(seen.r - written.r) < tolerance && abs(seen.g - written.g) < tolerance &&
           abs(seen.b - written.b) < tolerance;
}

void TryBadInputCase(const std::function<void()>& body)
{
    const testing::TestResult* result =
        testing::UnitTest::GetInstance()->current_test_info()->result();
    int before = result->total_part_count();
    int failuresBefore = 0;
    for (int i = 0; i < before; i++)
        failuresBefore += result->GetTestPartResult(i).failed() ? 1 : 0;
    body();
    int failuresAfter = 0;
    for (int i = 0; i < result->total_part_count(); i++)
        failuresAfter += result->GetTestPartResult(i).failed() ? 1 : 0;
    casesTried++;
    if (failuresAfter == failuresBefore)
        casesPassed++;
}
