#include <gtest/gtest.h>
#include <limits.h>
#include <math.h>

#include "render/clock_geometry.h"

namespace {

const double kTruePi = 3.14159265358979323846;

struct SizeCase {
    int w, h;
    int cx, cy, R, U;
    int r090, r080, r074, r070, r065, r046, r040, r030, r025, r020, r0075, rn;
};

// The worked sizes: a 1080p screen, a 4:3 screen, and a 152 x 112 preview scaled by 6.
const SizeCase kWorkedSizes[] = {
    {1920, 1080, 960, 540, 513, 3, 461, 410, 379, 359, 333, 235, 205, 153, 128, 102, 38, 276},
    {1024, 768, 512, 384, 364, 2, 327, 291, 269, 254, 236, 167, 145, 109, 91, 72, 27, 195},
    {912, 672, 456, 336, 319, 2, 287, 255, 236, 223, 207, 146, 127, 95, 79, 63, 23, 171},
};

TEST(ClockGeometry, WorkedSizesGiveEveryRadius)
{
    for (const SizeCase& c : kWorkedSizes) {
        SCOPED_TRACE(testing::Message() << c.w << "x" << c.h);
        ClockGeometry g = ComputeClockGeometry(c.w, c.h);
        EXPECT_EQ(g.surfaceWidth, c.w);
        EXPECT_EQ(g.surfaceHeight, c.h);
        EXPECT_EQ(g.cx, c.cx);
        EXPECT_EQ(g.cy, c.cy);
        EXPECT_EQ(g.faceRadius, c.R);
        EXPECT_EQ(g.scaleUnit, c.U);
        EXPECT_EQ(g.bezelRadius, c.r090);
        EXPECT_EQ(g.darkRingRadius, c.r080);
        EXPECT_EQ(g.dialFaceRadius, c.r074);
        EXPECT_EQ(g.hourDotCircleRadius, c.r070);
        EXPECT_EQ(g.longHandLength, c.r065);
        EXPECT_EQ(g.hourTipOuterLength, c.r046);
        EXPECT_EQ(g.hourTipInnerLength, c.r040);
        EXPECT_EQ(g.hourRingCentreLength, c.r030);
        EXPECT_EQ(g.counterweightOuterLength, c.r025);
        EXPECT_EQ(g.hourStemLength, c.r020);
        EXPECT_EQ(g.counterweightInnerLength, c.r0075);
        EXPECT_EQ(g.numeralRadius, c.rn);
    }
}

struct UnitCase {
    int w, h;
    int dot, thinPen, widePen, hub, numeralOffset, textFont, ring, numeralFont, pin;
};

TEST(ClockGeometry, MeasuresInScaleUnits)
{
    const UnitCase cases[] = {
        {1920, 1080, 6, 6, 12, 15, 18, 30, 45, 126, 10},
        {1024, 768, 4, 4, 8, 10, 12, 20, 30, 84, 7},
        {3840, 2160, 10, 10, 20, 25, 30, 50, 75, 210, 17},
    };
    for (const UnitCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.w << "x" << c.h);
        ClockGeometry g = ComputeClockGeometry(c.w, c.h);
        EXPECT_EQ(g.hourDotRadius, c.dot);
        EXPECT_EQ(g.thinPenWidth, c.thinPen);
        EXPECT_EQ(g.widePenWidth, c.widePen);
        EXPECT_EQ(g.hubRadius, c.hub);
        EXPECT_EQ(g.numeralOffset, c.numeralOffset);
        EXPECT_EQ(g.textFontSize, c.textFont);
        EXPECT_EQ(g.hourRingRadius, c.ring);
        EXPECT_EQ(g.numeralFontSize, c.numeralFont);
        EXPECT_EQ(g.pinRadius, c.pin);
    }
}

