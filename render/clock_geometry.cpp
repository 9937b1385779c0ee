#include "render/clock_geometry.h"

#include <math.h>
#include <stdint.h>

const double kDegToRad = 3.14 / 180;

// The program's half and full turn, in the same 3.14-based radians as kDegToRad.
static const double kHalfTurn = 3.14;
static const double kFullTurn = 6.28;

static const double kFaceRatio = 0.95;
static const int kScaleStep = 512;  // U grows by one for every 512 pixels of 2m

static const double kBezelRatio = 0.9;
static const double kDarkRingRatio = 0.8;
static const double kDialFaceRatio = 0.74;
static const double kHourDotCircleRatio = 0.7;
static const double kLongHandRatio = 0.65;
static const double kHourTipOuterRatio = 0.46;
static const double kHourTipInnerRatio = 0.4;
static const double kHourRingCentreRatio = 0.3;
static const double kCounterweightOuterRatio = 0.25;
static const double kHourStemRatio = 0.2;
static const double kCounterweightInnerRatio = 0.075;
static const double kNumeralRadiusRatio = 0.77;
static const double kPinRadiusUnits = 3.5;

// Ratios are applied in double precision and truncated toward zero.
static int Scaled(int length, double ratio)
{
    return static_cast<int>(length * ratio);
}

ClockGeometry ComputeClockGeometry(int surfaceWidth, int surfaceHeight)
{
    ClockGeometry g;
    g.surfaceWidth = surfaceWidth;
    g.surfaceHeight = surfaceHeight;
    g.cx = surfaceWidth / 2;
    g.cy = surfaceHeight / 2;
    int m = g.cx < g.cy ? g.cx : g.cy;
    g.faceRadius = Scaled(m, kFaceRatio);
    g.scaleUnit = (2 * m) / kScaleStep + 1;

    int r = g.faceRadius;
    g.bezelRadius = Scaled(r, kBezelRatio);
    g.darkRingRadius = Scaled(r, kDarkRingRatio);
    g.dialFaceRadius = Scaled(r, kDialFaceRatio);
    g.hourDotCircleRadius = Scaled(r, kHourDotCircleRatio);
    g.longHandLength = Scaled(r, kLongHandRatio);
    g.hourTipOuterLength = Scaled(r, kHourTipOuterRatio);
    g.hourTipInnerLength = Scaled(r, kHourTipInnerRatio);
    g.hourRingCentreLength = Scaled(r, kHourRingCentreRatio);
    g.counterweightOuterLength = Scaled(r, kCounterweightOuterRatio);
    g.hourStemLength = Scaled(r, kHourStemRatio);
    g.counterweightInnerLength = Scaled(r, kCounterweightInnerRatio);
    g.numeralRadius = Scaled(g.hourDotCircleRadius, kNumeralRadiusRatio);

    int u = g.scaleUnit;
    g.hourDotRadius = 2 * u;
    g.thinPenWidth = 2 * u;
    g.widePenWidth = 4 * u;
    g.hubRadius = 5 * u;
    g.numeralOffset = 6 * u;
    g.textFontSize = 10 * u;
    g.hourRingRadius = 15 * u;
    g.numeralFontSize = 42 * u;
    g.pinRadius = Scaled(u, kPinRadiusUnits);
    return g;
}

// Six degrees per step, the product taken as an integer. In 64 bits, so that a field far
// outside its range (the callers may pass any int) gives a far angle, not an overflow;
// within range the result is the same as in int.
static double SixDegreeSteps(int steps)
{
    return static_cast<double>(6 * static_cast<int64_t>(steps)) * kDegToRad;
}

HandAngles ComputeHandAngles(int hour, int minute, int second)
{
    // 12 stays 12 and 0 stays 0: noon and midnight draw the hour hand a hair apart.
    int h12 = hour > 12 ? hour - 12 : hour;
    HandAngles a;
    a.hour = ((h12 + minute / 60.0) * 360 / 12) * kDegToRad;
    a.minute = SixDegreeSteps(minute);
    a.second = SixDegreeSteps(second);
    a.counterweight = a.second + kHalfTurn;
    if (a.counterweight >= kFullTurn)
        a.counterweight -= kFullTurn;
    return a;
}

double DialPositionAngle(int position)
{
    return SixDegreeSteps(position);
}

ClockPoint PointAlong(double originX, double originY, double length, double angle)
{
    ClockPoint p;
    p.x = originX + sin(angle) * length;
    p.y = originY - cos(angle) * length;
    return p;
}

// The layout box of a numeral. From U = 4 on the numeral font (42U pixels) outgrows the
// classic 200-pixel box and two-digit numerals would wrap or vanish, so there the box
// grows to 84U around the same centre.
static const int kNumeralBoxSize = 200;
static const int kNumeralBoxUnits = 84;
static const int kLargeNumeralUnit = 4;
static const int kUnnudgedNumeral = 10;

NumeralBox ComputeNumeralBox(const ClockGeometry& g, int position)
{
    NumeralBox box;
    box.value = position / 5 == 0 ? 12 : position / 5;
    double angle = DialPositionAngle(position);
    int rn = g.numeralRadius;
    box.anchorX = g.cx + static_cast<int>(sin(angle) * rn);
    box.anchorY = g.cy - static_cast<int>(cos(angle) * rn);
    // A surface too small for a numeral circle has nothing to nudge by.
    box.nudge = 0;
    if (rn != 0 && box.value != kUnnudgedNumeral)
        box.nudge = static_cast<int>((static_cast<double>(g.cx - box.anchorX) / rn) *
                                     g.numeralOffset);
    double size = g.scaleUnit >= kLargeNumeralUnit ? kNumeralBoxUnits * g.scaleUnit
                                                   : kNumeralBoxSize;
    double half = size / 2;
    box.left = (box.anchorX - half) - box.nudge;
    box.top = (box.anchorY - half) + g.numeralOffset;
    box.width = size;
    box.height = size;
    return box;
}
