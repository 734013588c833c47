// The fittings the calculators unfold, each described by a few numbers:
// the words the picture table is written in. FittingModels.h makes a
// fitting into geometry and FittingDrawing.h draws it.
#pragma once

#include <cstdint>

namespace vandrel::picturegen {

// The cross-section of a fitting at one end: a circle (an ellipse when the
// depth differs from the width), a rectangle with optional rounded corners, a
// regular polygon, or the single point of an apex.
enum class Shape : std::uint8_t { Circle, Rect, Polygon, Apex };

struct Section {
    Shape shape = Shape::Circle;
    float w = 1;       // width along the section's own x axis (a circle's diameter)
    float d = 1;       // depth along its y axis
    float corner = 0;  // Rect: corner radius
    int sides = 0;     // Polygon: number of sides (its width is the corner-to-corner diameter)
    float turn = 0;    // rotation in its own plane, degrees
};

constexpr Section circle(float diameter) { return Section{Shape::Circle, diameter, diameter, 0, 0, 0}; }
constexpr Section ellipse(float w, float d) { return Section{Shape::Circle, w, d, 0, 0, 0}; }
constexpr Section rect(float w, float d, float corner = 0) { return Section{Shape::Rect, w, d, corner, 0, 0}; }
constexpr Section polygon(int sides, float diameter) {
    return Section{Shape::Polygon, diameter, diameter, 0, sides, 0};
}
constexpr Section apex() { return Section{Shape::Apex, 0, 0, 0, 0, 0}; }

enum class Kind : std::uint8_t {
    Loft,      // a sheet between a bottom and a top section: cones, pyramids, transitions
    Elbow,     // segmented bend of `pieces` pieces through `angle` degrees; `extra`: bend radius
    Branch,    // a horizontal main pipe with a branch at `angle` degrees; `extra`: branch diameter
    Breeches,  // one bottom section parting into `pieces` legs `extra` apart, tilted `angle` degrees
    Dome,      // a sphere zone from latitude `extra` up to `angle` degrees, `pieces` gores
};

// Drawing marks added to the fitting.
enum Mark : unsigned {
    kThick = 1u << 0,      // plate thickness: the rims drawn double
    kHeightDim = 1u << 1,  // a height dimension line on the right
    kWidthDim = 1u << 2,   // a width dimension line below
    kAngleMark = 1u << 3,  // an arc marking the angle of a tilted top
    kNoFolds = 1u << 4,    // the sheet without its fold lines
    kFlat = 1u << 5,       // no shading: a plain line drawing
};

struct Fitting {
    Kind kind = Kind::Loft;
    Section bottom = circle(1);
    Section top = circle(0.5f);
    float height = 1;
    float shiftX = 0, shiftY = 0;  // offset of the top centre (芯ｽﾞﾚ)
    float tilt = 0;                // Loft: tilt of the top plane about the depth axis, degrees (角度);
                                   // tilted() also marks the angle, leaned() does not
    float twist = 0;               // turn of the top section against the bottom, degrees (ひねり)
    float angle = 90;
    int pieces = 0;
    float extra = 0;
    float collarBottom = 0, collarTop = 0;  // straight spigots at the ends
    unsigned marks = 0;
    float azimuth = -30, elevation = 24;  // view, degrees
    unsigned tint = 0xDCE6F0;             // light colour of the sheet

