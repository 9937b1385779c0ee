// The "Dodaz" font installed in the Wine test prefix, measured as the dial uses it: at
// 1920x1080 the numerals are 126 pixels in a 200 x 200 box and must stay on one line.
#include <windows.h>
#include <gdiplus.h>

#include <gtest/gtest.h>

using namespace Gdiplus;
using namespace Gdiplus::DllExports;

namespace {

const wchar_t kFamily[] = L"Dodaz";

class FontTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        GdiplusStartupInput input;
        ASSERT_EQ(GdiplusStartup(&token, &input, NULL), Ok);
    }
    void TearDown() override { GdiplusShutdown(token); }
    ULONG_PTR token = 0;
};

TEST_F(FontTest, FamilyIsInstalledUnderItsOwnName)
{
    GpFontFamily* family = NULL;
    ASSERT_EQ(GdipCreateFontFamilyFromName(kFamily, NULL, &family), Ok);
    WCHAR name[LF_FACESIZE] = L"";
    EXPECT_EQ(GdipGetFamilyName(family, name, LANG_NEUTRAL), Ok);
    EXPECT_STREQ(name, kFamily);
    GdipDeleteFontFamily(family);
}

TEST_F(FontTest, TwoDigitNumeralsStayOnOneLineAt1920x1080)
{
    GpFontFamily* family = NULL;
    ASSERT_EQ(GdipCreateFontFamilyFromName(kFamily, NULL, &family), Ok);
    GpFont* font = NULL;
    ASSERT_EQ(GdipCreateFont(family, 126.0f, FontStyleRegular, UnitPixel, &font), Ok);
    GpBitmap* bitmap = NULL;
    ASSERT_EQ(GdipCreateBitmapFromScan0(200, 200, 0, PixelFormat32bppARGB, NULL, &bitmap), Ok);
    GpGraphics* graphics = NULL;
    ASSERT_EQ(GdipGetImageGraphicsContext(bitmap, &graphics), Ok);
    GpStringFormat* format = NULL;
    ASSERT_EQ(GdipCreateStringFormat(0, LANG_NEUTRAL, &format), Ok);
    GdipSetStringFormatAlign(format, StringAlignmentCenter);
    GdipSetStringFormatLineAlign(format, StringAlignmentCenter);

    const RectF box(0.0f, 0.0f, 200.0f, 200.0f);
    const wchar_t* const numerals[] = {L"10", L"11", L"12"};
    for (const wchar_t* numeral : numerals) {
        SCOPED_TRACE(testing::Message() << "numeral 1" << static_cast<char>(numeral[1]));
        RectF bounds;
        INT fitted = -1, lines = -1;
        ASSERT_EQ(GdipMeasureString(graphics, numeral, -1, font, &box, format, &bounds, &fitted,
                                    &lines),
                  Ok);
        EXPECT_EQ(fitted, 2);
        EXPECT_EQ(lines, 1);
        EXPECT_LE(bounds.Width, 200.0f);
    }

    GdipDeleteStringFormat(format);
    GdipDeleteGraphics(graphics);
    GdipDisposeImage(bitmap);
    GdipDeleteFont(font);
    GdipDeleteFontFamily(family);
}

// A face whose digits are 0.6 em or wider breaks the two-digit numerals onto two lines.
TEST_F(FontTest, DigitsAreNarrowerThanSixTenthsOfAnEm)
{
    const int em = 2048;  // the font's own units: widths come out unrounded
    LOGFONTW logFont = {};
    logFont.lfHeight = -em;
    wcscpy(logFont.lfFaceName, kFamily);
    HFONT font = CreateFontIndirectW(&logFont);
    ASSERT_NE(font, nullptr);
    HDC dc = CreateCompatibleDC(NULL);
    HGDIOBJ previous = SelectObject(dc, font);
    WCHAR face[LF_FACESIZE] = L"";
    GetTextFaceW(dc, LF_FACESIZE, face);
    INT widths[10] = {};
    BOOL measured = GetCharWidth32W(dc, L'0', L'9', widths);
    SelectObject(dc, previous);
    DeleteDC(dc);
    DeleteObject(font);

    // GDI quietly substitutes another face for a missing one.
    ASSERT_STREQ(face, kFamily);
    ASSERT_TRUE(measured);
    for (int digit = 0; digit < 10; ++digit) {
        EXPECT_GT(widths[digit], 0) << "digit " << digit;
        EXPECT_LT(widths[digit], 0.6 * em) << "digit " << digit;
    }
}

}  // namespace
