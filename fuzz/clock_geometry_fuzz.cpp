// Fuzz target: the clock's geometry and angles. Input: a flags byte, then surface width
// and height, hour, minute, second and one dial position, each 32-bit little-endian.
// Flag 1 takes the size as it comes (any int, negative included), otherwise each side
// is reduced to 0-100,000. Flag 2 takes the time fields as they come, flag 4 as the
// 16-bit fields of a SYSTEMTIME, otherwise as a valid local time. Everything the dial
// and hands layers derive goes through the checks: finite, in range, and for sizes and
// times the clock can meet, where the drawing expects it.
#include <limits.h>
#include <math.h>

#include "fuzz/fuzz_check.h"
#include "render/clock_geometry.h"

namespace {

const uint8_t kRawSize = 1;
const uint8_t kRawTime = 2;
const uint8_t kSystemTimeFields = 4;
const uint32_t kLargestSide = 100000;

const int kDialPositions = 60;
const int kShadowOffset = 7;  // the hands' shadow and the bezel shadow's offset
const double kHalfTurn = 3.14;
const double kFullTurn = 6.28;

// Lengths and distances agree to well below a pixel even at 100,000 pixels.
const double kDistanceTolerance = 1e-6;

bool FitsInt(int64_t value)
{
    return value >= INT_MIN && value <= INT_MAX;
}

double Distance(ClockPoint p, double x, double y)
{
    return hypot(p.x - x, p.y - y);
}

// The integers the layers compute from the geometry (boxes of circles, the shadow
// origin, the gradient's square) must not overflow whatever the size.
void CheckLayerArithmetic(const ClockGeometry& g)
{
    const int radii[] = {g.faceRadius, g.bezelRadius, g.hubRadius, g.pinRadius,
                         g.hourDotRadius, g.hourRingRadius};
    for (int r : radii) {
        FUZZ_CHECK(FitsInt(static_cast<int64_t>(g.cx) - r));
        FUZZ_CHECK(FitsInt(static_cast<int64_t>(g.cy) - r));
        FUZZ_CHECK(FitsInt(static_cast<int64_t>(g.cx) + r));
        FUZZ_CHECK(FitsInt(static_cast<int64_t>(g.cy) + r));
        FUZZ_CHECK(FitsInt(static_cast<int64_t>(g.cx) + kShadowOffset - r));
        FUZZ_CHECK(FitsInt(static_cast<int64_t>(g.cy) + kShadowOffset + r));
        FUZZ_CHECK(FitsInt(2 * static_cast<int64_t>(r)));
        FUZZ_CHECK(FitsInt(2 * static_cast<int64_t>(r) + kShadowOffset));
    }
    FUZZ_CHECK(FitsInt(static_cast<int64_t>(g.cy) - g.hourDotCircleRadius));
}

// For the sizes a screen or a preview can have: every measure in its place.
void CheckGeometryInRange(const ClockGeometry& g, int w, int h)
{
    FUZZ_CHECK(g.surfaceWidth == w && g.surfaceHeight == h);
    FUZZ_CHECK(g.cx == w / 2 && g.cy == h / 2);
    int m = g.cx < g.cy ? g.cx : g.cy;
    FUZZ_CHECK(g.faceRadius >= 0 && g.faceRadius <= m);
    FUZZ_CHECK(g.faceRadius > m * 0.95 - 1);
    FUZZ_CHECK(g.scaleUnit >= 1 && g.scaleUnit == 2 * m / 512 + 1);
    // The face stays on the surface.
    FUZZ_CHECK(g.cx - g.faceRadius >= 0 && g.cx + g.faceRadius <= w);
    FUZZ_CHECK(g.cy - g.faceRadius >= 0 && g.cy + g.faceRadius <= h);
    // From the rim inwards, each radius within the one before.
    const int radii[] = {g.faceRadius, g.bezelRadius, g.darkRingRadius, g.dialFaceRadius,
                         g.hourDotCircleRadius, g.longHandLength, g.hourTipOuterLength,
                         g.hourTipInnerLength, g.hourRingCentreLength,
                         g.counterweightOuterLength, g.hourStemLength,
                         g.counterweightInnerLength, 0};
    for (size_t i = 1; i < COUNTOF(radii); i++)
        FUZZ_CHECK(radii[i] <= radii[i - 1]);
    FUZZ_CHECK(g.numeralRadius >= 0 && g.numeralRadius <= g.hourDotCircleRadius);
    FUZZ_CHECK(g.thinPenWidth > 0 && g.thinPenWidth < g.widePenWidth);
    FUZZ_CHECK(g.pinRadius > 0 && g.pinRadius < g.hubRadius && g.hubRadius < g.hourRingRadius);
    FUZZ_CHECK(g.hourDotRadius > 0 && g.numeralOffset > 0);
    FUZZ_CHECK(g.textFontSize > 0 && g.textFontSize < g.numeralFontSize);
}

void CheckNumeralBox(const ClockGeometry& g, int position, bool inRange)
{
    NumeralBox box = ComputeNumeralBox(g, position);
    FUZZ_CHECK(isfinite(box.left) && isfinite(box.top));
    FUZZ_CHECK(isfinite(box.width) && isfinite(box.height));
    FUZZ_CHECK(box.width == box.height && box.width >= 200);
    if (!inRange)
        return;
    FUZZ_CHECK(box.value >= 1 && box.value <= 12);
    FUZZ_CHECK(box.value == (position / 5 == 0 ? 12 : position / 5));
    int nudge = box.nudge < 0 ? -box.nudge : box.nudge;
    FUZZ_CHECK(nudge <= g.numeralOffset);
    // The nudge pulls a numeral towards the vertical through the centre.
    FUZZ_CHECK(static_cast<int64_t>(box.nudge) * (g.cx - box.anchorX) >= 0);
    double anchorDistance = hypot(box.anchorX - g.cx, box.anchorY - g.cy);
    FUZZ_CHECK(anchorDistance <= g.numeralRadius + 1);
    // Centred 6U below the anchor, nudged towards the middle.
    FUZZ_CHECK(box.left + box.width / 2 == box.anchorX - box.nudge);
    FUZZ_CHECK(box.top + box.height / 2 == box.anchorY + g.numeralOffset);
}

void CheckDial(const ClockGeometry& g, bool inRange)
{
    double previous = -1;
    for (int i = 0; i < kDialPositions; i++) {
        double angle = DialPositionAngle(i);
        FUZZ_CHECK(angle > previous && angle < kFullTurn);
        previous = angle;
        ClockPoint dot = PointAlong(g.cx, g.cy, g.hourDotCircleRadius, angle);
        FUZZ_CHECK(isfinite(dot.x) && isfinite(dot.y));
        double radius = g.hourDotCircleRadius < 0 ? -g.hourDotCircleRadius
                                                  : g.hourDotCircleRadius;
        FUZZ_CHECK(fabs(Distance(dot, g.cx, g.cy) - radius) <=
                   kDistanceTolerance * (radius + 1));
        if (i % 5 == 0)
            CheckNumeralBox(g, i, inRange);
    }
}

void CheckHandEnd(const ClockGeometry& g, int originX, int originY, int length, double angle,
                  bool inRange)
{
    ClockPoint end = PointAlong(originX, originY, length, angle);
    FUZZ_CHECK(isfinite(end.x) && isfinite(end.y));
    double reach = length < 0 ? -static_cast<double>(length) : length;
    FUZZ_CHECK(fabs(Distance(end, originX, originY) - reach) <= kDistanceTolerance * (reach + 1));
    if (inRange)
        FUZZ_CHECK(reach <= g.bezelRadius);  // no hand reaches past the bezel
}

void CheckHands(const ClockGeometry& g, int hour, int minute, int second, bool timeInRange,
                bool sizeInRange)
{
    HandAngles a = ComputeHandAngles(hour, minute, second);
    FUZZ_CHECK(isfinite(a.hour) && isfinite(a.minute));
    FUZZ_CHECK(isfinite(a.second) && isfinite(a.counterweight));
    if (timeInRange) {
        // The hour hand between its hour's mark and the next; past a full turn only from
        // 12:00 to 12:59, where h12 stays 12.
        int h12 = hour > 12 ? hour - 12 : hour;
        FUZZ_CHECK(a.hour >= DialPositionAngle(5 * h12));
        FUZZ_CHECK(a.hour < DialPositionAngle(5 * (h12 + 1)));
        // Minute and second hands point at their own dial positions.
        FUZZ_CHECK(a.minute == DialPositionAngle(minute));
        FUZZ_CHECK(a.second == DialPositionAngle(second));
        // The counterweight half a turn on from the second hand, within one turn.
        FUZZ_CHECK(a.counterweight >= 0 && a.counterweight < kFullTurn);
        double opposite = a.second + kHalfTurn;
        FUZZ_CHECK(a.counterweight == opposite || a.counterweight == opposite - kFullTurn);
    }
    // Both passes: the shadow, then the hands themselves.
    const int shifts[] = {kShadowOffset, 0};
    for (int shift : shifts) {
        int x = g.cx + shift;
        int y = g.cy + shift;
        const struct { int length; double angle; } ends[] = {
            {g.hourStemLength, a.hour},
            {g.hourTipOuterLength, a.hour},
            {g.hourTipInnerLength, a.hour},
            {g.hourRingCentreLength, a.hour},
            {g.longHandLength, a.minute},
            {g.longHandLength, a.second},
            {g.counterweightInnerLength, a.counterweight},
            {g.counterweightOuterLength, a.counterweight},
        };
        for (const auto& e : ends)
            CheckHandEnd(g, x, y, e.length, e.angle, sizeInRange);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzInput input = {data, size};
    uint8_t flags = TakeUint8(input);
    uint32_t widthBits = TakeUint32(input);
    uint32_t heightBits = TakeUint32(input);
    uint32_t hourBits = TakeUint32(input);
    uint32_t minuteBits = TakeUint32(input);
    uint32_t secondBits = TakeUint32(input);
    int32_t position = TakeInt32(input);

    bool sizeInRange = (flags & kRawSize) == 0;
    int w, h;
    if (sizeInRange) {
        w = static_cast<int>(widthBits % (kLargestSide + 1));
        h = static_cast<int>(heightBits % (kLargestSide + 1));
    } else {
        memcpy(&w, &widthBits, sizeof(w));
        memcpy(&h, &heightBits, sizeof(h));
    }
    bool timeInRange = (flags & (kRawTime | kSystemTimeFields)) == 0;
    int hour, minute, second;
    if (flags & kRawTime) {
        memcpy(&hour, &hourBits, sizeof(hour));
        memcpy(&minute, &minuteBits, sizeof(minute));
        memcpy(&second, &secondBits, sizeof(second));
    } else if (flags & kSystemTimeFields) {
        hour = static_cast<int>(hourBits & 0xFFFF);
        minute = static_cast<int>(minuteBits & 0xFFFF);
        second = static_cast<int>(secondBits & 0xFFFF);
    } else {
        hour = static_cast<int>(hourBits % 24);
        minute = static_cast<int>(minuteBits % 60);
        second = static_cast<int>(secondBits % 60);
    }

    ClockGeometry g = ComputeClockGeometry(w, h);
    CheckLayerArithmetic(g);
    if (sizeInRange)
        CheckGeometryInRange(g, w, h);
    CheckDial(g, sizeInRange);
    CheckHands(g, hour, minute, second, timeInRange, sizeInRange);

    // Any position at all, as a caller outside 0-59 would pass it.
    FUZZ_CHECK(isfinite(DialPositionAngle(position)));
    CheckNumeralBox(g, position, false);
    return 0;
}
