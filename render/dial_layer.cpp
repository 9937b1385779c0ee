#include "render/dial_layer.h"

#include <stdio.h>

using namespace Gdiplus;
using namespace Gdiplus::DllExports;

static const ARGB kClearColour = 0xFFFFFFFF;
static const ARGB kShadowColour = 0x20000000;
static const ARGB kRimSurroundColour = 0xFFE6E6E6;
static const ARGB kRimCentreColour = 0xFF646464;
static const ARGB kDarkRingFromColour = 0x80000000;
static const ARGB kDarkRingToColour = 0xC0000000;
static const ARGB kFaceFromColour = 0xFFFFFFFF;
static const ARGB kFaceToColour = 0xFFDCDCDC;
static const ARGB kInkColour = 0xFF191919;

// The shadow's box sits this far right of and below the bezel's, and is this much larger.
static const int kShadowOffset = 7;

// The rim's light band: dark at the very edge, light from 3 % to 13 % of the radius,
// dark again from 18 % inwards (position 0 is the boundary, 1 the centre).
static const REAL kRimBlendFactors[] = {1.0f, 0.0f, 0.0f, 1.0f, 1.0f};
static const REAL kRimBlendPositions[] = {0.0f, 0.03f, 0.13f, 0.18f, 1.0f};

static const wchar_t kWallpaperFolder[] = L"\\Wall paper\\";
static const wchar_t kFontFamilyName[] = L"Dodaz";

static const int kDialPositions = 60;
static const int kPositionsPerHour = 5;

bool BuildWallpaperPath(const ClockSettings& saverSettings, wchar_t* path, size_t capacity)
{
    if (CopyTextBounded(path, capacity, saverSettings.installPath) &&
        AppendTextBounded(path, capacity, kWallpaperFolder) &&
        AppendTextBounded(path, capacity, saverSettings.nameBack))
        return true;
    path[0] = 0;
    return false;
}

static void DrawWallpaper(GpGraphics* graphics, const ClockGeometry& g,
                          const ClockSettings& saverSettings, GpImage** image,
                          GpTexture** texture)
{
    wchar_t path[kTextCapacity];
    if (BuildWallpaperPath(saverSettings, path, COUNTOF(path)))
        GdipLoadImageFromFile(path, image);
    if (*image != NULL)
        GdipCreateTexture(*image, WrapModeTile, texture);
    // At natural size from the top left corner: the brush has no transform.
    if (*texture != NULL)
        GdipFillRectangleI(graphics, *texture, 0, 0, g.surfaceWidth, g.surfaceHeight);
}

static void DrawBezel(GpGraphics* graphics, const ClockGeometry& g, GpPath** path,
                      GpPathGradient** rim)
{
    int r = g.bezelRadius;
    GdipCreatePath(FillModeAlternate, path);
    GdipAddPathEllipse(*path, static_cast<REAL>(g.cx - r), static_cast<REAL>(g.cy - r),
                       static_cast<REAL>(2 * r), static_cast<REAL>(2 * r));
    GdipCreatePathGradientFromPath(*path, rim);
    if (*rim == NULL)
        return;
    ARGB surround = kRimSurroundColour;
    INT surroundCount = 1;
    GdipSetPathGradientSurroundColorsWithCount(*rim, &surround, &surroundCount);
    GdipSetPathGradientCenterColor(*rim, kRimCentreColour);
    GpPoint centre = {g.cx, g.cy};
    GdipSetPathGradientCenterPointI(*rim, &centre);
    GdipSetPathGradientBlend(*rim, kRimBlendFactors, kRimBlendPositions,
                             COUNTOF(kRimBlendFactors));
    GdipFillPath(graphics, *rim, *path);
}

static void FillShadedDisc(GpGraphics* graphics, GpLineGradient* shade, const ClockGeometry& g,
                           int radius, ARGB fromColour, ARGB toColour)
{
    GdipSetLineColors(shade, fromColour, toColour);
    GdipFillEllipseI(graphics, shade, g.cx - radius, g.cy - radius, 2 * radius, 2 * radius);
}

static void DrawHourDots(GpGraphics* graphics, const ClockGeometry& g, GpSolidFill* fill)
{
    for (int i = 0; i < kDialPositions; i++) {
        ClockPoint centre = PointAlong(g.cx, g.cy, g.hourDotCircleRadius, DialPositionAngle(i));
        double s = i % kPositionsPerHour == 0 ? g.hourDotRadius : 0;
        GdipSetSolidFillColor(fill, kInkColour);
        GdipFillEllipse(graphics, fill, static_cast<REAL>(centre.x - s),
                        static_cast<REAL>(centre.y - s), static_cast<REAL>(2 * s),
                        static_cast<REAL>(2 * s));
    }
}

