// Every measure of the clock derived from the surface size, and the angle convention
// that turns the time and the dial marks into positions. Pure computation, no drawing.
#ifndef HORLOMA_CLOCK_GEOMETRY_H
#define HORLOMA_CLOCK_GEOMETRY_H

// Degrees to radians as the clock has always drawn them: from 3.14, not from pi, so a
// full turn is 6.28 radians.
extern const double kDegToRad;

struct ClockGeometry {
    int surfaceWidth;
    int surfaceHeight;
    int cx;
    int cy;
    int faceRadius;  // R
    int scaleUnit;   // U

    // Radii, trunc(R * ratio).
    int bezelRadius;             // 0.9
    int darkRingRadius;          // 0.8
    int dialFaceRadius;          // 0.74
    int hourDotCircleRadius;     // 0.7, also the height of the two text bands
    int longHandLength;          // 0.65, minute and second hands
    int hourTipOuterLength;      // 0.46
    int hourTipInnerLength;      // 0.4
    int hourRingCentreLength;    // 0.3
    int counterweightOuterLength;  // 0.25
    int hourStemLength;          // 0.2
    int counterweightInnerLength;  // 0.075, also where the counterweight stem ends
    int numeralRadius;           // trunc(hourDotCircleRadius * 0.77)

    // Multiples of U.
    int hourDotRadius;      // 2U
    int thinPenWidth;       // 2U: second hand and counterweight stem
    int widePenWidth;       // 4U: hour and minute hands, counterweight
    int hubRadius;          // 5U
    int numeralOffset;      // 6U: vertical offset and horizontal nudge of the numerals
    int textFontSize;       // 10U pixels
    int hourRingRadius;     // 15U
    int numeralFontSize;    // 42U pixels
    int pinRadius;          // trunc(3.5 U)
};

ClockGeometry ComputeClockGeometry(int surfaceWidth, int surfaceHeight);

struct HandAngles {
    double hour;
    double minute;
    double second;
    double counterweight;
};

// Radians clockwise from twelve o'clock for a local time (hour 0-23).
HandAngles ComputeHandAngles(int hour, int minute, int second);

// Angle of dial position i (0-59); every fifth carries an hour mark and a numeral.
double DialPositionAngle(int position);

struct ClockPoint {
    double x;
    double y;
};

// The point at distance `length` from (originX, originY) along `angle`; y grows downward.
ClockPoint PointAlong(double originX, double originY, double length, double angle);

// Where numeral `value` (1-12, at dial position 5 * value mod 60) is laid out: a box
// centred 6U below its anchor on the numeral circle and nudged outward.
struct NumeralBox {
    int value;
    int anchorX;
    int anchorY;
    int nudge;
    double left;
    double top;
    double width;
    double height;
};

NumeralBox ComputeNumeralBox(const ClockGeometry& geometry, int position);

#endif