TEST(ClockGeometry, FaceRadiusAndUnitAcrossShapes)
{
    struct { int w, h, cx, cy, R, U; } cases[] = {
        {1280, 1024, 640, 512, 486, 3},
        {3840, 2160, 1920, 1080, 1026, 5},
        {768, 1024, 384, 512, 364, 2},   // tall: m comes from cx
        {1025, 768, 512, 384, 364, 2},   // odd width: cx half a pixel left of the middle
        {1921, 1081, 960, 540, 513, 3},
        {510, 510, 255, 255, 242, 1},    // m below 256
        {512, 512, 256, 256, 243, 2},    // one more step of 256 pixels of m
        {1022, 1022, 511, 511, 485, 2},
        {1024, 1024, 512, 512, 486, 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.w << "x" << c.h);
        ClockGeometry g = ComputeClockGeometry(c.w, c.h);
        EXPECT_EQ(g.cx, c.cx);
        EXPECT_EQ(g.cy, c.cy);
        EXPECT_EQ(g.faceRadius, c.R);
        EXPECT_EQ(g.scaleUnit, c.U);
    }
}

TEST(ClockGeometry, TinySurfacesStayDefined)
{
    ClockGeometry empty = ComputeClockGeometry(0, 0);
    EXPECT_EQ(empty.faceRadius, 0);
    EXPECT_EQ(empty.scaleUnit, 1);
    EXPECT_EQ(empty.numeralRadius, 0);
    ClockGeometry seven = ComputeClockGeometry(7, 7);
    EXPECT_EQ(seven.cx, 3);
    EXPECT_EQ(seven.numeralRadius, 0);  // m below 4 leaves no numeral radius
    ClockGeometry eight = ComputeClockGeometry(8, 8);
    EXPECT_EQ(eight.numeralRadius, 1);
}

TEST(ClockAngles, DegreeFactorIsBuiltFrom314)
{
    EXPECT_EQ(kDegToRad, 0.017444444444444446);
    EXPECT_DOUBLE_EQ(360 * kDegToRad, 6.28);
}

TEST(ClockAngles, MidnightAndNoonDifferByTheShortfallOfATurn)
{
    EXPECT_EQ(ComputeHandAngles(0, 0, 0).hour, 0.0);
    double noon = ComputeHandAngles(12, 0, 0).hour;
    EXPECT_DOUBLE_EQ(noon, 6.28);
    EXPECT_NEAR(2 * kTruePi - noon, 2 * kTruePi - 6.28, 1e-12);
    EXPECT_GT(2 * kTruePi - noon, 0.003);
}

TEST(ClockAngles, HourHandFollowsTheWholeMinutes)
{
    struct { int hour, minute, second; double hourDegrees; } cases[] = {
        {15, 30, 0, 105},                 // h12 is 3, halfway to 4
        {0, 30, 0, 15},                   // h12 stays 0
        {12, 59, 59, (12 + 59 / 60.0) * 30},  // h12 stays 12: past a full turn
        {13, 0, 0, 30},
        {23, 0, 0, 330},
        {3, 0, 59, 90},                   // seconds never move the hour hand
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.hour << ":" << c.minute << ":" << c.second);
        EXPECT_NEAR(ComputeHandAngles(c.hour, c.minute, c.second).hour,
                    c.hourDegrees * kDegToRad, 1e-12);
    }
}

TEST(ClockAngles, MinuteAndSecondJumpInSixDegreeSteps)
{
    HandAngles a = ComputeHandAngles(10, 8, 30);
    EXPECT_EQ(a.minute, 48 * kDegToRad);
    EXPECT_EQ(a.second, 180 * kDegToRad);
    EXPECT_EQ(ComputeHandAngles(3, 0, 0).minute, 0.0);
    EXPECT_EQ(ComputeHandAngles(3, 30, 0).minute, 180 * kDegToRad);
}

TEST(ClockAngles, CounterweightOppositeTheSecondHand)
{
    HandAngles atZero = ComputeHandAngles(3, 0, 0);
    EXPECT_DOUBLE_EQ(atZero.counterweight, 3.14);  // not wrapped: points down

    // 180 degrees plus 3.14 lands a hair above 6.28 and wraps to nearly 0: points up.
    HandAngles atThirty = ComputeHandAngles(3, 0, 30);
    EXPECT_GE(180 * kDegToRad + 3.14, 6.28);
    EXPECT_GE(atThirty.counterweight, 0.0);
    EXPECT_LT(atThirty.counterweight, 1e-12);

    HandAngles atFortyFive = ComputeHandAngles(3, 0, 45);
    EXPECT_NEAR(atFortyFive.counterweight, 270 * kDegToRad + 3.14 - 6.28, 1e-12);
}

