// A fitting as geometry in space: the pieces of sheet it is made of, each
// between two rings (its ends or its seams), with the fold lines across it,
// and the centre lines and anchors of its dimension and angle marks. The
// bottom of a fitting sits on the plane z = 0, centred on the z axis; x runs
// along its width and y along its depth. Nothing here draws.
#pragma once

#include <cmath>
#include <cstddef>
#include <functional>
#include <vector>

#include "pages/pictures/Fittings.h"

namespace vandrel::picturegen {

constexpr double kPi = 3.14159265358979323846;
constexpr double kTwoPi = 2 * kPi;

inline double radians(double degrees) { return degrees * kPi / 180.0; }
// A direction brought into [0, 2 pi).
double wrapAngle(double a);

struct Vec2 {
    double x = 0, y = 0;
};
struct Vec3 {
    double x = 0, y = 0, z = 0;
};
inline Vec3 operator+(Vec3 a, Vec3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
inline Vec3 operator-(Vec3 a, Vec3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
inline Vec3 operator*(Vec3 a, double k) { return {a.x * k, a.y * k, a.z * k}; }
inline double dot(Vec3 a, Vec3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
inline Vec3 cross(Vec3 a, Vec3 b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }
inline Vec3 unit(Vec3 a) {
    const double n = std::sqrt(dot(a, a));
    return n > 0 ? a * (1 / n) : a;
}

// A closed curve round an end or a seam of a piece: its point in the
// direction theta (radians, any value: it repeats every 2 pi).
using Ring = std::function<Vec3(double)>;

struct Fold {
    double a = 0, b = 0;  // directions on ring a and ring b
};

// One piece of sheet between two rings. An open ring is an edge of the
// sheet; the others are seams with the neighbouring piece.
struct Piece {
    Ring a, b;
    bool aOpen = false, bOpen = false;
    double bShift = 0;  // ring b's direction matching ring a's direction 0
    std::vector<Fold> folds;
};

struct Line3 {
    Vec3 from, to;
};

struct Model {
    std::vector<Piece> pieces;
    bool sortByDepth = true;  // pieces may hide one another: the farthest first
    std::vector<Line3> centreLines;
    // Dimension anchors: height between two points, width along a ring.
    bool hasHeight = false;
    Vec3 heightFrom, heightTo;
    Ring widthRing;
    // Angle mark: the level and tilted directions at a centre.
    bool hasAngle = false;
    Vec3 angleCentre, angleLevel, angleTilted;
    double angleRadius = 0;
};

Model buildModel(const Fitting& fitting);

// ------------------------------------------------------- sampled pieces

constexpr int kSamples = 240;  // points per ring

struct Sampled {
    std::vector<Vec3> a, b;  // kSamples points each, b matched to a
};

// The piece's two rings at kSamples evenly spaced directions, ring b's
// turned by the piece's bShift.
Sampled sample(const Piece& piece);

Vec3 centroid(const std::vector<Vec3>& points);

// Outward normal of the sheet at sample i (between samples i and i + 1);
// ca and cb are the centroids of the two rings.
Vec3 sheetNormal(const Sampled& s, std::size_t i, Vec3 ca, Vec3 cb);

}  // namespace vandrel::picturegen
