// Whole frames rendered into real surfaces, checked pixel by pixel where the clock's
// measures put each part.
#include <math.h>
#include <windows.h>
#include <gdiplus.h>

#include "render/clock_geometry.h"
#include "render_fixture.h"
#include "shell/saver_globals.h"

namespace {

const Colour kWhite = {0xFF, 0xFF, 0xFF};
const int kShadow = 7;

// A translucent 0x20000000 shadow over a pixel.
Colour Shadowed(Colour c)
{
    return Colour{c.r * 223 / 255, c.g * 223 / 255, c.b * 223 / 255};
}

int Lightness(Colour c)
{
    return (c.r + c.g + c.b) / 3;
}

class FrameAt1080 : public RenderTest {
protected:
    void SetUp() override
    {
        RenderTest::SetUp();
        MakeSurfaces(1920, 1080);
        g = ComputeClockGeometry(1920, 1080);
        angles = ComputeHandAngles(10, 8, 30);
        RenderAt(10, 8, 30);
    }
    ClockPoint Along(int length, double angle, int offset = 0) const
    {
        return PointAlong(g.cx + offset, g.cy + offset, length, angle);
    }
    Colour FrameAtPoint(ClockPoint p) const
    {
        return Frame(static_cast<int>(floor(p.x)), static_cast<int>(floor(p.y)));
    }
    Colour BackgroundAtPoint(ClockPoint p) const
    {
        return Background(static_cast<int>(floor(p.x)), static_cast<int>(floor(p.y)));
    }
    ClockGeometry g;
    HandAngles angles;
};

TEST_F(FrameAt1080, PinIsWhiteInsideTheDarkHub)
{
    EXPECT_TRUE(IsNear(Frame(960, 540), kWhite, 2)) << Describe(Frame(960, 540));
    EXPECT_TRUE(IsNear(Frame(960 + 7, 540 + 3), kWhite, 2));
    // Between the pin (radius 10) and the hub's edge (radius 15), away from every hand.
    EXPECT_TRUE(IsInk(Frame(960 + 12, 540))) << Describe(Frame(972, 540));
    EXPECT_TRUE(IsInk(Frame(960 - 12, 540 + 3)));
}

TEST_F(FrameAt1080, ShadowHubIsTranslucentAndOffset)
{
    // Inside the shadow hub (centre 967, 547) but outside the main hub.
    Colour under = Background(980, 549);
    Colour seen = Frame(980, 549);
    EXPECT_TRUE(IsNear(seen, Shadowed(under), 3)) << Describe(seen) << " over " << Describe(under);
    // Left of the centre, clear of the hour stem, there is no shadow hub.
    EXPECT_TRUE(IsNear(Frame(960 - 17, 540 + 5), Background(960 - 17, 540 + 5), 1));
}

TEST_F(FrameAt1080, MainHandsWhereTheirEndsPutThem)
{
    struct { const char* name; ClockPoint from, to; } strokes[] = {
        {"hour stem", Along(g.hourStemLength, angles.hour), Along(0, 0)},
        {"hour tip", Along(g.hourTipOuterLength, angles.hour),
         Along(g.hourTipInnerLength, angles.hour)},
        {"minute hand", Along(g.longHandLength, angles.minute), Along(0, 0)},
        {"second hand", Along(g.longHandLength, angles.second), Along(0, 0)},
        {"counterweight", Along(g.counterweightInnerLength, angles.counterweight),
         Along(g.counterweightOuterLength, angles.counterweight)},
    };
    for (const auto& s : strokes) {
        SCOPED_TRACE(s.name);
        for (double t : {0.35, 0.5, 0.7}) {
            ClockPoint p = {s.from.x + (s.to.x - s.from.x) * t, s.from.y + (s.to.y - s.from.y) * t};
            EXPECT_TRUE(IsInk(FrameAtPoint(p))) << "at " << p.x << ", " << p.y << ": "
                                                << Describe(FrameAtPoint(p));
        }
    }
    // The hour ring: ink on its circle, the face showing through its middle.
    ClockPoint ring = Along(g.hourRingCentreLength, angles.hour);
    EXPECT_TRUE(IsInk(Frame(static_cast<int>(ring.x), static_cast<int>(ring.y - g.hourRingRadius))));
    EXPECT_TRUE(IsInk(Frame(static_cast<int>(ring.x + g.hourRingRadius), static_cast<int>(ring.y))));
    EXPECT_GT(Lightness(FrameAtPoint(ring)), 0xC0);
}

TEST_F(FrameAt1080, ShadowsFallSevenPixelsRightAndDown)
{
    // Midpoints of the shadow minute and hour-stem strokes, clear of the main hands.
    ClockPoint minute = Along(g.longHandLength / 2, angles.minute, kShadow);
    Colour seen = FrameAtPoint(minute);
    EXPECT_TRUE(IsNear(seen, Shadowed(BackgroundAtPoint(minute)), 3)) << Describe(seen);
    ClockPoint second = Along(g.longHandLength / 2, angles.second, kShadow);
    EXPECT_TRUE(IsNear(FrameAtPoint(second), Shadowed(BackgroundAtPoint(second)), 3));
}

// Main strokes start with a round cap, so ink reaches past the tip; the shadow's start
// caps are flat, and the counterweight's outer end is flat in both passes.
TEST_F(FrameAt1080, RoundMainTipsAndFlatShadowTips)
{
    int wideReach = g.widePenWidth / 2 - 2;  // inside a round cap, outside a flat one
    struct { const char* name; int length; double angle; } mainTips[] = {
        {"minute hand", g.longHandLength, angles.minute},
        {"hour tip", g.hourTipOuterLength, angles.hour},
        {"hour stem", g.hourStemLength, angles.hour},
    };
    for (const auto& tip : mainTips) {
        SCOPED_TRACE(tip.name);
        ClockPoint beyond = Along(tip.length + wideReach, tip.angle);
        EXPECT_TRUE(IsInk(FrameAtPoint(beyond))) << Describe(FrameAtPoint(beyond));
    }
    // Shadow tips pointing away from the main hands, so nothing else covers their ends.
    struct { const char* name; int length; double angle; int reach; } shadowTips[] = {
        {"minute hand", g.longHandLength, angles.minute, wideReach},
        {"second hand", g.longHandLength, angles.second, 3},
    };
    for (const auto& tip : shadowTips) {
        SCOPED_TRACE(tip.name);
        ClockPoint beyond = Along(tip.length + tip.reach, tip.angle, kShadow);
        EXPECT_TRUE(IsNear(FrameAtPoint(beyond), BackgroundAtPoint(beyond), 2))
            << Describe(FrameAtPoint(beyond));
        ClockPoint before = Along(tip.length - 3, tip.angle, kShadow);
        EXPECT_TRUE(IsNear(FrameAtPoint(before), Shadowed(BackgroundAtPoint(before)), 3))
            << Describe(FrameAtPoint(before));
    }
    ClockPoint beyondWeight = Along(g.counterweightOuterLength + 3, angles.counterweight);
    EXPECT_FALSE(IsInk(FrameAtPoint(beyondWeight))) << Describe(FrameAtPoint(beyondWeight));
    ClockPoint beyondShadowWeight =
        Along(g.counterweightOuterLength + 3, angles.counterweight, kShadow);
    EXPECT_TRUE(IsNear(FrameAtPoint(beyondShadowWeight), BackgroundAtPoint(beyondShadowWeight), 2));
}

TEST_F(FrameAt1080, FaceShadesFromWhiteToLightGreyAlongTheDiagonal)
{
    // The gradient runs from (cx - R, cy - R) to (cx + R, cy + R): white to 0xDCDCDC.
    for (double along : {-0.6, -0.3, 0.3, 0.6}) {
        double d = along * g.dialFaceRadius / sqrt(2.0);
        int x = static_cast<int>(g.cx + d), y = static_cast<int>(g.cy + d);
        double t = ((x - (g.cx - g.faceRadius)) + (y - (g.cy - g.faceRadius))) /
                   (4.0 * g.faceRadius);
        int expected = static_cast<int>(0xFF - t * (0xFF - 0xDC) + 0.5);
        SCOPED_TRACE(testing::Message() << "at " << x << ", " << y);
        EXPECT_TRUE(IsNear(Background(x, y), Colour{expected, expected, expected}, 2))
            << Describe(Background(x, y)) << " expected " << expected;
    }
    EXPECT_GT(Lightness(Background(760, 340)), Lightness(Background(1160, 740)));
}

TEST_F(FrameAt1080, DarkRingBandAroundTheFace)
{
    int mid = (g.dialFaceRadius + g.darkRingRadius) / 2;
    for (int quarter = 0; quarter < 4; quarter++) {
        double a = quarter * 1.5707963 + 0.4;
        int x = static_cast<int>(g.cx + sin(a) * mid), y = static_cast<int>(g.cy - cos(a) * mid);
        SCOPED_TRACE(testing::Message() << "at " << x << ", " << y);
        EXPECT_LT(Lightness(Background(x, y)), 0x70) << Describe(Background(x, y));
        int xi = static_cast<int>(g.cx + sin(a) * (g.dialFaceRadius - 4));
        int yi = static_cast<int>(g.cy - cos(a) * (g.dialFaceRadius - 4));
        EXPECT_GT(Lightness(Background(xi, yi)), 0xD0) << Describe(Background(xi, yi));
    }
}

TEST_F(FrameAt1080, TwelveHourDotsAndNoOthers)
{
    for (int i = 0; i < 60; i++) {
        ClockPoint p = PointAlong(g.cx, g.cy, g.hourDotCircleRadius, DialPositionAngle(i));
        SCOPED_TRACE(testing::Message() << "position " << i);
        EXPECT_EQ(IsInk(BackgroundAtPoint(p)), i % 5 == 0) << Describe(BackgroundAtPoint(p));
    }
    // The dot at twelve: box (954, 175, 12, 12).
    EXPECT_TRUE(IsInk(Background(957, 178)));
    EXPECT_FALSE(IsInk(Background(960, 172)));
}

TEST_F(FrameAt1080, WallpaperTiledAtNaturalSizeFromTheTopLeft)
{
    for (int y : {0, 1, 29, 30, 31, 119, 1079})
        for (int x : {0, 1, 39, 40, 41, 200, 1919}) {
            Colour expected = TilePixel(x % kTileWidth, y % kTileHeight);
            EXPECT_TRUE(IsNear(Frame(x, y), expected, 0))
                << "at " << x << ", " << y << ": " << Describe(Frame(x, y)) << " expected "
                << Describe(expected);
        }
}

TEST_F(FrameAt1080, BezelShadowBelowAndRightOnly)
{
    // Just outside the bezel at the lower right the shadow darkens the wallpaper; at the
    // upper left the wallpaper shows unchanged.
    int r = g.bezelRadius;
    int lx = static_cast<int>(g.cx + (r + 5) * 0.7071), ly = static_cast<int>(g.cy + (r + 5) * 0.7071);
    Colour tile = TilePixel(lx % kTileWidth, ly % kTileHeight);
    EXPECT_TRUE(IsNear(Background(lx, ly), Shadowed(tile), 3)) << Describe(Background(lx, ly));
    int ux = static_cast<int>(g.cx - (r + 5) * 0.7071), uy = static_cast<int>(g.cy - (r + 5) * 0.7071);
    EXPECT_TRUE(IsNear(Background(ux, uy), TilePixel(ux % kTileWidth, uy % kTileHeight), 0));
}

class FrameWithoutWallpaper : public RenderTest {};

TEST_F(FrameWithoutWallpaper, MissingOrUnfittingWallpaperLeavesWhite)
{
    const std::wstring names[] = {L"missing.bmp", std::wstring(250, L'n') + L".bmp"};
    for (const std::wstring& name : names) {
        SCOPED_TRACE(testing::Message() << "name of " << name.size() << " characters");
        MakeSurfaces(640, 480);
        UseWallpaper(name);
        RenderAt(3, 0, 0);
        for (int x : {0, 5, 639})
            EXPECT_TRUE(IsNear(Frame(x, 0), kWhite, 0)) << Describe(Frame(x, 0));
        EXPECT_TRUE(IsNear(Frame(639, 479), kWhite, 0));
    }
}

class CachedDial : public RenderTest {};

TEST_F(CachedDial, LaterFramesReuseTheDialWithoutTheWallpaperFile)
{
    MakeSurfaces(800, 600);
    std::wstring copy = InstallFolder() + L"\\Wall paper\\once.bmp";
    ASSERT_TRUE(CopyFileW((InstallFolder() + L"\\Wall paper\\tile.bmp").c_str(), copy.c_str(), FALSE));
    UseWallpaper(L"once.bmp");
    RenderAt(4, 20, 10);
    std::vector<UINT32> first = frame.Copy();
    std::vector<UINT32> dial = background.Copy();
    ASSERT_TRUE(DeleteFileW(copy.c_str()));
    RenderNextFrameAt(4, 20, 10);
    EXPECT_TRUE(frame.Copy() == first);
    EXPECT_TRUE(background.Copy() == dial);
    RenderNextFrameAt(4, 20, 11);
    EXPECT_TRUE(background.Copy() == dial);
    EXPECT_FALSE(frame.Copy() == first);  // the second hand moved
}

class HomePageNotice : public RenderTest {
protected:
    // Pixels of the top band that differ from the dial beneath (no hand reaches it).
    int NoticePixels()
    {
        int changed = 0;
        for (int y = 0; y < 40; y++)
            for (int x = 0; x < 1024; x++)
                if (!IsNear(Frame(x, y), Background(x, y), 0))
                    changed++;
        return changed;
    }
};

TEST_F(HomePageNotice, ShownDuringMinuteSevenInFullScreenOnly)
{
    struct { int full, hour, minute, second; bool shown; } cases[] = {
        {1, 10, 7, 0, true}, {1, 10, 6, 59, false}, {1, 10, 8, 0, false}, {1, 23, 7, 59, true},
        {0, 10, 7, 0, false}, {0, 10, 7, 30, false},
    };
    MakeSurfaces(1024, 768);
    RenderAt(9, 0, 0);
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << (c.full ? "full screen " : "preview ") << c.hour
                                        << ":" << c.minute << ":" << c.second);
        saver.isFullScreen = c.full;
        RenderNextFrameAt(c.hour, c.minute, c.second);
        EXPECT_EQ(NoticePixels() > 50, c.shown) << NoticePixels();
    }
}