    constexpr Fitting shift(float x, float y = 0) const {
        Fitting f = *this;
        f.shiftX = x;
        f.shiftY = y;
        return f;
    }
    constexpr Fitting tilted(float degrees) const {
        Fitting f = *this;
        f.tilt = degrees;
        f.marks |= kAngleMark;
        return f;
    }
    constexpr Fitting leaned(float degrees) const {
        Fitting f = *this;
        f.tilt = degrees;
        return f;
    }
    constexpr Fitting twisted(float degrees) const {
        Fitting f = *this;
        f.twist = degrees;
        return f;
    }
    constexpr Fitting collars(float below, float above) const {
        Fitting f = *this;
        f.collarBottom = below;
        f.collarTop = above;
        return f;
    }
    constexpr Fitting mark(unsigned m) const {
        Fitting f = *this;
        f.marks |= m;
        return f;
    }
    constexpr Fitting view(float az, float el) const {
        Fitting f = *this;
        f.azimuth = az;
        f.elevation = el;
        return f;
    }
    constexpr Fitting colour(unsigned rgb) const {
        Fitting f = *this;
        f.tint = rgb;
        return f;
    }
    constexpr Fitting topCorner(float r) const {
        Fitting f = *this;
        f.top.corner = r;
        return f;
    }
    constexpr Fitting bottomCorner(float r) const {
        Fitting f = *this;
        f.bottom.corner = r;
        return f;
    }
    constexpr Fitting reducingTo(Section end) const {
        Fitting f = *this;
        f.top = end;
        return f;
    }
    constexpr Fitting topTurn(float degrees) const {
        Fitting f = *this;
        f.top.turn = degrees;
        return f;
    }
    constexpr Fitting bottomTurn(float degrees) const {
        Fitting f = *this;
        f.bottom.turn = degrees;
        return f;
    }
};

// Tints of the sheet, one per family of fittings.
constexpr unsigned kRoundTint = 0xDCE6F0;   // cones and pipes
constexpr unsigned kSquareTint = 0xDDEBDD;  // pyramids and ducts
constexpr unsigned kChangeTint = 0xF0E8D4;  // transitions between shapes
constexpr unsigned kJointTint = 0xE8E0EE;   // branches, joints and domes

// ------------------------------------------------------------ the vocabulary

// A sheet between two sections, `height` apart.
constexpr Fitting loft(Section bottom, Section top, float height) {
    Fitting f;
    f.bottom = bottom;
    f.top = top;
    f.height = height;
    const bool bottomRound = bottom.shape == Shape::Circle;
    const bool topRound = top.shape == Shape::Circle || top.shape == Shape::Apex;
    f.tint = bottomRound && topRound                                  ? kRoundTint
             : !bottomRound && !topRound && bottom.shape == top.shape ? kSquareTint
                                                                      : kChangeTint;
    return f;
}
// 真円錐 / 円錐: a cone of base diameter d1 cut at diameter d2 (0: to its apex).
constexpr Fitting cone(float d1, float d2, float h) { return loft(circle(d1), d2 > 0 ? circle(d2) : apex(), h); }
// 角錐台: a truncated pyramid (top 0 x 0: to its apex).
constexpr Fitting pyramid(float w1, float d1, float w2, float d2, float h) {
    return loft(rect(w1, d1), w2 > 0 ? rect(w2, d2) : apex(), h);
}
// 角丸: square (rectangle) below, round above.
constexpr Fitting squareToRound(float w1, float d1, float d2, float h) { return loft(rect(w1, d1), circle(d2), h); }
// 丸角: round below, square (rectangle) above.
constexpr Fitting roundToSquare(float d1, float w2, float d2, float h) { return loft(circle(d1), rect(w2, d2), h); }
// 多角形: a truncated regular pyramid of n sides.
constexpr Fitting polygonal(int sides, float d1, float d2, float h) {
    return loft(polygon(sides, d1), d2 > 0 ? polygon(sides, d2) : apex(), h);
}
// A straight pipe.
constexpr Fitting cylinder(float d, float h) { return loft(circle(d), circle(d), h); }
// ｴﾙﾎﾞ: a segmented elbow of round (or any) section.
constexpr Fitting elbow(float degrees, int pieces, float bendRadius, Section section = circle(1)) {
    Fitting f;
    f.kind = Kind::Elbow;
    f.bottom = section;
    f.top = section;
    f.angle = degrees;
    f.pieces = pieces;
    f.extra = bendRadius;
    f.azimuth = -20;
    f.elevation = 20;
    f.tint = section.shape == Shape::Circle ? kRoundTint : kSquareTint;
    return f;
}
// 同径連結: two pipes of one diameter (0.6) joined at an angle, each `length` long.
constexpr Fitting joint(float degrees, float length) {
    return elbow(degrees, 2, 0, circle(0.6)).collars(length, length).colour(kJointTint);
}
// A branch of diameter d at the main's axis (d2 at its end: a cone branch)
// on a horizontal main pipe of section `main`, at `degrees` to the main's
// axis, reaching `length` from that axis. shift() moves the branch along the
// main (x) and off its axis (y).
constexpr Fitting branch(Section main, float d, float d2, float degrees, float length) {
    Fitting f;
    f.kind = Kind::Branch;
    f.bottom = main;
    f.top = circle(d2);
    f.extra = d;
    f.angle = degrees;
    f.height = length;
    f.tint = kJointTint;
    return f;
}
// ズボン: a bottom section parting into legs.
constexpr Fitting breeches(Section bottom, Section leg, int legs, float spread, float degrees, float h) {
    Fitting f;
    f.kind = Kind::Breeches;
    f.bottom = bottom;
    f.top = leg;
    f.pieces = legs;
    f.extra = spread;
    f.angle = degrees;
    f.height = h;
    f.tint = kJointTint;
    return f;
}
// 球 / 鏡板: a zone of a sphere of diameter d from latitude `from` to `to`.
constexpr Fitting dome(float d, float from, float to, int gores) {
    Fitting f;
    f.kind = Kind::Dome;
    f.bottom = circle(d);
    f.top = circle(d);
    f.extra = from;
    f.angle = to;
    f.pieces = gores;
    f.azimuth = -25;
    f.elevation = 28;
    f.tint = kJointTint;
    return f;
}

}  // namespace vandrel::picturegen