// Fields far outside a clock's range (the callers pass any int) give finite angles
// from the exact product of six and the field, never an overflowing one.
TEST(ClockAngles, FieldsFarOutOfRangeStayDefined)
{
    const int fields[] = {INT_MAX, INT_MIN, INT_MAX / 6 + 1, -(INT_MAX / 6) - 2, 65535};
    for (int field : fields) {
        SCOPED_TRACE(testing::Message() << "field " << field);
        double sixfold = 6.0 * field * kDegToRad;
        HandAngles a = ComputeHandAngles(field, field, field);
        EXPECT_EQ(a.minute, sixfold);
        EXPECT_EQ(a.second, sixfold);
        EXPECT_TRUE(isfinite(a.hour));
        EXPECT_TRUE(isfinite(a.counterweight));
        EXPECT_EQ(DialPositionAngle(field), sixfold);
    }
}

TEST(ClockAngles, DialPositionsEverySixDegrees)
{
    EXPECT_EQ(DialPositionAngle(0), 0.0);
    EXPECT_EQ(DialPositionAngle(15), 90 * kDegToRad);
    EXPECT_EQ(DialPositionAngle(59), 354 * kDegToRad);
}

TEST(ClockPoints, ClockwiseFromTwelveWithYDown)
{
    ClockPoint up = PointAlong(100, 100, 50, 0);
    EXPECT_DOUBLE_EQ(up.x, 100);
    EXPECT_DOUBLE_EQ(up.y, 50);
    ClockPoint right = PointAlong(100, 100, 50, DialPositionAngle(15));
    EXPECT_NEAR(right.x, 150, 1e-3);
    EXPECT_NEAR(right.y, 100, 0.05);
}

TEST(ClockPoints, HourDotsFallBehindTheirTruePlaces)
{
    ClockGeometry g = ComputeClockGeometry(1920, 1080);
    // The dot at three sits 0.3 pixel above the horizontal through the centre and the
    // dot at six 0.6 pixel right of the vertical, because a turn is 6.28 radians.
    ClockPoint three = PointAlong(g.cx, g.cy, g.hourDotCircleRadius, DialPositionAngle(15));
    EXPECT_NEAR(g.cy - three.y, 0.29, 0.01);
    ClockPoint six = PointAlong(g.cx, g.cy, g.hourDotCircleRadius, DialPositionAngle(30));
    EXPECT_NEAR(six.x - g.cx, 0.57, 0.01);
}

// The hands at 10:08:30 on a 1920 x 1080 surface, main pass.
TEST(ClockPoints, HandEndsAtTenPastEightThirty)
{
    ClockGeometry g = ComputeClockGeometry(1920, 1080);
    HandAngles a = ComputeHandAngles(10, 8, 30);
    struct { const char* name; int length; double angle; double x, y; } ends[] = {
        {"hour stem", g.hourStemLength, a.hour, 875.29, 483.19},
        {"hour tip outer", g.hourTipOuterLength, a.hour, 764.82, 409.11},
        {"hour tip inner", g.hourTipInnerLength, a.hour, 789.74, 425.82},
        {"minute hand", g.longHandLength, a.minute, 1207.37, 317.07},
        {"second hand", g.longHandLength, a.second, 960.53, 873.00},
        {"counterweight inner", g.counterweightInnerLength, a.counterweight, 960, 502},
        {"counterweight outer", g.counterweightOuterLength, a.counterweight, 960, 412},
    };
    for (const auto& e : ends) {
        SCOPED_TRACE(e.name);
        ClockPoint p = PointAlong(g.cx, g.cy, e.length, e.angle);
        EXPECT_NEAR(p.x, e.x, 0.006);
        EXPECT_NEAR(p.y, e.y, 0.006);
    }
    ClockPoint ring = PointAlong(g.cx, g.cy, g.hourRingCentreLength, a.hour);
    EXPECT_NEAR(ring.x - g.hourRingRadius, 787.93, 0.006);
    EXPECT_NEAR(ring.y - g.hourRingRadius, 409.78, 0.006);
}

}  // namespace