TEST_F(HomePageNotice, SitsInTheTopRightCorner)
{
    MakeSurfaces(1024, 768);
    RenderAt(10, 7, 0);
    int left = 1024, right = -1;
    for (int y = 0; y < 40; y++)
        for (int x = 0; x < 1024; x++)
            if (!IsNear(Frame(x, y), Background(x, y), 0)) {
                left = x < left ? x : left;
                right = x > right ? x : right;
            }
    EXPECT_GE(right, 1024 - 6);
    EXPECT_GT(left, 512);
    RenderNextFrameAt(10, 8, 0);
    EXPECT_EQ(NoticePixels(), 0);  // no trace in the next minute
}

class TinySurfaces : public RenderTest {};

TEST_F(TinySurfaces, RenderWithoutFailing)
{
    struct { int w, h; } sizes[] = {{1, 1}, {7, 7}, {8, 8}, {10000, 100}, {100, 10000}};
    for (const auto& s : sizes) {
        SCOPED_TRACE(testing::Message() << s.w << "x" << s.h);
        MakeSurfaces(s.w, s.h);
        RenderAt(12, 59, 59);
        RenderNextFrameAt(0, 0, 0);
        EXPECT_TRUE(frame.dc != NULL);
    }
}

}  // namespace

namespace {

struct Ink {
    int count = 0;
    int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1;
};

void Extend(Ink& ink, int x, int y)
{
    ink.count++;
    ink.left = x < ink.left ? x : ink.left;
    ink.right = x > ink.right ? x : ink.right;
    ink.top = y < ink.top ? y : ink.top;
    ink.bottom = y > ink.bottom ? y : ink.bottom;
}

// The dial's dark pixels within `reach` of the centre (inside the dots), each given to
// the numeral whose box centre is nearest, since neighbouring boxes overlap.
void NumeralInk(const RenderedSurface& dial, const ClockGeometry& g, int reach, Ink ink[12],
                NumeralBox boxes[12])
{
    for (int n = 0; n < 12; n++)
        boxes[n] = ComputeNumeralBox(g, n * 5);
    for (int y = g.cy - reach; y <= g.cy + reach; y++)
        for (int x = g.cx - reach; x <= g.cx + reach; x++) {
            double dx = x - g.cx, dy = y - g.cy;
            if (dx * dx + dy * dy > static_cast<double>(reach) * reach)
                continue;
            if (Lightness(dial.At(x, y)) >= 0x80)
                continue;
            int nearest = 0;
            double best = 1e30;
            for (int n = 0; n < 12; n++) {
                double bx = boxes[n].left + boxes[n].width / 2 - x;
                double by = boxes[n].top + boxes[n].height / 2 - y;
                if (bx * bx + by * by < best) {
                    best = bx * bx + by * by;
                    nearest = n;
                }
            }
            Extend(ink[nearest], x, y);
        }
}

class Numerals : public RenderTest,
                 public testing::WithParamInterface<std::pair<int, int>> {};

// Every numeral is drawn whole, on one line, centred in its box, at any screen size.
TEST_P(Numerals, EachNumeralInkedWholeOnOneLineInItsBox)
{
    int w = GetParam().first, h = GetParam().second;
    MakeSurfaces(w, h);
    SetTexts(L"", L"");
    RenderAt(10, 8, 30);
    if (GetEnvironmentVariableA("HORLOMA_TEST_DUMP", NULL, 0) != 0)
        SaveSurface(background, (L"numerals-" + std::to_wstring(w) + L".bmp").c_str());
    ClockGeometry g = ComputeClockGeometry(w, h);
    int reach = g.hourDotCircleRadius - g.hourDotRadius - 3;
    double em = g.numeralFontSize;
    Ink inks[12];
    NumeralBox boxes[12];
    NumeralInk(background, g, reach, inks, boxes);
    for (int n = 0; n < 12; n++) {
        const NumeralBox& box = boxes[n];
        const Ink& ink = inks[n];
        SCOPED_TRACE(testing::Message() << "numeral " << box.value);
        ASSERT_GT(ink.count, 0);
        int inkWidth = ink.right - ink.left + 1, inkHeight = ink.bottom - ink.top + 1;
        EXPECT_GT(inkHeight, 0.5 * em);
        EXPECT_LT(inkHeight, 0.9 * em);  // one line of digits
        EXPECT_GT(inkWidth, (box.value >= 10 ? 0.6 : 0.2) * em);
        // Not cut by the box: clear of its edges.
        EXPECT_GT(ink.left, box.left + 1);
        EXPECT_LT(ink.right, box.left + box.width - 2);
        double centreX = (ink.left + ink.right) / 2.0, centreY = (ink.top + ink.bottom) / 2.0;
        EXPECT_NEAR(centreX, box.left + box.width / 2, 0.08 * em);
        EXPECT_NEAR(centreY, box.top + box.height / 2, 0.15 * em);
    }
}

INSTANTIATE_TEST_SUITE_P(ScreenSizes, Numerals,
                         testing::Values(std::make_pair(1920, 1080), std::make_pair(1024, 768),
                                         std::make_pair(3840, 2160)));

TEST_F(RenderTest, TextsCentredInTheirBands)
{
    MakeSurfaces(1920, 1080);
    SetTexts(L"", L"");
    RenderAt(3, 0, 0);
    std::vector<UINT32> plain = background.Copy();
    SetTexts(L"Veltrane", L"Ruvozu");
    MakeSurfaces(1920, 1080);
    RenderAt(3, 0, 0);
    std::vector<UINT32> texts = background.Copy();
    ClockGeometry g = ComputeClockGeometry(1920, 1080);

    // The two bands: (0, 181, 1920, 359) and (0, 540, 1920, 359).
    struct { const char* name; int top; } bands[] = {
        {"textUp", g.cy - g.hourDotCircleRadius}, {"textDown", g.cy}};
    for (const auto& band : bands) {
        SCOPED_TRACE(band.name);
        Ink changed;
        for (int y = band.top; y < band.top + g.hourDotCircleRadius; y++)
            for (int x = 0; x < 1920; x++)
                if (plain[y * 1920 + x] != texts[y * 1920 + x])
                    Extend(changed, x, y);
        ASSERT_GT(changed.count, 100);
        EXPECT_NEAR((changed.left + changed.right) / 2.0, 960, 4);
        EXPECT_NEAR((changed.top + changed.bottom) / 2.0, band.top + g.hourDotCircleRadius / 2.0,
                    g.textFontSize * 0.3);
        EXPECT_LT(changed.bottom - changed.top, g.textFontSize * 1.2);
    }
    // Nothing else changed.
    int outside = 0;
    for (int y = 0; y < 1080; y++)
        if (y < bands[0].top || y >= bands[1].top + g.hourDotCircleRadius)
            for (int x = 0; x < 1920; x++)
                outside += plain[y * 1920 + x] != texts[y * 1920 + x];
    EXPECT_EQ(outside, 0);
}

}  // namespace

