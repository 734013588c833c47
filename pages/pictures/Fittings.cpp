#include "pages/pictures/Fittings.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <utility>
#include <vector>

#include "pages/pictures/Canvas.h"

namespace vandrel::picturegen {
namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kTwoPi = 2 * kPi;
constexpr int kSamples = 240;      // points per ring
constexpr int kRoundFolds = 12;    // fold lines of a round-to-round sheet

double rad(double degrees) { return degrees * kPi / 180.0; }

struct Vec2 {
    double x = 0, y = 0;
};
struct Vec3 {
    double x = 0, y = 0, z = 0;
};
Vec3 operator+(Vec3 a, Vec3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
Vec3 operator-(Vec3 a, Vec3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
Vec3 operator*(Vec3 a, double k) { return {a.x * k, a.y * k, a.z * k}; }
double dot(Vec3 a, Vec3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
Vec3 cross(Vec3 a, Vec3 b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }
Vec3 unit(Vec3 a) {
    const double n = std::sqrt(dot(a, a));
    return n > 0 ? a * (1 / n) : a;
}

// ----------------------------------------------------------------- sections

// Point of the section's outline in the direction theta (radians) from its
// centre, in the section's plane.
Vec2 outlinePoint(const Section& s, double theta) {
    const double turn = rad(s.turn);
    const double t = theta - turn;
    const double cx = std::cos(t), cy = std::sin(t);
    double r = 0;
    switch (s.shape) {
        case Shape::Apex:
            return {};
        case Shape::Circle: {
            const double a = s.w / 2, b = s.d / 2;
            r = a * b / std::sqrt((b * cx) * (b * cx) + (a * cy) * (a * cy));
            break;
        }
        case Shape::Rect: {
            const double a = s.w / 2, b = s.d / 2;
            const double c = std::clamp<double>(s.corner, 0, std::min(a, b));
            const double ax = std::abs(cx), ay = std::abs(cy);
            if (ax > 1e-12 && (a / ax) * ay <= b - c) {
                r = a / ax;
            } else if (ay > 1e-12 && (b / ay) * ax <= a - c) {
                r = b / ay;
            } else {
                const double px = a - c, py = b - c;
                const double along = ax * px + ay * py;
                r = along + std::sqrt(std::max(0.0, along * along - (px * px + py * py) + c * c));
            }
            break;
        }
        case Shape::Polygon: {
            const int n = std::max(3, s.sides);
            const double step = kTwoPi / n;
            const double offset = -kPi / 2 - step / 2;  // a side faces the front
            double rel = std::fmod(t - offset, kTwoPi);
            if (rel < 0) rel += kTwoPi;
            const double k = std::floor(rel / step);
            const double sideCentre = offset + (k + 0.5) * step;
            const double apothem = s.w / 2 * std::cos(step / 2);
            r = apothem / std::cos(t - sideCentre);
            break;
        }
    }
    const double x = r * cx, y = r * cy;
    return {x * std::cos(turn) - y * std::sin(turn), x * std::sin(turn) + y * std::cos(turn)};
}

double wrap(double a) {
    a = std::fmod(a, kTwoPi);
    return a < 0 ? a + kTwoPi : a;
}

// The corners of a section, in order of direction: for each, the directions
// of its sharp point, or of the start, middle and end of its rounding.
// Round sections have none.
std::vector<std::vector<double>> cornersOf(const Section& s) {
    std::vector<std::vector<double>> corners;
    const double turn = rad(s.turn);
    if (s.shape == Shape::Rect) {
        const double a = s.w / 2, b = s.d / 2;
        const double c = std::clamp<double>(s.corner, 0, std::min(a, b));
        const std::array<std::pair<int, int>, 4> quadrants{{{1, 1}, {-1, 1}, {-1, -1}, {1, -1}}};
        for (auto [sx, sy] : quadrants) {
            std::vector<Vec2> points;
            if (c <= 1e-6) {
                points = {{a, b}};
            } else {
                const double m = c * (1 - std::sqrt(0.5));
                points = {{a, b - c}, {a - m, b - m}, {a - c, b}};
            }
            std::vector<double> dirs;
            for (Vec2 p : points) dirs.push_back(wrap(std::atan2(sy * p.y, sx * p.x) + turn));
            // Keep each corner's directions in the order of increasing angle.
            if (sx * sy < 0) std::reverse(dirs.begin(), dirs.end());
            corners.push_back(dirs);
        }
    } else if (s.shape == Shape::Polygon) {
        const int n = std::max(3, s.sides);
        const double step = kTwoPi / n;
        const double offset = -kPi / 2 - step / 2;
        for (int k = 0; k < n; ++k) corners.push_back({wrap(offset + k * step + turn)});
    }
    std::sort(corners.begin(), corners.end(), [](const auto& p, const auto& q) { return p.front() < q.front(); });
    return corners;
}

// Directions of the middles of the sides between consecutive corners.
std::vector<double> sideMiddles(const std::vector<std::vector<double>>& corners) {
    std::vector<double> mids;
    for (std::size_t k = 0; k < corners.size(); ++k) {
        const double from = corners[k].back();
        double to = corners[(k + 1) % corners.size()].front();
        if (to <= from) to += kTwoPi;
        mids.push_back(wrap((from + to) / 2));
    }
    return mids;
}

// ------------------------------------------------------------------- model

using Ring = std::function<Vec3(double)>;

// A plane in space: origin and two unit axes.
struct Frame {
    Vec3 origin;
    Vec3 u{1, 0, 0};
    Vec3 v{0, 1, 0};
    Vec3 normal() const { return cross(u, v); }
};

Ring planarRing(const Section& s, const Frame& f) {
    return [s, f](double theta) {
        const Vec2 p = outlinePoint(s, theta);
        return f.origin + f.u * p.x + f.v * p.y;
    };
}

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
    bool sortByDepth = true;
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

std::vector<Fold> uniformFolds(int count, double shift = 0) {
    std::vector<Fold> folds;
    for (int i = 0; i < count; ++i) {
        const double t = kTwoPi * (i + 0.25) / count;
        folds.push_back({t, t + shift});
    }
    return folds;
}

// Fold lines between a cornered section and a round one: each corner fans
// out to the stretch of the round section between the middles of its sides.
std::vector<Fold> fanFolds(const std::vector<std::vector<double>>& corners, bool cornersOnA) {
    std::vector<Fold> folds;
    const std::vector<double> mids = sideMiddles(corners);
    const std::size_t n = corners.size();
    for (std::size_t k = 0; k < n; ++k) {
        const double from = mids[(k + n - 1) % n];
        double to = mids[k];
        if (to <= from) to += kTwoPi;
        const std::vector<double>& features = corners[k];
        constexpr int kSteps = 4;
        for (int j = 0; j <= kSteps; ++j) {
            const double round = from + (to - from) * j / kSteps;
            const std::size_t f = static_cast<std::size_t>(std::lround(double(j) * (features.size() - 1) / kSteps));
            folds.push_back(cornersOnA ? Fold{features[f], round} : Fold{round, features[f]});
        }
    }
    return folds;
}

std::vector<Fold> loftFolds(const Section& a, const Section& b, double shift) {
    const auto ca = cornersOf(a), cb = cornersOf(b);
    if (b.shape == Shape::Apex || a.shape == Shape::Apex) {
        const auto& corners = b.shape == Shape::Apex ? ca : cb;
        if (corners.empty()) return uniformFolds(kRoundFolds);
        std::vector<Fold> folds;
        for (const auto& corner : corners) {
            for (double t : corner) folds.push_back({t, t});
        }
        return folds;
    }
    if (ca.empty() && cb.empty()) return uniformFolds(kRoundFolds, shift);
    if (cb.empty()) return fanFolds(ca, true);
    if (ca.empty()) return fanFolds(cb, false);
    if (ca.size() != cb.size()) return uniformFolds(kRoundFolds, shift);
    // Same number of corners: pair them, the top's turned with the twist.
    std::size_t first = 0;
    double best = 1e9;
    for (std::size_t k = 0; k < cb.size(); ++k) {
        const double d = std::abs(std::remainder(cb[k].front() - ca[0].front() - shift, kTwoPi));
        if (d < best) {
            best = d;
            first = k;
        }
    }
    std::vector<Fold> folds;
    for (std::size_t k = 0; k < ca.size(); ++k) {
        const auto& fa = ca[k];
        const auto& fb = cb[(k + first) % cb.size()];
        const std::size_t m = std::max(fa.size(), fb.size());
        for (std::size_t j = 0; j < m; ++j) {
            const std::size_t ia = m == 1 ? 0 : j * (fa.size() - 1) / (m - 1);
            const std::size_t ib = m == 1 ? 0 : j * (fb.size() - 1) / (m - 1);
            folds.push_back({fa[ia], fb[ib]});
        }
    }
    return folds;
}

std::vector<Fold> straightFolds(const Section& s) {
    const auto corners = cornersOf(s);
    if (corners.empty()) return uniformFolds(8);
    std::vector<Fold> folds;
    for (const auto& corner : corners) {
        for (double t : corner) folds.push_back({t, t});
    }
    return folds;
}

// ------------------------------------------------------------- the kinds

Model buildLoft(const Fitting& f) {
    Model m;
    const Section bottom = f.bottom;
    Section top = f.top;
    top.turn += f.twist;
    const double t = rad(f.tilt);
    Frame base;
    Frame upper;
    upper.origin = {f.shiftX, f.shiftY, f.height};
    upper.u = {std::cos(t), 0, std::sin(t)};
    const Ring a = planarRing(bottom, base);
    const Ring b = planarRing(top, upper);
    if (f.collarBottom > 0) {
        Frame low = base;
        low.origin.z = -f.collarBottom;
        m.pieces.push_back(Piece{planarRing(bottom, low), a, true, false, 0, straightFolds(bottom)});
    }
    Piece body{a, b, f.collarBottom <= 0, f.collarTop <= 0, rad(f.twist), loftFolds(bottom, top, rad(f.twist))};
    if (f.marks & kNoFolds) body.folds.clear();
    m.pieces.push_back(body);
    if (f.collarTop > 0 && top.shape != Shape::Apex) {
        Frame high = upper;
        high.origin = upper.origin + upper.normal() * f.collarTop;
        m.pieces.push_back(Piece{b, planarRing(top, high), false, true, 0, straightFolds(top)});
    }
    m.sortByDepth = false;
    if (f.shiftX != 0 || f.shiftY != 0) {
        const double reach = f.height * 0.18 + 0.05;
        m.centreLines.push_back({{0, 0, -reach}, {0, 0, f.height + reach}});
        m.centreLines.push_back({upper.origin - upper.normal() * (f.height + reach), upper.origin + upper.normal() * reach});
    }
    m.hasHeight = true;
    m.heightFrom = {0, 0, -std::max(0.0f, f.collarBottom)};
    m.heightTo = {0, 0, f.height};
    m.widthRing = a;
    if (f.tilt != 0) {
        m.hasAngle = true;
        m.angleCentre = upper.origin;
        m.angleLevel = {1, 0, 0};
        m.angleTilted = upper.u;
        m.angleRadius = std::max(top.w, 0.3f) * 0.5 + 0.12;
    }
    return m;
}

Model buildElbow(const Fitting& f) {
    Model m;
    const int n = std::max(2, f.pieces);
    const double total = rad(f.angle);
    const double step = total / (n - 1);
    const double endLength = f.extra * std::tan(step / 2);
    std::vector<Vec3> dirs, sides;
    for (int j = 0; j < n; ++j) {
        const double psi = j * step;
        dirs.push_back({std::sin(psi), 0, std::cos(psi)});
        sides.push_back({std::cos(psi), 0, -std::sin(psi)});
    }
    // The section at a joint: sizes run from the bottom's to the top's, and
    // a twist turns it a little further at each joint.
    auto sectionAt = [&](int joint) {
        const double fraction = double(joint) / n;
        Section s = f.bottom;
        s.w = static_cast<float>(f.bottom.w + (f.top.w - f.bottom.w) * fraction);
        s.d = static_cast<float>(f.bottom.d + (f.top.d - f.bottom.d) * fraction);
        s.corner = static_cast<float>(f.bottom.corner + (f.top.corner - f.bottom.corner) * fraction);
        s.turn = static_cast<float>(f.bottom.turn + f.twist * fraction);
        return s;
    };
    // Ring where piece j meets piece j + 1, on the plane halving their angle.
    auto seam = [&](Vec3 at, int j) -> Ring {
        const Vec3 d = dirs[j], e1 = sides[j], e2{0, 1, 0};
        const Vec3 normal = unit(dirs[j] + dirs[j + 1]);
        const Section s = sectionAt(j + 1);
        return [=](double theta) {
            const Vec2 p = outlinePoint(s, theta);
            const Vec3 o = e1 * p.x + e2 * p.y;
            return at + o + d * (-dot(o, normal) / dot(d, normal));
        };
    };
    auto square = [&](Vec3 at, int piece, int joint) -> Ring {
        Frame fr;
        fr.origin = at;
        fr.u = sides[piece];
        fr.v = {0, 1, 0};
        return planarRing(sectionAt(joint), fr);
    };
    Vec3 at{0, 0, 0};
    Ring previous = square(at, 0, 0);
    for (int j = 0; j < n; ++j) {
        double length = (j == 0 || j == n - 1) ? endLength : 2 * endLength;
        if (j == 0) length += f.collarBottom;
        if (j == n - 1) length += f.collarTop;
        at = at + dirs[j] * length;
        Ring next = j == n - 1 ? square(at, j, n) : seam(at, j);
        Piece piece{previous, next, j == 0, j == n - 1, 0, loftFolds(sectionAt(j), sectionAt(j + 1), 0)};
        if (f.bottom.shape == Shape::Circle) piece.folds = uniformFolds(8);
        if (f.marks & kNoFolds) piece.folds.clear();
        m.pieces.push_back(piece);
        previous = next;
    }
    m.widthRing = m.pieces.front().a;
    return m;
}

Model buildBranch(const Fitting& f) {
    Model m;
    const Section main = f.bottom;
    const double mainSize = std::max(main.w, main.d);
    const double length = std::max(2.4 * mainSize, 1.6 * (f.extra + std::abs(f.shiftX)) + mainSize);
    Frame left, right;
    left.origin = {-length / 2, 0, 0};
    left.u = {0, 1, 0};
    left.v = {0, 0, 1};
    right = left;
    right.origin.x = length / 2;
    m.pieces.push_back(Piece{planarRing(main, left), planarRing(main, right), true, true, 0, straightFolds(main)});

    const double alpha = rad(f.angle);
    const Vec3 dir{std::cos(alpha), 0, std::sin(alpha)};
    Frame foot;
    foot.origin = {f.shiftX, f.shiftY, 0};
    foot.u = {std::sin(alpha), 0, -std::cos(alpha)};
    Frame end = foot;
    end.origin = foot.origin + dir * f.height;
    const Ring base = planarRing(circle(f.extra), foot);
    const Ring top = planarRing(f.top, end);
    // Where each line of the branch leaves the main: the last point, going
    // out along the line, that still lies inside the main's section.
    auto inside = [main](Vec3 p) {
        const double r = std::hypot(p.y, p.z);
        if (r < 1e-9) return true;
        const Vec2 edge = outlinePoint(main, std::atan2(p.z, p.y));
        return r < std::hypot(edge.x, edge.y);
    };
    const Ring meet = [=](double theta) {
        const Vec3 from = base(theta), to = top(theta);
        double lo = 0, hi = 1;
        for (int i = 0; i < 40; ++i) {
            const double mid = (lo + hi) / 2;
            (inside(from + (to - from) * mid) ? lo : hi) = mid;
        }
        return from + (to - from) * lo;
    };
    Piece branchPiece{meet, top, false, true, 0, uniformFolds(8)};
    if (f.marks & kNoFolds) branchPiece.folds.clear();
    m.pieces.push_back(branchPiece);
    m.sortByDepth = false;
    m.widthRing = m.pieces.front().a;
    return m;
}

Model buildBreeches(const Fitting& f) {
    Model m;
    const int legs = std::max(2, f.pieces);
    const double tilt = rad(f.angle);
    Frame base;
    const Ring bottom = planarRing(f.bottom, base);
    if (f.collarBottom > 0) {
        Frame low = base;
        low.origin.z = -f.collarBottom;
        m.pieces.push_back(Piece{planarRing(f.bottom, low), bottom, true, false, 0, straightFolds(f.bottom)});
    }
    for (int k = 0; k < legs; ++k) {
        // Two legs part left and right; more spread round the axis.
        const double around = legs == 2 ? kPi * k : kPi / 2 + kTwoPi * k / legs;
        const Vec3 out{std::cos(around), std::sin(around), 0};
        Frame top;
        top.origin = out * (f.extra / 2) + Vec3{0, 0, f.height};
        // Each leg leans outwards: its top plane dips towards the outside.
        top.u = out * std::cos(tilt) - Vec3{0, 0, 1} * std::sin(tilt);
        top.v = {-out.y, out.x, 0};
        // The leg starts from its own share of the bottom: the sector round
        // its direction, closed by the lines where the legs part.
        const double half = kPi / legs;
        const Ring share = [bottom, around, half](double theta) {
            const Vec3 p = bottom(theta);
            const double off = std::remainder(std::atan2(p.y, p.x) - around, kTwoPi);
            if (std::abs(off) <= half) return p;
            const double edge = around + (off > 0 ? half : -half);
            const Vec3 ray{std::cos(edge), std::sin(edge), 0};
            return ray * std::max(0.0, dot(p, ray)) + Vec3{0, 0, p.z};
        };
        const Section leg = f.top;
        Piece piece{share, planarRing(leg, top), f.collarBottom <= 0, f.collarTop <= 0, 0,
                    loftFolds(f.bottom, leg, 0)};
        if (f.marks & kNoFolds) piece.folds.clear();
        m.pieces.push_back(piece);
        if (f.collarTop > 0) {
            Frame high = top;
            high.origin = top.origin + top.normal() * f.collarTop;
            m.pieces.push_back(Piece{planarRing(leg, top), planarRing(leg, high), false, true, 0, straightFolds(leg)});
        }
    }
    m.widthRing = bottom;
    return m;
}

Model buildDome(const Fitting& f) {
    Model m;
    const double r = f.bottom.w / 2;
    const double from = std::max(-90.0, double(f.extra)), to = std::min(90.0, double(f.angle));
    const int zones = std::max(2, static_cast<int>(std::lround((to - from) / 22.5)));
    auto ring = [&](double latitude) -> Ring {
        const double c = std::cos(rad(latitude));
        if (c < 1e-6) {
            const Vec3 pole{0, 0, r * std::sin(rad(latitude))};
            return [pole](double) { return pole; };
        }
        Frame fr;
        fr.origin = {0, 0, r * std::sin(rad(latitude))};
        return planarRing(circle(static_cast<float>(2 * r * c)), fr);
    };
    if (f.collarBottom > 0) {
        Frame low;
        low.origin = {0, 0, r * std::sin(rad(from)) - f.collarBottom};
        const Section rim = circle(static_cast<float>(2 * r * std::cos(rad(from))));
        m.pieces.push_back(Piece{planarRing(rim, low), ring(from), true, false, 0, uniformFolds(std::max(4, f.pieces))});
    }
    for (int k = 0; k < zones; ++k) {
        const double lo = from + (to - from) * k / zones, hi = from + (to - from) * (k + 1) / zones;
        Piece piece{ring(lo), ring(hi), k == 0 && f.collarBottom <= 0 && from > -90, k == zones - 1 && to < 90, 0,
                    uniformFolds(std::max(4, f.pieces))};
        if (f.marks & kNoFolds) piece.folds.clear();
        m.pieces.push_back(piece);
    }
    m.widthRing = ring(std::max(from, 0.0));
    return m;
}

Model build(const Fitting& f) {
    switch (f.kind) {
        case Kind::Loft: return buildLoft(f);
        case Kind::Elbow: return buildElbow(f);
        case Kind::Branch: return buildBranch(f);
        case Kind::Breeches: return buildBreeches(f);
        case Kind::Dome: return buildDome(f);
    }
    return {};
}

// ---------------------------------------------------------------- drawing

struct View {
    Vec3 eu, ev, ed;  // screen right, screen up, toward the viewer
    double scale = 1, cx = 0, cy = 0;

    View(double azimuth, double elevation) {
        const double a = rad(azimuth), e = rad(elevation);
        eu = {std::cos(a), -std::sin(a), 0};
        ev = {std::sin(e) * std::sin(a), std::sin(e) * std::cos(a), std::cos(e)};
        ed = {-std::cos(e) * std::sin(a), -std::cos(e) * std::cos(a), std::sin(e)};
    }
    Vec2 raw(Vec3 p) const { return {dot(p, eu), -dot(p, ev)}; }
    Vec2 operator()(Vec3 p) const {
        const Vec2 r = raw(p);
        return {cx + r.x * scale, cy + r.y * scale};
    }
    double depth(Vec3 p) const { return dot(p, ed); }
};

struct Sampled {
    std::vector<Vec3> a, b;  // kSamples points each, b matched to a
};

Sampled sample(const Piece& piece) {
    Sampled s;
    for (int i = 0; i < kSamples; ++i) {
        const double t = kTwoPi * i / kSamples;
        s.a.push_back(piece.a(t));
        s.b.push_back(piece.b(t + piece.bShift));
    }
    return s;
}

Vec3 centroid(const std::vector<Vec3>& points) {
    Vec3 c;
    for (Vec3 p : points) c = c + p;
    return c * (1.0 / points.size());
}

std::vector<Vec2> hull(std::vector<Vec2> p) {
    std::sort(p.begin(), p.end(), [](Vec2 a, Vec2 b) { return a.x < b.x || (a.x == b.x && a.y < b.y); });
    auto turn = [](Vec2 o, Vec2 a, Vec2 b) { return (a.x - o.x) * (b.y - o.y) - (a.y - o.y) * (b.x - o.x); };
    std::vector<Vec2> h(2 * p.size());
    std::size_t k = 0;
    for (std::size_t i = 0; i < p.size(); ++i) {
        while (k >= 2 && turn(h[k - 2], h[k - 1], p[i]) <= 0) --k;
        h[k++] = p[i];
    }
    for (std::size_t i = p.size() - 1, t = k + 1; i > 0; --i) {
        while (k >= t && turn(h[k - 2], h[k - 1], p[i - 1]) <= 0) --k;
        h[k++] = p[i - 1];
    }
    h.resize(k > 0 ? k - 1 : 0);
    return h;
}

void polygonPath(cairo_t* cr, const std::vector<Vec2>& points) {
    cairo_new_path(cr);
    for (std::size_t i = 0; i < points.size(); ++i) {
        if (i == 0) cairo_move_to(cr, points[i].x, points[i].y);
        else cairo_line_to(cr, points[i].x, points[i].y);
    }
    cairo_close_path(cr);
}

Colour mix(unsigned rgb, double k) {
    const Colour c = hex(rgb);
    auto f = [k](double v) { return std::clamp(k >= 1 ? v + (1 - v) * (k - 1) : v * k, 0.0, 1.0); };
    return Colour{f(c.r), f(c.g), f(c.b), 1};
}

const Colour kInk = hex(0x1E2B3A);
const Colour kFoldInk = hex(0x6A7C92);
const Colour kHiddenInk = hex(0x8C99A8);
const Colour kCentreInk = hex(0xD02828);
const Colour kDimensionInk = hex(0x2050C0);

struct Pen {
    Colour colour;
    double width;
    std::vector<double> dashes;
};
const Pen kOutlinePen{kInk, 1.0, {}};
const Pen kEdgePen{kInk, 0.8, {}};
const Pen kFoldPen{kFoldInk, 0.5, {}};
const Pen kHiddenPen{kHiddenInk, 0.5, {1.6, 1.2}};
const Pen kCentrePen{kCentreInk, 0.5, {3.0, 1.0, 0.8, 1.0}};
const Pen kDimensionPen{kDimensionInk, 0.5, {}};

void stroke(cairo_t* cr, const Pen& pen) {
    setColour(cr, pen.colour);
    cairo_set_line_width(cr, pen.width);
    cairo_set_dash(cr, pen.dashes.data(), static_cast<int>(pen.dashes.size()), 0);
    cairo_stroke(cr);
}

void line(cairo_t* cr, Vec2 a, Vec2 b, const Pen& pen) {
    cairo_new_path(cr);
    cairo_move_to(cr, a.x, a.y);
    cairo_line_to(cr, b.x, b.y);
    stroke(cr, pen);
}

// Outward normal of the sheet at sample i (between samples i and i + 1).
Vec3 sheetNormal(const Sampled& s, std::size_t i, Vec3 ca, Vec3 cb) {
    const std::size_t j = (i + 1) % s.a.size();
    Vec3 along = s.a[j] - s.a[i];
    if (dot(along, along) < 1e-12) along = s.b[j] - s.b[i];
    Vec3 across = (s.b[i] - s.a[i]) + (s.b[j] - s.a[j]);
    Vec3 n = cross(along, across);
    const Vec3 out = (s.a[i] - ca) + (s.b[i] - cb);
    if (dot(n, out) < 0) n = n * -1;
    return unit(n);
}

// Draws a ring's visible stretches with one pen and, when hidden is given,
// its hidden stretches with the other.
void drawRing(cairo_t* cr, const View& view, const std::vector<Vec3>& ring, const std::vector<bool>& visible,
              const Pen& pen, const Pen* hidden) {
    const std::size_t n = ring.size();
    for (int pass = 0; pass < 2; ++pass) {
        const bool wantVisible = pass == 0;
        if (!wantVisible && hidden == nullptr) continue;
        cairo_new_path(cr);
        bool drawing = false;
        for (std::size_t i = 0; i <= n; ++i) {
            const std::size_t k = i % n;
            const bool on = visible[k] == wantVisible;
            const Vec2 p = view(ring[k]);
            if (on && !drawing) {
                const Vec2 q = view(ring[(k + n - 1) % n]);
                cairo_move_to(cr, (p.x + q.x) / 2, (p.y + q.y) / 2);
                cairo_line_to(cr, p.x, p.y);
                drawing = true;
            } else if (on) {
                cairo_line_to(cr, p.x, p.y);
            } else if (drawing) {
                cairo_line_to(cr, p.x, p.y);
                drawing = false;
            }
        }
        stroke(cr, wantVisible ? pen : *hidden);
    }
}

bool ringFacesViewer(const View& view, const std::vector<Vec3>& ring, Vec3 other) {
    // Newell's normal of the ring, turned away from the rest of the piece.
    Vec3 n;
    for (std::size_t i = 0; i < ring.size(); ++i) {
        const Vec3 p = ring[i], q = ring[(i + 1) % ring.size()];
        n = n + Vec3{(p.y - q.y) * (p.z + q.z), (p.z - q.z) * (p.x + q.x), (p.x - q.x) * (p.y + q.y)};
    }
    if (dot(n, n) < 1e-12) return false;
    if (dot(n, centroid(ring) - other) < 0) n = n * -1;
    return dot(n, view.ed) > 0;
}

void drawPiece(cairo_t* cr, const View& view, const Piece& piece, const Fitting& f) {
    const Sampled s = sample(piece);
    const Vec3 ca = centroid(s.a), cb = centroid(s.b);
    const std::size_t n = s.a.size();
    const bool flat = (f.marks & kFlat) != 0;

    std::vector<Vec2> outline;
    for (std::size_t i = 0; i < n; ++i) {
        outline.push_back(view(s.a[i]));
        outline.push_back(view(s.b[i]));
    }
    outline = hull(outline);
    polygonPath(cr, outline);
    setColour(cr, flat ? hex(0xFFFFFF) : mix(f.tint, 0.9));
    cairo_fill(cr);

    // Which stretches of the sheet face the viewer, and their shading.
    std::vector<bool> front(n);
    const Vec3 light = unit(Vec3{-0.5, -0.8, 0.6});
    for (std::size_t i = 0; i < n; ++i) {
        const Vec3 normal = sheetNormal(s, i, ca, cb);
        front[i] = dot(normal, view.ed) > 0;
        if (!front[i] || flat) continue;
        const std::size_t j = (i + 1) % n;
        const double lit = std::max(0.0, dot(normal, light));
        polygonPath(cr, {view(s.a[i]), view(s.a[j]), view(s.b[j]), view(s.b[i])});
        const Colour shade = mix(f.tint, 0.84 + 0.36 * lit);
        setColour(cr, shade);
        cairo_fill_preserve(cr);
        cairo_set_line_width(cr, 0.35);
        cairo_set_dash(cr, nullptr, 0, 0);
        cairo_stroke(cr);
    }
    // A point of a ring shows when the sheet on either side of it does.
    std::vector<bool> seen(n);
    for (std::size_t i = 0; i < n; ++i) seen[i] = front[i] || front[(i + n - 1) % n];

    // Open ends turned to the viewer show the inside of the sheet.
    struct End {
        const std::vector<Vec3>* ring;
        bool open;
        Vec3 other;
    };
    const std::array<End, 2> ends{{{&s.a, piece.aOpen, cb}, {&s.b, piece.bOpen, ca}}};
    std::array<bool, 2> facing{};
    for (std::size_t e = 0; e < 2; ++e) {
        facing[e] = ends[e].open && ringFacesViewer(view, *ends[e].ring, ends[e].other);
        if (!facing[e]) continue;
        std::vector<Vec2> inner;
        for (const Vec3& p : *ends[e].ring) inner.push_back(view(p));
        polygonPath(cr, inner);
        setColour(cr, flat ? hex(0xF0F0F0) : mix(f.tint, 0.68));
        cairo_fill(cr);
    }

    for (const Fold& fold : piece.folds) {
        const Vec3 pa = piece.a(fold.a), pb = piece.b(fold.b);
        const std::size_t i = static_cast<std::size_t>(std::lround(wrap(fold.a) / kTwoPi * n)) % n;
        const Vec3 pa2 = piece.a(fold.a + 0.02), pb2 = piece.b(fold.b + 0.02);
        Vec3 along = pa2 - pa;
        if (dot(along, along) < 1e-12) along = pb2 - pb;
        Vec3 normal = cross(along, pb - pa);
        if (dot(normal, (pa - ca) + (pb - cb)) < 0) normal = normal * -1;
        // Where the sheet has no direction of its own (a collapsed stretch),
        // the sampled sheet beside it decides.
        const bool shown = dot(normal, normal) < 1e-12 ? front[i] : dot(normal, view.ed) > 0;
        if (!shown) continue;
        line(cr, view(pa), view(pb), kFoldPen);
    }

    for (std::size_t e = 0; e < 2; ++e) {
        const std::vector<Vec3>& ring = *ends[e].ring;
        if (facing[e]) {
            drawRing(cr, view, ring, std::vector<bool>(n, true), kEdgePen, nullptr);
            if (f.marks & kThick) {
                std::vector<Vec3> inner;
                const Vec3 c = centroid(ring);
                for (const Vec3& p : ring) {
                    const Vec3 d = p - c;
                    const double len = std::sqrt(dot(d, d));
                    inner.push_back(len > 1e-9 ? c + d * ((len - 0.05) / len) : p);
                }
                drawRing(cr, view, inner, std::vector<bool>(n, true), kFoldPen, nullptr);
            }
        } else {
            drawRing(cr, view, ring, seen, kEdgePen, ends[e].open ? &kHiddenPen : nullptr);
        }
    }
    polygonPath(cr, outline);
    stroke(cr, kOutlinePen);
    if (f.marks & kThick) {
        // The plate's thickness along the outline: a second, finer line.
        cairo_save(cr);
        polygonPath(cr, outline);
        cairo_clip(cr);
        polygonPath(cr, outline);
        setColour(cr, kInk);
        cairo_set_line_width(cr, 2.6);
        cairo_stroke(cr);
        polygonPath(cr, outline);
        setColour(cr, mix(f.tint, 0.95));
        cairo_set_line_width(cr, 1.4);
        cairo_stroke(cr);
        cairo_restore(cr);
        polygonPath(cr, outline);
        stroke(cr, kOutlinePen);
    }
}

// The angle mark of a tilted top: its level line (the first two points),
// then the arc from the level to the tilted direction.
std::vector<Vec3> angleMarkPoints(const Model& model) {
    const double r = model.angleRadius;
    const Vec3 c = model.angleCentre, up{0, 0, 1};
    std::vector<Vec3> points{c, c + model.angleLevel * (r * 1.25)};
    const double sweep = std::atan2(dot(model.angleTilted, up), dot(model.angleTilted, model.angleLevel));
    for (int i = 0; i <= 12; ++i) {
        const double a = sweep * i / 12;
        points.push_back(c + model.angleLevel * (r * std::cos(a)) + up * (r * std::sin(a)));
    }
    return points;
}

void arrowHead(cairo_t* cr, Vec2 tip, Vec2 from) {
    const double dx = tip.x - from.x, dy = tip.y - from.y;
    const double len = std::hypot(dx, dy);
    if (len < 1e-9) return;
    const double ux = dx / len, uy = dy / len;
    cairo_new_path(cr);
    cairo_move_to(cr, tip.x, tip.y);
    cairo_line_to(cr, tip.x - ux * 3 - uy * 1.2, tip.y - uy * 3 + ux * 1.2);
    cairo_line_to(cr, tip.x - ux * 3 + uy * 1.2, tip.y - uy * 3 - ux * 1.2);
    cairo_close_path(cr);
    setColour(cr, kDimensionInk);
    cairo_fill(cr);
}

void dimension(cairo_t* cr, Vec2 a, Vec2 b) {
    line(cr, a, b, kDimensionPen);
    arrowHead(cr, a, b);
    arrowHead(cr, b, a);
}

}  // namespace

void drawFitting(cairo_t* cr, const Fitting& f, const Box& box) {
    const Model model = build(f);
    View view(f.azimuth, f.elevation);

    // Fit everything drawn into the box, leaving room for dimensions.
    double minX = 1e9, maxX = -1e9, minY = 1e9, maxY = -1e9;
    auto extend = [&](Vec3 p) {
        const Vec2 q = view.raw(p);
        minX = std::min(minX, q.x);
        maxX = std::max(maxX, q.x);
        minY = std::min(minY, q.y);
        maxY = std::max(maxY, q.y);
    };
    std::vector<Sampled> samples;
    for (const Piece& piece : model.pieces) {
        samples.push_back(sample(piece));
        for (const Vec3& p : samples.back().a) extend(p);
        for (const Vec3& p : samples.back().b) extend(p);
    }
    for (const Line3& l : model.centreLines) {
        extend(l.from);
        extend(l.to);
    }
    const bool angleMark = model.hasAngle && (f.marks & kAngleMark);
    if (angleMark) {
        for (const Vec3& p : angleMarkPoints(model)) extend(p);
    }
    const double rightRoom = (f.marks & kHeightDim) ? 6 : 0;
    const double bottomRoom = (f.marks & kWidthDim) ? 5 : 0;
    const double margin = 1.5;
    const double w = std::max(1e-6, maxX - minX), h = std::max(1e-6, maxY - minY);
    view.scale = std::min((box.w - 2 * margin - rightRoom) / w, (box.h - 2 * margin - bottomRoom) / h);
    view.cx = box.x + margin + (box.w - 2 * margin - rightRoom - w * view.scale) / 2 - minX * view.scale;
    view.cy = box.y + margin + (box.h - 2 * margin - bottomRoom - h * view.scale) / 2 - minY * view.scale;

    cairo_save(cr);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);

    std::vector<std::size_t> order(model.pieces.size());
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
    if (model.sortByDepth) {
        std::vector<double> depth;
        for (const Sampled& s : samples) depth.push_back(view.depth(centroid(s.a) + centroid(s.b)));
        std::stable_sort(order.begin(), order.end(), [&](std::size_t x, std::size_t y) { return depth[x] < depth[y]; });
    }
    for (std::size_t i : order) drawPiece(cr, view, model.pieces[i], f);

    for (const Line3& l : model.centreLines) line(cr, view(l.from), view(l.to), kCentrePen);

    if (angleMark) {
        const std::vector<Vec3> points = angleMarkPoints(model);
        line(cr, view(points[0]), view(points[1]), kDimensionPen);
        cairo_new_path(cr);
        for (std::size_t i = 2; i < points.size(); ++i) {
            const Vec2 p = view(points[i]);
            if (i == 2) cairo_move_to(cr, p.x, p.y);
            else cairo_line_to(cr, p.x, p.y);
        }
        stroke(cr, kDimensionPen);
    }
    if ((f.marks & kHeightDim) && model.hasHeight) {
        const Vec2 low = view(model.heightFrom), high = view(model.heightTo);
        const double x = view.cx + maxX * view.scale + 3.5;
        line(cr, {low.x + 2, low.y}, {x + 1.5, low.y}, kDimensionPen);
        line(cr, {high.x + 2, high.y}, {x + 1.5, high.y}, kDimensionPen);
        dimension(cr, {x, low.y}, {x, high.y});
    }
    if ((f.marks & kWidthDim) && model.widthRing) {
        double left = 1e9, right = -1e9;
        for (int i = 0; i < kSamples; ++i) {
            const Vec2 p = view(model.widthRing(kTwoPi * i / kSamples));
            left = std::min(left, p.x);
            right = std::max(right, p.x);
        }
        const double y = view.cy + maxY * view.scale + 3;
        dimension(cr, {left, y}, {right, y});
    }
    cairo_restore(cr);
}

}  // namespace vandrel::picturegen
