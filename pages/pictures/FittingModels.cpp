#include "pages/pictures/FittingModels.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <utility>
#include <vector>

namespace vandrel::picturegen {

double wrapAngle(double a) {
    a = std::fmod(a, kTwoPi);
    return a < 0 ? a + kTwoPi : a;
}

namespace {

constexpr int kRoundFolds = 12;  // fold lines of a round-to-round sheet

// ----------------------------------------------------------------- sections

// Point of the section's outline in the direction theta (radians) from its
// centre, in the section's plane.
Vec2 outlinePoint(const Section& s, double theta) {
    const double turn = radians(s.turn);
    const double t = theta - turn;
    const double cx = std::cos(t), cy = std::sin(t);
    double r = 0;
    switch (s.shape) {
        case Shape::Apex: return {};
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

// The corners of a section, in order of direction: for each, the directions
// of its sharp point, or of the start, middle and end of its rounding.
// Round sections have none.
std::vector<std::vector<double>> cornersOf(const Section& s) {
    std::vector<std::vector<double>> corners;
    const double turn = radians(s.turn);
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
            for (Vec2 p : points) dirs.push_back(wrapAngle(std::atan2(sy * p.y, sx * p.x) + turn));
            // Keep each corner's directions in the order of increasing angle.
            if (sx * sy < 0) std::reverse(dirs.begin(), dirs.end());
            corners.push_back(dirs);
        }
    } else if (s.shape == Shape::Polygon) {
        const int n = std::max(3, s.sides);
        const double step = kTwoPi / n;
        const double offset = -kPi / 2 - step / 2;
        for (int k = 0; k < n; ++k) corners.push_back({wrapAngle(offset + k * step + turn)});
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
        mids.push_back(wrapAngle((from + to) / 2));
    }
    return mids;
}

// --------------------------------------------------------- rings and folds

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
    const double t = radians(f.tilt);
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
    Piece body{a, b, f.collarBottom <= 0, f.collarTop <= 0, radians(f.twist), loftFolds(bottom, top, radians(f.twist))};
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
        m.centreLines.push_back(
            {upper.origin - upper.normal() * (f.height + reach), upper.origin + upper.normal() * reach});
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
    const double total = radians(f.angle);
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

    const double alpha = radians(f.angle);
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
    const double tilt = radians(f.angle);
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
        Piece piece{share, planarRing(leg, top), f.collarBottom <= 0, f.collarTop <= 0, 0, loftFolds(f.bottom, leg, 0)};
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
        const double c = std::cos(radians(latitude));
        if (c < 1e-6) {
            const Vec3 pole{0, 0, r * std::sin(radians(latitude))};
            return [pole](double) { return pole; };
        }
        Frame fr;
        fr.origin = {0, 0, r * std::sin(radians(latitude))};
        return planarRing(circle(static_cast<float>(2 * r * c)), fr);
    };
    if (f.collarBottom > 0) {
        Frame low;
        low.origin = {0, 0, r * std::sin(radians(from)) - f.collarBottom};
        const Section rim = circle(static_cast<float>(2 * r * std::cos(radians(from))));
        m.pieces.push_back(
            Piece{planarRing(rim, low), ring(from), true, false, 0, uniformFolds(std::max(4, f.pieces))});
    }
    for (int k = 0; k < zones; ++k) {
        const double lo = from + (to - from) * k / zones, hi = from + (to - from) * (k + 1) / zones;
        Piece piece{ring(lo),
                    ring(hi),
                    k == 0 && f.collarBottom <= 0 && from > -90,
                    k == zones - 1 && to < 90,
                    0,
                    uniformFolds(std::max(4, f.pieces))};
        if (f.marks & kNoFolds) piece.folds.clear();
        m.pieces.push_back(piece);
    }
    m.widthRing = ring(std::max(from, 0.0));
    return m;
}

}  // namespace

Model buildModel(const Fitting& f) {
    switch (f.kind) {
        case Kind::Loft: return buildLoft(f);
        case Kind::Elbow: return buildElbow(f);
        case Kind::Branch: return buildBranch(f);
        case Kind::Breeches: return buildBreeches(f);
        case Kind::Dome: return buildDome(f);
    }
    return {};
}

// ----------------------------------------------------------- sampled pieces

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

}  // namespace vandrel::picturegen