namespace {

// Run only as a child of the test below, in a process started without the font.
TEST_F(RenderTest, DISABLED_DialWithoutTheFont)
{
    Gdiplus::GpFontFamily* family = NULL;
    ASSERT_NE(Gdiplus::DllExports::GdipCreateFontFamilyFromName(L"Dodaz", NULL, &family),
              Gdiplus::Ok);
    MakeSurfaces(1920, 1080);
    RenderAt(10, 8, 30);
    ClockGeometry g = ComputeClockGeometry(1920, 1080);
    Ink inks[12];
    NumeralBox boxes[12];
    NumeralInk(background, g, g.hourDotCircleRadius - g.hourDotRadius - 3, inks, boxes);
    for (const Ink& ink : inks)
        EXPECT_EQ(ink.count, 0);  // no numerals and no texts inside the dots
    // Everything else is still drawn: the dots, the face, the hands.
    ClockPoint twelve = PointAlong(g.cx, g.cy, g.hourDotCircleRadius, 0);
    EXPECT_TRUE(IsInk(Background(static_cast<int>(twelve.x), static_cast<int>(twelve.y))));
    EXPECT_TRUE(IsNear(Frame(960, 540), Colour{0xFF, 0xFF, 0xFF}, 2));
    EXPECT_TRUE(IsInk(Frame(972, 540)));
}

// Wine loads the fonts of its Fonts folder when a process starts, so the font-less dial
// is drawn by a child started while the font file is moved away.
TEST(MissingFont, DialKeepsEverythingButNumeralsAndTexts)
{
    wchar_t windows[MAX_PATH];
    GetWindowsDirectoryW(windows, MAX_PATH);
    std::wstring font = std::wstring(windows) + L"\\Fonts\\Dodaz.ttf";
    std::wstring aside = std::wstring(windows) + L"\\Temp\\Dodaz-moved-by-test.ttf";
    ASSERT_TRUE(MoveFileExW(font.c_str(), aside.c_str(), MOVEFILE_REPLACE_EXISTING))
        << "the font is not installed in this prefix";

    wchar_t self[MAX_PATH];
    GetModuleFileNameW(NULL, self, MAX_PATH);
    std::wstring commandLine = L"\"" + std::wstring(self) +
                               L"\" --gtest_filter=RenderTest.DISABLED_DialWithoutTheFont"
                               L" --gtest_also_run_disabled_tests";
    STARTUPINFOW startup;
    ZeroMemory(&startup, sizeof(startup));
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION child;
    BOOL started = CreateProcessW(self, &commandLine[0], NULL, NULL, FALSE, 0, NULL, NULL,
                                  &startup, &child);
    DWORD exitCode = 99;
    if (started) {
        WaitForSingleObject(child.hProcess, 120000);
        GetExitCodeProcess(child.hProcess, &exitCode);
        CloseHandle(child.hThread);
        CloseHandle(child.hProcess);
    }
    EXPECT_TRUE(MoveFileExW(aside.c_str(), font.c_str(), MOVEFILE_REPLACE_EXISTING));
    ASSERT_TRUE(started);
    EXPECT_EQ(exitCode, 0u);
}

}  // namespace
