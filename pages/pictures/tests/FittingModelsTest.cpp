// The fittings' geometry, without drawing: section outlines, where a loft's
// top sits, elbow pieces meeting at their seams, a branch meeting its main,
// and which way the sheet faces.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "pages/pictures/FittingModels.h"

namespace vandrel::picturegen {
namespace {

constexpr double kClose = 1e-6;  // a fitting's sizes are floats

double length(Vec3 v) { return std::sqrt(dot(v, v)); }

// Distance of p from the line through `on` in direction `along`.
double offLine(Vec3 p, Vec3 on, Vec3 along) { return length(cross(p - on, unit(along))); }

TEST(PictureModels, SectionOutlinesAreTheBottomRing) {
    const double s = std::sqrt(0.5), apothem = 0.5 * std::cos(kPi / 6);
    struct Case {
        const char* name;
        Section section;
        double theta;  // direction from the centre, radians
        Vec2 point;
    };
    const Case cases[] = {
        {"circle across", circle(1), 0, {0.5, 0}},
        {"circle deep", circle(1), kPi / 2, {0, 0.5}},
        {"ellipse across", ellipse(2, 1), 0, {1, 0}},
        {"ellipse deep", ellipse(2, 1), kPi / 2, {0, 0.5}},
        {"rectangle across", rect(2, 1), 0, {1, 0}},
        {"rectangle deep", rect(2, 1), kPi / 2, {0, 0.5}},
        {"rectangle corner", rect(2, 1), std::atan2(0.5, 1), {1, 0.5}},
        {"rounded corner", rect(1, 1, 0.2), kPi / 4, {0.3 + 0.2 * s, 0.3 + 0.2 * s}},
        {"turned rectangle", Section{Shape::Rect, 2, 1, 0, 0, 90}, 0, {0.5, 0}},
        {"hexagon's front side", polygon(6, 1), -kPi / 2, {0, -apothem}},
        {"hexagon's corner", polygon(6, 1), -kPi / 2 - kPi / 6, {-0.25, -apothem}},
        {"apex", apex(), 1, {0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Model model = buildModel(loft(c.section, circle(0.5), 1));
        const Vec3 p = model.pieces.at(0).a(c.theta);
        EXPECT_NEAR(p.x, c.point.x, kClose);
        EXPECT_NEAR(p.y, c.point.y, kClose);
        EXPECT_NEAR(p.z, 0, kClose);
    }
}

TEST(PictureModels, LoftTopIsShiftedLeanedAndCollared) {
    const Fitting f = cone(1, 0.5, 2).shift(0.3).leaned(30).collars(0.2, 0.4);
    const Model model = buildModel(f);
    ASSERT_EQ(model.pieces.size(), 3u);
    // Only the collars' outer ends are edges of the sheet.
    EXPECT_TRUE(model.pieces[0].aOpen);
    EXPECT_FALSE(model.pieces[0].bOpen || model.pieces[1].aOpen || model.pieces[1].bOpen || model.pieces[2].aOpen);
    EXPECT_TRUE(model.pieces[2].bOpen);

    const Sampled body = sample(model.pieces[1]);
    const Vec3 centre = centroid(body.b);
    EXPECT_NEAR(centre.x, 0.3, kClose);
    EXPECT_NEAR(centre.y, 0, kClose);
    EXPECT_NEAR(centre.z, 2, kClose);
    // The top plane rises towards +x by the lean.
    const Vec3 normal{-std::sin(radians(30)), 0, std::cos(radians(30))};
    for (const Vec3& p : body.b) EXPECT_NEAR(dot(p - centre, normal), 0, kClose);
    const Vec3 collarEnd = centroid(sample(model.pieces[2]).b);
    EXPECT_NEAR(length(collarEnd - (centre + normal * 0.4)), 0, kClose);
    EXPECT_NEAR(centroid(sample(model.pieces[0]).a).z, -0.2, kClose);

    // Centre lines through both centres, the height from the bottom collar.
    ASSERT_EQ(model.centreLines.size(), 2u);
    EXPECT_NEAR(offLine(centre, model.centreLines[1].from, model.centreLines[1].to - model.centreLines[1].from), 0,
                kClose);
    EXPECT_NEAR(model.heightFrom.z, -0.2, kClose);
    EXPECT_NEAR(model.heightTo.z, 2, kClose);
    EXPECT_TRUE(buildModel(cone(1, 0.5, 2)).centreLines.empty()) << "no centre lines when the centres agree";
}

// Each seam lies on both of its pieces' pipes, and the pieces add up to the
// bend: a 90 degree elbow of bend radius 1 ends at (1, 0, 1), facing +x.
TEST(PictureModels, ElbowPiecesMeetAtTheirSeamsAndTurnThroughTheAngle) {
    const Model model = buildModel(elbow(90, 4, 1));
    ASSERT_EQ(model.pieces.size(), 4u);
    for (std::size_t j = 0; j < model.pieces.size(); ++j) {
        SCOPED_TRACE("piece " + std::to_string(j));
        const Sampled s = sample(model.pieces[j]);
        const Vec3 from = centroid(s.a), to = centroid(s.b);
        for (const std::vector<Vec3>* ring : {&s.a, &s.b}) {
            for (const Vec3& p : *ring) ASSERT_NEAR(offLine(p, from, to - from), 0.5, kClose);
        }
        EXPECT_EQ(model.pieces[j].aOpen, j == 0);
        EXPECT_EQ(model.pieces[j].bOpen, j == 3);
    }
    const Sampled last = sample(model.pieces.back());
    const Vec3 end = centroid(last.b);
    EXPECT_NEAR(end.x, 1, kClose);
    EXPECT_NEAR(end.y, 0, kClose);
    EXPECT_NEAR(end.z, 1, kClose);
    for (const Vec3& p : last.b) EXPECT_NEAR(p.x, 1, kClose);
}

TEST(PictureModels, BranchMeetsTheMainOnItsSurface) {
    struct Case {
        const char* name;
        Fitting fitting;
        std::function<double(Vec3)> offMain;  // signed distance from the main's surface
    };
    const Case cases[] = {
        {"round main, square on", branch(circle(1), 0.4, 0.4, 90, 1),
         [](Vec3 p) { return std::hypot(p.y, p.z) - 0.5; }},
        {"round main, slanted and off the axis", branch(circle(1), 0.4, 0.4, 45, 1).shift(0.1, 0.2),
         [](Vec3 p) { return std::hypot(p.y, p.z) - 0.5; }},
        {"rectangular main", branch(rect(1, 0.8), 0.4, 0.4, 60, 1), [](Vec3 p) { return p.z - 0.4; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Model model = buildModel(c.fitting);
        ASSERT_EQ(model.pieces.size(), 2u);
        const double a = radians(c.fitting.angle);
        const Vec3 foot{c.fitting.shiftX, c.fitting.shiftY, 0}, along{std::cos(a), 0, std::sin(a)};
        for (const Vec3& p : sample(model.pieces[1]).a) {
            ASSERT_NEAR(c.offMain(p), 0, kClose);
            ASSERT_NEAR(offLine(p, foot, along), 0.2, kClose) << "on the branch's own pipe";
        }
    }
}

TEST(PictureModels, SheetNormalsPointOutwards) {
    const std::pair<const char*, Fitting> cases[] = {
        {"pipe", cylinder(1, 1)},
        {"cone to its apex", cone(1, 0, 1)},
        {"hemisphere", dome(1, 0, 90, 8)},
    };
    for (const auto& [name, fitting] : cases) {
        SCOPED_TRACE(name);
        for (const Piece& piece : buildModel(fitting).pieces) {
            const Sampled s = sample(piece);
            const Vec3 ca = centroid(s.a), cb = centroid(s.b);
            for (std::size_t i = 0; i < s.a.size(); ++i) {
                const Vec3 n = sheetNormal(s, i, ca, cb);
                const Vec3 mid = s.a[i] + s.b[i];
                ASSERT_NEAR(length(n), 1, kClose);
                ASSERT_GT(dot(n, Vec3{mid.x, mid.y, 0}), 0) << "sample " << i;
                ASSERT_GT(n.z, -kClose) << "none of them narrows downwards";
            }
        }
    }
}

}  // namespace
}  // namespace vandrel::picturegen