namespace {

struct NumeralCase {
    int value, anchorX, anchorY, nudge, left, top;
};

TEST(NumeralBoxes, WorkedLayoutAt1920x1080)
{
    const NumeralCase cases[] = {
        {12, 960, 264, 0, 860, 182},    {1, 1097, 301, -8, 1005, 219},
        {2, 1198, 402, -15, 1113, 320}, {3, 1235, 540, -17, 1152, 458},
        {4, 1199, 677, -15, 1114, 595}, {5, 1098, 778, -9, 1007, 696},
        {6, 960, 815, 0, 860, 733},     {7, 823, 779, 8, 715, 697},
        {8, 722, 678, 15, 607, 596},    {9, 685, 540, 17, 568, 458},
        {10, 721, 403, 0, 621, 321},    {11, 822, 302, 9, 713, 220},
    };
    ClockGeometry g = ComputeClockGeometry(1920, 1080);
    for (int n = 0; n < 12; n++) {
        const NumeralCase& c = cases[n];
        SCOPED_TRACE(testing::Message() << "numeral " << c.value);
        NumeralBox box = ComputeNumeralBox(g, n * 5);
        EXPECT_EQ(box.value, c.value);
        EXPECT_EQ(box.anchorX, c.anchorX);
        EXPECT_EQ(box.anchorY, c.anchorY);
        EXPECT_EQ(box.nudge, c.nudge);
        EXPECT_EQ(box.left, c.left);
        EXPECT_EQ(box.top, c.top);
        EXPECT_EQ(box.width, 200);
        EXPECT_EQ(box.height, 200);
    }
}

TEST(NumeralBoxes, WorkedCornersAt1024x768)
{
    const int corners[12][2] = {{412, 101}, {514, 128}, {590, 199}, {617, 296},
                                {590, 393}, {514, 464}, {412, 490}, {310, 465},
                                {234, 393}, {207, 296}, {243, 199}, {310, 128}};
    ClockGeometry g = ComputeClockGeometry(1024, 768);
    for (int n = 0; n < 12; n++) {
        SCOPED_TRACE(testing::Message() << "position " << n * 5);
        NumeralBox box = ComputeNumeralBox(g, n * 5);
        EXPECT_EQ(box.left, corners[n][0]);
        EXPECT_EQ(box.top, corners[n][1]);
        EXPECT_EQ(box.width, 200);
    }
}

TEST(NumeralBoxes, GrowWithTheFontFromFourUnitsOn)
{
    struct { int w, h, U; double size; } cases[] = {
        {1920, 1080, 3, 200}, {2048, 1536, 4, 336}, {2560, 1600, 4, 336}, {3840, 2160, 5, 420},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.w << "x" << c.h);
        ClockGeometry g = ComputeClockGeometry(c.w, c.h);
        ASSERT_EQ(g.scaleUnit, c.U);
        for (int position = 0; position < 60; position += 5) {
            NumeralBox box = ComputeNumeralBox(g, position);
            EXPECT_EQ(box.width, c.size);
            EXPECT_EQ(box.height, c.size);
            // Still centred 6U below the anchor and nudged as before.
            EXPECT_DOUBLE_EQ(box.left + box.width / 2, box.anchorX - box.nudge);
            EXPECT_DOUBLE_EQ(box.top + box.height / 2, box.anchorY + g.numeralOffset);
            EXPECT_GE(box.width, g.numeralFontSize * 1.2);  // two digits of 0.6 em
        }
    }
}

TEST(NumeralBoxes, NoNumeralCircleMeansNoNudge)
{
    ClockGeometry g = ComputeClockGeometry(7, 7);
    ASSERT_EQ(g.numeralRadius, 0);
    for (int position = 0; position < 60; position += 5)
        EXPECT_EQ(ComputeNumeralBox(g, position).nudge, 0);
}

}  // namespace
