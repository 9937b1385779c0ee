#include "render/hands_layer.h"

using namespace Gdiplus;
using namespace Gdiplus::DllExports;

static const ARGB kPenCreationColour = 0xFF000000;
static const ARGB kShadowColour = 0x20000000;
static const ARGB kHandColour = 0xFF191919;
static const ARGB kPinColour = 0xFFFFFFFF;
// The hub colour until a hub reads the pen's colour.
static const ARGB kInitialHubColour = 0xFF000000;

// Shadows fall this many pixels right of and below the hands.
static const int kShadowOffset = 7;

// One pen draws every stroke of the frame; its width, colour and start cap change in a
// fixed sequence. `error` keeps the last failure of any pen call, which decides whether a
// hub may take the pen's colour.
struct HandPen {
    GpPen* pen;
    GpStatus error;
};

static void TrackPenCall(HandPen& hand, GpStatus status)
{
    if (status != Ok)
        hand.error = status;
}

struct HandsPass {
    GpGraphics* graphics;
    HandPen* hand;
    GpSolidFill* fill;
    const ClockGeometry* g;
    HandAngles angles;
    int originX;
    int originY;
    ARGB* hubColour;
};

static ClockPoint Along(const HandsPass& p, int length, double angle)
{
    return PointAlong(p.originX, p.originY, length, angle);
}

// Lines start at `from`; a start cap, once set, applies there.
static void Stroke(const HandsPass& p, ClockPoint from, ClockPoint to)
{
    GdipDrawLine(p.graphics, p.hand->pen, static_cast<REAL>(from.x), static_cast<REAL>(from.y),
                 static_cast<REAL>(to.x), static_cast<REAL>(to.y));
}

static void DrawHub(const HandsPass& p)
{
    PenType type = PenTypeUnknown;
    TrackPenCall(*p.hand, GdipGetPenFillType(p.hand->pen, &type));
    if (type == PenTypeSolidColor) {
        ARGB colour = 0;
        TrackPenCall(*p.hand, GdipGetPenColor(p.hand->pen, &colour));
        if (p.hand->error == Ok)
            *p.hubColour = colour;
    }
    int r = p.g->hubRadius;
    GdipSetSolidFillColor(p.fill, *p.hubColour);
    GdipFillEllipseI(p.graphics, p.fill, p.originX - r, p.originY - r, 2 * r, 2 * r);
}

static void DrawHandsPass(const HandsPass& p)
{
    const ClockGeometry& g = *p.g;
    ClockPoint origin = {static_cast<double>(p.originX), static_cast<double>(p.originY)};

    Stroke(p, Along(p, g.hourStemLength, p.angles.hour), origin);
    Stroke(p, Along(p, g.hourTipOuterLength, p.angles.hour),
           Along(p, g.hourTipInnerLength, p.angles.hour));
    ClockPoint ring = Along(p, g.hourRingCentreLength, p.angles.hour);
    double ringRadius = g.hourRingRadius;
    GdipDrawEllipse(p.graphics, p.hand->pen, static_cast<REAL>(ring.x - ringRadius),
                    static_cast<REAL>(ring.y - ringRadius), static_cast<REAL>(2 * ringRadius),
                    static_cast<REAL>(2 * ringRadius));
    Stroke(p, Along(p, g.longHandLength, p.angles.minute), origin);

    TrackPenCall(*p.hand, GdipSetPenWidth(p.hand->pen, static_cast<REAL>(g.thinPenWidth)));
    Stroke(p, Along(p, g.longHandLength, p.angles.second), origin);
    Stroke(p, Along(p, g.counterweightInnerLength, p.angles.counterweight), origin);

    // The round start cap set here is never reset: every line of the next pass starts
    // round, while every line end stays flat.
    TrackPenCall(*p.hand, GdipSetPenWidth(p.hand->pen, static_cast<REAL>(g.widePenWidth)));
    TrackPenCall(*p.hand, GdipSetPenStartCap(p.hand->pen, LineCapRound));
    Stroke(p, Along(p, g.counterweightInnerLength, p.angles.counterweight),
           Along(p, g.counterweightOuterLength, p.angles.counterweight));

    DrawHub(p);
}

void DrawHandsLayer(HDC frameDC, const ClockGeometry& g, const SYSTEMTIME& now,
                    GpSolidFill* fill, GpGraphics** graphics, GpPen** pen)
{
    HandPen hand = {NULL, Ok};
    hand.error = GdipCreatePen1(kPenCreationColour, 1.0f, UnitWorld, &hand.pen);
    *pen = hand.pen;
    TrackPenCall(hand, GdipSetPenWidth(hand.pen, static_cast<REAL>(g.widePenWidth)));
    GdipCreateFromHDC(frameDC, graphics);
    GdipSetSmoothingMode(*graphics, SmoothingModeHighQuality);
    TrackPenCall(hand, GdipSetPenColor(hand.pen, kShadowColour));

    ARGB hubColour = kInitialHubColour;
    HandsPass pass = {*graphics, &hand, fill, &g,
                      ComputeHandAngles(now.wHour, now.wMinute, now.wSecond),
                      g.cx + kShadowOffset, g.cy + kShadowOffset, &hubColour};
    DrawHandsPass(pass);

    TrackPenCall(hand, GdipSetPenColor(hand.pen, kHandColour));
    pass.originX = g.cx;
    pass.originY = g.cy;
    DrawHandsPass(pass);

    int pin = g.pinRadius;
    GdipSetSolidFillColor(fill, kPinColour);
    GdipFillEllipseI(*graphics, fill, g.cx - pin, g.cy - pin, 2 * pin, 2 * pin);
}