static void DrawNumerals(GpGraphics* graphics, const ClockGeometry& g, GpFont* font,
                         GpStringFormat* format, GpSolidFill* fill)
{
    for (int i = 0; i < kDialPositions; i += kPositionsPerHour) {
        NumeralBox box = ComputeNumeralBox(g, i);
        wchar_t text[8];
        swprintf(text, COUNTOF(text), L"%d", box.value);
        RectF layout(static_cast<REAL>(box.left), static_cast<REAL>(box.top),
                     static_cast<REAL>(box.width), static_cast<REAL>(box.height));
        GdipSetSolidFillColor(fill, kInkColour);
        GdipDrawString(graphics, text, -1, font, &layout, format, fill);
    }
}

static void DrawTexts(GpGraphics* graphics, const ClockGeometry& g,
                      const ClockSettings& saverSettings, GpFont* font, GpStringFormat* format,
                      GpSolidFill* fill)
{
    // Both bands span the whole width, so they centre on the true middle.
    REAL width = static_cast<REAL>(g.surfaceWidth);
    REAL band = static_cast<REAL>(g.hourDotCircleRadius);
    RectF upper(0, static_cast<REAL>(g.cy - g.hourDotCircleRadius), width, band);
    RectF lower(0, static_cast<REAL>(g.cy), width, band);
    GdipSetSolidFillColor(fill, kInkColour);
    GdipDrawString(graphics, saverSettings.textUp, -1, font, &upper, format, fill);
    GdipDrawString(graphics, saverSettings.textDown, -1, font, &lower, format, fill);
}

void DrawDialLayer(HDC backgroundDC, const ClockGeometry& g, const ClockSettings& saverSettings,
                   GpSolidFill* fill)
{
    GpGraphics* graphics = NULL;
    GdipCreateFromHDC(backgroundDC, &graphics);
    GdipSetSmoothingMode(graphics, SmoothingModeAntiAlias);
    GdipGraphicsClear(graphics, kClearColour);

    GpImage* image = NULL;
    GpTexture* texture = NULL;
    DrawWallpaper(graphics, g, saverSettings, &image, &texture);

    // One diagonal gradient across the square around the face circle serves both discs.
    GpLineGradient* shade = NULL;
    GpPoint shadeFrom = {g.cx - g.faceRadius, g.cy - g.faceRadius};
    GpPoint shadeTo = {g.cx + g.faceRadius, g.cy + g.faceRadius};
    GdipCreateLineBrushI(&shadeFrom, &shadeTo, kFaceFromColour, kFaceToColour, WrapModeTile,
                         &shade);

    int r = g.bezelRadius;
    GdipSetSolidFillColor(fill, kShadowColour);
    GdipFillEllipseI(graphics, fill, g.cx - r + kShadowOffset, g.cy - r + kShadowOffset,
                     2 * r + kShadowOffset, 2 * r + kShadowOffset);

    GpPath* path = NULL;
    GpPathGradient* rim = NULL;
    DrawBezel(graphics, g, &path, &rim);

    FillShadedDisc(graphics, shade, g, g.darkRingRadius, kDarkRingFromColour, kDarkRingToColour);
    FillShadedDisc(graphics, shade, g, g.dialFaceRadius, kFaceFromColour, kFaceToColour);
    DrawHourDots(graphics, g, fill);

    // Without the font family there are neither numerals nor texts; the rest still shows.
    GpFontFamily* family = NULL;
    GpStringFormat* format = NULL;
    GpFont* numeralFont = NULL;
    GpFont* textFont = NULL;
    GdipCreateFontFamilyFromName(kFontFamilyName, NULL, &family);
    GdipCreateStringFormat(0, LANG_NEUTRAL, &format);
    GdipSetStringFormatAlign(format, StringAlignmentCenter);
    GdipSetStringFormatLineAlign(format, StringAlignmentCenter);
    if (family != NULL)
        GdipCreateFont(family, static_cast<REAL>(g.numeralFontSize), FontStyleRegular,
                       UnitPixel, &numeralFont);
    if (numeralFont != NULL)
        DrawNumerals(graphics, g, numeralFont, format, fill);
    if (family != NULL)
        GdipCreateFont(family, static_cast<REAL>(g.textFontSize), FontStyleRegular, UnitPixel,
                       &textFont);
    if (textFont != NULL)
        DrawTexts(graphics, g, saverSettings, textFont, format, fill);

    GdipDeleteFont(textFont);
    GdipDeleteFont(numeralFont);
    GdipDeleteStringFormat(format);
    GdipDeleteFontFamily(family);
    GdipDeleteBrush(rim);
    GdipDeletePath(path);
    GdipDeleteBrush(shade);
    GdipDeleteBrush(texture);
    GdipDisposeImage(image);
    GdipDeleteGraphics(graphics);
}
