#include "pages/pictures/FittingDrawing.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "pages/pictures/Canvas.h"
#include "pages/pictures/FittingModels.h"

namespace vandrel::picturegen {
namespace {

struct View {
    Vec3 eu, ev, ed;  // screen right, screen up, toward the viewer
    double scale = 1, cx = 0, cy = 0;

    View(double azimuth, double elevation) {
        const double a = radians(azimuth), e = radians(elevation);
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
        if (i == 0)
            cairo_move_to(cr, points[i].x, points[i].y);
        else
            cairo_line_to(cr, points[i].x, points[i].y);
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
        const std::size_t i = static_cast<std::size_t>(std::lround(wrapAngle(fold.a) / kTwoPi * n)) % n;
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
    const Model model = buildModel(f);
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
            if (i == 2)
                cairo_move_to(cr, p.x, p.y);
            else
                cairo_line_to(cr, p.x, p.y);
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
