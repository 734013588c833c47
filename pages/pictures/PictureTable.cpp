#include "pages/pictures/PictureTable.h"

#include <stdexcept>
#include <string>

#include "pages/Pictures.h"

namespace vandrel::picturegen {
namespace {

// Notes written beside the number.
const char* const kPlate = "板厚";
const char* const kGrade1 = "1級課題";
const char* const kGrade2 = "2級課題";
const char* const kThree = "3種";

constexpr unsigned kDims = kHeightDim | kWidthDim;

// Families of one row share a base and vary it.
constexpr Fitting kCone = cone(1, 0.5, 0.7);
constexpr Fitting kPyramid = pyramid(1, 1, 0.5, 0.5, 0.7);
constexpr Fitting kSquareRound = squareToRound(1, 1, 0.55, 0.75);
constexpr Fitting kRoundSquare = roundToSquare(1, 0.6, 0.6, 0.75);
constexpr Fitting kP3Pyramid = pyramid(1.1, 0.9, 0.5, 0.42, 0.7);
constexpr Fitting kP3SquareRound = squareToRound(1.1, 0.9, 0.5, 0.72);
constexpr Fitting kP3RoundSquare = roundToSquare(1, 0.55, 0.46, 0.72);
constexpr Section kMain = circle(0.8);

std::vector<ProgramPicture> makeTable() {
    return {
        // ---- page 1: cones, pipes, elbows, pyramids, 角丸, 丸角
        {0, cone(1, 0, 1.0)},
        {1, cone(1, 0, 0.6)},
        {2, kCone},
        {3, cone(1, 0.28, 0.85)},
        {4, cone(1, 0.72, 0.45)},
        {5, kCone.mark(kThick), kPlate},
        {6, cone(1, 0.45, 0.75).mark(kDims)},
        {7, cone(1, 0.45, 0.7).shift(0.2)},
        {8, cone(1, 0.45, 0.7).shift(0.28, 0.15)},
        {9, cone(1, 0, 0.85).shift(0.38)},
        {10, kCone.tilted(15)},
        {11, cone(1, 0.45, 0.7).shift(0.2).tilted(22)},

        {12, cylinder(0.7, 1.0)},
        {13, cylinder(0.7, 1.0).tilted(25)},
        {14, cylinder(0.7, 0.85).tilted(40)},
        {15, cylinder(0.8, 0.8).mark(kThick), kPlate},
        {16, joint(30, 0.8)},
        {17, joint(45, 0.8)},
        {18, joint(60, 0.7)},
        {19, joint(90, 0.65)},
        {20, branch(kMain, 0.8, 0.8, 90, 1.0)},
        {21, branch(kMain, 0.5, 0.5, 90, 1.0)},
        {22, branch(kMain, 0.5, 0.5, 60, 1.1)},
        {23, branch(kMain, 0.5, 0.5, 45, 1.2)},

        {24, elbow(90, 3, 1.0)},
        {25, elbow(90, 4, 1.0)},
        {26, elbow(90, 5, 1.0)},
        {27, elbow(90, 6, 1.0)},
        {28, elbow(60, 3, 1.0)},
        {29, elbow(45, 3, 1.3)},
        {30, elbow(90, 3, 1.0).collars(0.5, 0.5)},
        {31, elbow(90, 4, 1.2).mark(kThick), kPlate},
        {32, elbow(120, 5, 1.0)},
        {33, elbow(90, 4, 1.0, circle(1)).view(-35, 20)},
        {34, elbow(90, 7, 1.2)},
        {35, elbow(30, 2, 1.0).collars(0.7, 0.7)},

        {36, kPyramid},
        {37, pyramid(1, 1, 0, 0, 0.9)},
        {38, pyramid(1.2, 0.8, 0.6, 0.4, 0.7)},
        {39, pyramid(1, 1, 0.72, 0.72, 0.4)},
        {40, pyramid(1, 1, 0.35, 0.35, 0.9)},
        {41, kPyramid.mark(kThick), kPlate},
        {42, kPyramid.shift(0.2)},
        {43, pyramid(1.2, 0.8, 0.5, 0.4, 0.7).shift(0.25, 0.1)},
        {44, kPyramid.tilted(15)},
        {45, kPyramid.shift(0.2).tilted(20)},
        {46, kPyramid.mark(kDims)},
        {47, pyramid(1, 1, 0.55, 0.55, 0.6).collars(0.2, 0.2)},

        {48, kSquareRound},
        {49, squareToRound(1.25, 0.8, 0.6, 0.75)},
        {50, squareToRound(1, 1, 0.4, 0.9)},
        {51, squareToRound(1, 1, 0.8, 0.5)},
        {52, kSquareRound.mark(kThick), kPlate},
        {53, kSquareRound.shift(0.2)},
        {54, kSquareRound.shift(0.25, 0.15)},
        {55, kSquareRound.tilted(20)},
        {56, kSquareRound.shift(0.2).tilted(20)},
        {57, kSquareRound.bottomCorner(0.16)},
        {58, kSquareRound.collars(0.15, 0.25)},
        {59, kSquareRound.mark(kDims)},

        {60, kRoundSquare},
        {61, roundToSquare(1, 0.8, 0.45, 0.75)},
        {62, roundToSquare(1, 0.45, 0.45, 0.9)},
        {63, roundToSquare(0.7, 1.0, 1.0, 0.7)},
        {64, kRoundSquare.mark(kThick), kPlate},
        {65, kRoundSquare.shift(0.2)},
        {66, kRoundSquare.shift(0.25, 0.15)},
        {67, kRoundSquare.tilted(20)},
        {68, kRoundSquare.shift(0.2).tilted(20)},
        {69, kRoundSquare.topCorner(0.12)},
        {70, kRoundSquare.collars(0.25, 0.15)},
        {71, kRoundSquare.mark(kDims)},

        // ---- page 2: branches, duct bends, polygons, breeches, domes, reducers
        {72, branch(kMain, 0.55, 0.55, 90, 1.0).shift(0, 0.12)},
        {73, branch(kMain, 0.8, 0.8, 60, 1.1)},
        {74, branch(kMain, 0.8, 0.8, 45, 1.2)},
        {75, branch(kMain, 0.6, 0.3, 90, 1.1)},
        {76, branch(kMain, 0.7, 0.35, 60, 1.2)},
        {77, branch(kMain, 0.3, 0.65, 90, 1.1)},
        {78, branch(kMain, 0.5, 0.5, 90, 1.0).shift(0.45)},
        {79, branch(rect(0.8, 0.8), 0.5, 0.5, 90, 1.0)},
        {80, branch(rect(0.9, 0.6), 0.45, 0.45, 60, 1.1)},
        {81, branch(kMain, 0.5, 0.5, 90, 1.0).mark(kThick), kPlate},
        {82, branch(kMain, 0.6, 0.6, 30, 1.4)},
        {83, branch(kMain, 0.4, 0.4, 75, 1.1).shift(0, 0.2)},

        {84, elbow(90, 2, 0, rect(0.6, 0.6)).collars(0.8, 0.8)},
        {85, elbow(90, 3, 1.0, rect(0.9, 0.9))},
        {86, elbow(90, 4, 1.0, rect(1, 0.7))},
        {87, elbow(90, 5, 1.2, rect(0.8, 0.8))},
        {88, elbow(60, 3, 1.0, rect(0.9, 0.9))},
        {89, elbow(45, 2, 0, rect(0.6, 0.6)).collars(0.8, 0.8)},
        {90, elbow(90, 3, 1.0, rect(1, 0.6)).twisted(45)},
        {91, elbow(90, 4, 1.0, rect(1, 1)).reducingTo(rect(0.6, 0.6))},
        {92, pyramid(1, 1, 1, 1, 1.0).shift(0.5)},
        {93, pyramid(1, 0.7, 1, 0.7, 1.0).shift(0.4, 0.2)},
        {94, elbow(90, 3, 1.0, rect(0.9, 0.9, 0.2))},
        {95, elbow(90, 3, 1.0, rect(0.9, 0.9)).mark(kThick), kPlate},

        {96, polygonal(6, 1, 0.5, 0.7)},
        {97, polygonal(8, 1, 0.5, 0.7)},
        {98, polygonal(5, 1, 0.5, 0.7)},
        {99, polygonal(7, 1, 0.5, 0.7)},
        {100, polygonal(6, 1, 0, 0.9)},
        {101, polygonal(8, 1, 0.65, 0.5)},
        {102, loft(polygon(6, 1), circle(0.5), 0.8)},
        {103, loft(polygon(8, 1), circle(0.5), 0.8)},
        {104, loft(circle(1), polygon(6, 0.6), 0.8)},
        {105, polygonal(6, 1, 0.5, 0.7).shift(0.2)},
        {106, polygonal(6, 1, 0.5, 0.7).tilted(20)},
        {107, polygonal(12, 1, 0.5, 0.7)},

        {108, breeches(circle(1), circle(0.5), 2, 0.8, 20, 0.9)},
        {109, breeches(circle(1), circle(0.6), 2, 1.0, 30, 0.8)},
        {110, breeches(circle(1), circle(0.45), 3, 0.8, 20, 0.9)},
        {111, breeches(rect(1, 0.7), circle(0.45), 2, 0.9, 25, 0.9)},
        {112, breeches(circle(1), rect(0.45, 0.45), 2, 0.9, 20, 0.9)},
        {113, breeches(circle(1), circle(0.5), 2, 0.8, 0, 0.9)},
        {114, breeches(circle(1), circle(0.5), 2, 0.8, 20, 0.9).collars(0.3, 0.2)},
        {115, breeches(circle(1), circle(0.5), 2, 1.2, 40, 0.7)},
        {116, breeches(circle(0.8), circle(0.5), 2, 0.7, 15, 1.0).mark(kThick), kPlate},
        {117, breeches(rect(1, 0.6), rect(0.45, 0.45), 2, 0.9, 20, 0.9)},
        {118, breeches(circle(1), circle(0.4), 4, 0.8, 20, 0.9)},
        {119, breeches(circle(1), circle(0.55), 3, 0.9, 30, 0.8).collars(0.25, 0)},

        {120, dome(1, 0, 90, 12)},
        {121, dome(1, 0, 90, 8)},
        {122, dome(1, 0, 90, 16)},
        {123, dome(1, -90, 90, 12)},
        {124, dome(1, 0, 60, 12)},
        {125, dome(1, 0, 45, 12)},
        {126, dome(1, 0, 90, 12).collars(0.3, 0)},
        {127, dome(1, -45, 45, 12)},
        {128, dome(1, 30, 90, 12)},
        {129, dome(1, 0, 90, 6)},
        {130, dome(1, 0, 90, 12).mark(kNoFolds)},
        {131, dome(1, -90, 0, 12)},

        {132, kCone.collars(0.3, 0.3)},
        {133, cone(1, 0.4, 0.5).collars(0.15, 0.5)},
        {134, kCone.shift(0.25).collars(0.3, 0.3)},
        {135, cone(0.5, 1.0, 0.6).collars(0.3, 0.2)},
        {136, pyramid(1, 1, 0.4, 0.4, 0.7).collars(0, 0.4)},
        {137, squareToRound(1, 1, 0.5, 0.7).collars(0.3, 0.4)},
        {138, roundToSquare(1, 0.6, 0.6, 0.7).collars(0.4, 0.3)},
        {139, kCone.tilted(30).collars(0.2, 0)},
        {140, cone(1, 0.2, 0.9).shift(0.25).tilted(25), kGrade1},
        {141, loft(ellipse(1.2, 0.7), circle(0.5), 0.8)},
        {142, loft(ellipse(1.2, 0.6), ellipse(0.6, 0.4), 0.7)},
        {143, loft(rect(1.2, 0.6, 0.3), circle(0.5), 0.8)},

        // ---- page 3: buttons 0 to 42 as their names say
        {144, loft(rect(1.2, 0.8), ellipse(0.72, 0.45), 0.8).shift(0.12), kGrade1},  // 変形角丸　一級課題
        {145, squareToRound(1, 0.9, 0.5, 0.75).leaned(90).shift(0.5).collars(0, 0.12).view(-50, 24)},  // 垂直方向変形
        {146, loft(rect(1.4, 0.6), ellipse(0.9, 0.42), 0.6).shift(0.45)},   // 水平方向変形
        {147, loft(rect(1.1, 0.8), ellipse(0.75, 0.42), 0.8).twisted(35)},  // 変形角丸　ひねり
        {148, cone(0.9, 0.6, 1.0).shift(0.78)},                             // 円錐千鳥
        {149, cone(0.9, 0.6, 1.0).shift(0.78).tilted(25)},                  // 円錐千鳥角度有
        {150, polygonal(6, 1, 0.6, 0.55).mark(kWidthDim)},                  // 多角形　偶数
        {151, polygonal(5, 1, 0.6, 0.55).mark(kWidthDim)},                  // 多角形　奇数
        {152, cone(1, 0.5, 0.8).shift(0.25).collars(0, 0.3)},               // 円錐から垂直
        {153, elbow(70, 4, 1.1).mark(kHeightDim)},                          // 規格に無いｴﾙﾎﾞ
        {154, elbow(70, 4, 1.1).mark(kThick), kPlate},                      // 規格に無いｴﾙﾎﾞ板厚対応
        {155, pyramid(1.2, 0.8, 0.6, 0.4, 0.7).view(-40, 24), kThree},      // 角錐台3種
        {156, pyramid(1, 1, 0.5, 0.5, 0.75).mark(kHeightDim)},              // 真角錐台
        {157, kP3Pyramid.shift(0.25, 0.1)},                                 // 角錐台(芯ｽﾞﾚ)
        {158, kP3Pyramid.shift(0.25, 0.1).tilted(18)},                      // 角錐台(芯ｽﾞﾚ)(角度)
        {159, kP3Pyramid.bottomCorner(0.18).topCorner(0.1)},                // (上ｶﾄﾞR)(下ｶﾄﾞR)
        {160, kP3Pyramid.bottomCorner(0.18).topCorner(0.1).shift(0.25, 0.1)},             //  + 芯ｽﾞﾚ
        {161, kP3Pyramid.bottomCorner(0.18).topCorner(0.1).shift(0.25, 0.1).tilted(18)},  // + 角度
        {162, kP3Pyramid.topCorner(0.12)},                                                // (上ｶﾄﾞR)
        {163, kP3Pyramid.topCorner(0.12).shift(0.25, 0.1)},
        {164, kP3Pyramid.topCorner(0.12).shift(0.25, 0.1).tilted(18)},
        {165, kP3Pyramid.bottomCorner(0.2)},  // (下ｶﾄﾞR)
        {166, kP3Pyramid.bottomCorner(0.2).shift(0.25, 0.1)},
        {167, kP3Pyramid.bottomCorner(0.2).shift(0.25, 0.1).tilted(18)},
        {168, kP3SquareRound},  // 角丸
        {169, kP3SquareRound.shift(0.22, 0.1)},
        {170, kP3SquareRound.shift(0.22, 0.1).tilted(20)},
        {171, kP3SquareRound.bottomCorner(0.2)},  // 角丸(下ｶﾄﾞR)
        {172, kP3SquareRound.bottomCorner(0.2).shift(0.22, 0.1)},
        {173, kP3SquareRound.bottomCorner(0.2).shift(0.22, 0.1).tilted(20)},
        {174, kP3RoundSquare},  // 丸角
        {175, kP3RoundSquare.shift(0.22, 0.1)},
        {176, kP3RoundSquare.shift(0.22, 0.1).tilted(20)},
        {177, kP3RoundSquare.topCorner(0.12)},  // 丸角(上ｶﾄﾞR)
        {178, kP3RoundSquare.topCorner(0.12).shift(0.22, 0.1)},
        {179, kP3RoundSquare.topCorner(0.12).shift(0.22, 0.1).tilted(20)},
        {180, cone(1, 0.45, 0.75).mark(kHeightDim)},  // 真円錐
        {181, cone(1, 0.45, 0.75).shift(0.22)},
        {182, cone(1, 0.45, 0.75).shift(0.22).tilted(20)},
        {183, joint(40, 0.8).view(-40, 22)},                     // 同径連結
        {184, pyramid(1, 1, 0.5, 0.5, 0.75).shift(0.25, 0.25)},  // 角錐台A
        {185, pyramid(1, 1, 0.5, 0.5, 0.75).shift(0.25, 0)},     // 角錐台A(芯ｽﾞﾚ)
        {186, pyramid(1.2, 0.8, 0.5, 0.4, 0.75).shift(0.35, 0.2)},
        // the rest of page 3: twisted, staggered and side-facing variants, more bends
        {187, pyramid(1, 1, 0.6, 0.6, 0.7).twisted(45)},
        {188, pyramid(1, 1, 0.6, 0.6, 0.7).twisted(25)},
        {189, pyramid(1.2, 0.8, 0.7, 0.45, 0.7).twisted(30)},
        {190, loft(rect(1, 1), ellipse(0.8, 0.4), 0.75).twisted(45)},
        {191, roundToSquare(1, 0.6, 0.6, 0.75).twisted(45)},
        {192, polygonal(6, 1, 0.6, 0.7).twisted(30)},
        {193, cone(1, 0.5, 0.9).shift(0.9, 0.2)},
        {194, cone(1, 0.5, 0.9).shift(0.85).tilted(-25)},
        {195, loft(rect(1, 0.8, 0.1), ellipse(0.8, 0.5), 0.6)},
        {196, squareToRound(1, 0.8, 0.45, 0.8).leaned(90).shift(0.5, 0.1).view(-50, 24)},
        {197, roundToSquare(1, 0.5, 0.45, 0.75).leaned(90).shift(0.5).view(-50, 24)},
        {198, cone(1, 0.45, 0.75).leaned(90).shift(0.5).collars(0, 0.15).view(-50, 24)},
        {199, pyramid(1, 0.7, 0.7, 0.5, 0.8).tilted(30)},
        {200, loft(rect(1, 0.8, 0.2), ellipse(0.5, 0.3), 0.7).shift(0.2)},
        {201, loft(rect(1.2, 0.6, 0.3), rect(0.6, 0.6, 0.1), 0.7)},
        {202, loft(rect(1.2, 0.5, 0.25), rect(1.2, 0.5, 0.25), 0.7)},
        {203, loft(rect(1.2, 0.5, 0.25), circle(0.5), 0.75)},
        {204, loft(rect(1.2, 0.5, 0.25), rect(0.6, 0.3, 0.15), 0.7).shift(0.3)},
        {205, loft(ellipse(1.2, 0.7), ellipse(0.6, 0.35), 0.75).mark(kWidthDim)},
        {206, loft(ellipse(1.2, 0.7), ellipse(0.6, 0.35), 0.75).shift(0.25)},
        {207, elbow(90, 4, 1.0, rect(0.8, 0.8, 0.15))},
        {208, elbow(90, 5, 1.0).reducingTo(circle(0.6))},
        {209, elbow(60, 4, 1.2, rect(1, 0.6))},
        {210, elbow(150, 6, 1.0)},
        {211, joint(25, 0.9)},
        {212, joint(70, 0.6).mark(kThick), kPlate},
        {213, branch(kMain, 0.8, 0.5, 90, 1.0)},
        {214, branch(rect(0.8, 0.8), 0.6, 0.3, 90, 1.1)},
        {215, cone(1, 0.3, 0.8).shift(0.2).tilted(35).mark(kThick), kPlate},

        // ---- page 4: exam pieces, oblique pipes and side outlets, oblong and
        // elliptic sections, rounded and mixed corners, bends, domes, and a row
        // of plain line drawings of reducers, bells and hoppers
        {216, squareToRound(1, 1, 0.6, 0.8).shift(0.3, 0.3).tilted(15), kGrade1},
        {217, cone(1, 0.4, 0.8).shift(0.3).tilted(-20), kGrade2},
        {218, pyramid(1.2, 0.8, 0.6, 0.6, 0.8).shift(0.2, 0.1).tilted(25), kGrade1},
        {219, branch(kMain, 0.5, 0.5, 60, 1.1).shift(0, 0.15), kGrade1},
        {220, elbow(90, 4, 1.0).collars(0.3, 0.3), kGrade2},
        {221, breeches(circle(1), circle(0.5), 2, 0.9, 25, 0.9), kGrade1},
        {222, squareToRound(1.2, 0.9, 0.6, 0.8).shift(-0.2, 0.15), kGrade2},
        {223, roundToSquare(1, 0.7, 0.5, 0.8).shift(0.2).tilted(-15), kGrade1},
        {224, polygonal(6, 1, 0.5, 0.8).shift(0.25), kGrade2},
        {225, joint(55, 0.7), kGrade2},
        {226, elbow(90, 3, 1.0, rect(1, 0.7)).collars(0.3, 0.3), kGrade2},
        {227, dome(1, 0, 90, 10).collars(0.25, 0), kGrade1},

        {228, cylinder(0.7, 1.0).shift(0.4)},
        {229, cylinder(0.7, 1.0).shift(0.4).tilted(20)},
        {230, cylinder(0.7, 1.0).shift(0.3, 0.2)},
        {231, cylinder(0.8, 0.8).leaned(90).shift(0.4).view(-50, 24)},
        {232, cone(1, 0.5, 0.8).leaned(90).shift(0.5).view(-55, 28)},
        {233, squareToRound(1, 1, 0.5, 0.7).leaned(90).shift(0.5).collars(0.15, 0).view(-50, 24)},
        {234, roundToSquare(1, 0.55, 0.55, 0.8).leaned(90).shift(0.5).collars(0, 0.12).view(-55, 28)},
        {235, pyramid(1, 1, 0.5, 0.5, 0.75).leaned(90).shift(0.5).view(-50, 24)},
        {236, cone(1, 0.55, 0.45).view(-30, 35)},
        {237, cone(1, 0.5, 0.6).leaned(60).shift(0.4)},
        {238, squareToRound(1, 0.8, 0.5, 0.6).leaned(45).shift(0.3)},
        {239, pyramid(1, 0.8, 0.6, 0.4, 0.6).leaned(45).shift(0.35)},

        {240, loft(rect(1.2, 0.6, 0.3), rect(1.2, 0.6, 0.3), 0.8)},
        {241, loft(rect(1.2, 0.6, 0.3), circle(0.6), 0.8)},
        {242, loft(circle(1), rect(1.2, 0.5, 0.25), 0.8)},
        {243, loft(rect(1.2, 0.6, 0.3), rect(0.6, 0.3, 0.15), 0.8)},
        {244, loft(rect(1.2, 0.6, 0.3), rect(0.6, 0.3, 0.15), 0.8).shift(0.25)},
        {245, loft(ellipse(1.2, 0.7), ellipse(1.2, 0.7), 0.8)},
        {246, loft(ellipse(1.2, 0.7), ellipse(0.6, 0.35), 0.8)},
        {247, loft(ellipse(1.2, 0.7), ellipse(0.6, 0.35), 0.8).shift(0.25).view(-40, 24)},
        {248, loft(ellipse(1.2, 0.7), circle(0.5), 0.8).tilted(20)},
        {249, loft(rect(1, 0.7), ellipse(0.5, 0.8), 0.7)},
        {250, loft(rect(1.2, 0.6, 0.3), rect(1, 1), 0.8)},
        {251, loft(rect(1, 1), rect(1.2, 0.5, 0.25), 0.8).shift(0.1, 0.1)},

        {252, kPyramid.bottomCorner(0.3).topCorner(0.15)},
        {253, loft(rect(1, 1, 0.25), circle(0.5), 0.7)},
        {254, loft(circle(1), rect(0.6, 0.6, 0.15), 0.7).shift(0.2, 0.1)},
        {255, loft(rect(1.2, 0.8, 0.2), rect(0.6, 0.4), 0.7).tilted(20)},
        {256, breeches(circle(1), circle(0.45), 3, 0.9, 25, 0.8).collars(0.25, 0.15)},
        {257, pyramid(1, 1, 0.6, 0.6, 0.6).bottomCorner(0.15).twisted(30)},
        {258, loft(rect(1, 1, 0.2), rect(0.5, 0.5, 0.1), 0.7).shift(0.25).tilted(20)},
        {259, polygonal(8, 1, 0.5, 0.7).shift(0.2).tilted(15)},
        {260, loft(polygon(6, 1), rect(0.5, 0.5), 0.8)},
        {261, loft(rect(1, 1), polygon(8, 0.6), 0.8)},
        {262, loft(polygon(5, 1), circle(0.5), 0.8).shift(0.2)},
        {263, loft(circle(1), polygon(5, 0.6), 0.8)},

        {264, elbow(90, 4, 1.0).collars(0.4, 0.4)},
        {265, elbow(90, 4, 1.0, rect(0.8, 0.8)).collars(0.4, 0.4)},
        {266, elbow(45, 4, 1.4)},
        {267, elbow(90, 4, 1.0).view(-60, 25)},
        {268, elbow(180, 7, 0.8)},
        {269, elbow(90, 3, 0.8).reducingTo(circle(0.5))},
        {270, elbow(90, 4, 1.0, rect(1, 0.6)).twisted(90)},
        {271, joint(100, 0.6)},
        {272, joint(35, 0.9).mark(kThick), kPlate},
        {273, branch(circle(1), 0.6, 0.6, 90, 0.9).shift(0.35, 0.1)},
        {274, branch(kMain, 0.9, 0.5, 50, 1.2)},
        {275, dome(1, -30, 90, 10)},

        {276, dome(1, 0, 75, 14).collars(0.2, 0)},
        {277, dome(1, -60, 60, 12)},
        {278, breeches(rect(1, 0.6), circle(0.4), 2, 0.8, 30, 0.8)},
        {279, breeches(circle(1), circle(0.5), 2, 0.7, 10, 1.1).collars(0, 0.3)},
        {280, cone(1, 0.6, 0.4).collars(0.2, 0.2).mark(kHeightDim | kFlat)},
        {281, cone(0.6, 1, 0.6).shift(0.2).collars(0.2, 0).mark(kFlat)},
        {282, pyramid(0.5, 0.5, 1, 1, 0.6).collars(0.2, 0).mark(kFlat)},
        {283, roundToSquare(0.6, 1, 1, 0.6).mark(kFlat)},
        {284, squareToRound(0.6, 0.6, 1, 0.6).mark(kFlat)},
        {285, cone(1, 0.35, 0.9).shift(0.15).mark(kDims | kFlat)},
        {286, pyramid(1, 0.6, 0.3, 0.3, 0.9).shift(-0.2, 0.1).mark(kFlat)},
        {287, polygonal(10, 1, 0.4, 0.8).mark(kThick | kFlat), kPlate},

        // ---- page 5: the first 18 buttons; 292, 302 and 304 are icons
        {288, dome(1, -90, 90, 16)},
        {289, dome(1, 0, 90, 12).collars(0.35, 0)},
        {290, elbow(90, 10, 1.0)},
        {291, elbow(180, 9, 0.9)},
        {292, cone(1, 0.45, 0.8)},
        {293, breeches(circle(1), circle(0.5), 2, 0.9, 25, 0.9).collars(0.3, 0.3)},
        {294, branch(circle(0.9), 0.45, 0.45, 90, 1.0).shift(-0.3)},
        {295, squareToRound(1, 1, 0.6, 0.7).collars(0.3, 0.3)},
        {296, pyramid(1, 1, 0.3, 0.3, 1.0).collars(0, 0.3)},
        {297, cone(0.4, 1.0, 0.7).collars(0.4, 0)},
        {298, polygonal(6, 1, 1, 0.8)},
        {299, pyramid(1, 1, 1, 1, 0.8).twisted(45)},
        {300, elbow(90, 3, 1.0, rect(0.8, 0.8, 0.25))},
        {301, joint(45, 0.8).mark(kThick)},
        {302, squareToRound(1, 1, 0.6, 0.8)},
        {303, dome(1, -90, 0, 12)},
        {304, elbow(90, 4, 1.0)},
        {305, breeches(circle(1), circle(0.45), 3, 0.9, 20, 0.9)},
    };
}

}  // namespace

const std::vector<ProgramPicture>& programPictureTable() {
    static const std::vector<ProgramPicture> table = makeTable();
    return table;
}

PictureLayout programPictureLayout(int number) {
    if (pictures::programPicture(number) == 0) {
        throw std::out_of_range("program " + std::to_string(number) + " has no picture");
    }
    PictureLayout layout;
    if (number < 216) {
        layout.width = 62;
        layout.height = 74;
    } else if (number < 288) {
        const int index = number - 216;
        if (index == 20) {
            layout.width = 40;
            layout.height = 37;
        } else if (index == 40) {
            layout.width = 73;
            layout.height = 78;
        } else {
            layout.width = 59 + (index * 5 + 2) % 6;   // 59 to 64
            layout.height = 71 + (index * 3 + 1) % 5;  // 71 to 75
        }
        layout.showsNumber = index != 20 && index != 48 && index != 49 && index != 59;
        if (index == 33) layout.format = Format::Bmp8;
    } else {
        const int index = number - 288;
        layout.showsNumber = false;
        if (pictures::isIconButton(number)) {
            layout.format = Format::Icon;
            layout.width = layout.height = number == 292 ? 32 : 48;
        } else {
            layout.width = 45 + (index * 7) % 20;   // 45 to 64
            layout.height = 44 + (index * 5) % 13;  // 44 to 56
        }
    }
    return layout;
}

}  // namespace vandrel::picturegen
