#include "platform/GridKeys.h"

#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <span>
#include <string_view>

namespace vandrel::testing {
namespace {

constexpr int kColumns = 12;
constexpr int kRows = 6;

// A page's grid drawn row by row: '#' an enabled button, '.' a disabled one.
class Grid {
public:
    explicit Grid(std::array<std::string_view, kRows> rows) {
        for (int r = 0; r < kRows; ++r) {
            for (int c = 0; c < kColumns; ++c) enabled_[r * kColumns + c] = rows[r].at(c) == '#';
        }
    }
    ButtonGrid grid() const { return ButtonGrid{kColumns, enabled_}; }

private:
    std::array<bool, kColumns * kRows> enabled_{};
};

const Grid kAllEnabled({"############", "############", "############", "############", "############",
                        "############"});

// 0 and 3 alone in the first row; column 0 has gaps at 12 and 36, column 3
// nothing below 3; the last enabled button of all is 69.
const Grid kGaps({"#..#........", "....#####...", "#...........", "............", "#.#.........", "..#...#..#.."});

const Grid kNoneEnabled({"............", "............", "............", "............", "............",
                         "............"});

constexpr std::optional<int> kStays = std::nullopt;

struct Case {
    const Grid* grid;
    int from;
    GridKey key;
    std::optional<int> to;
    const char* what;
};

void expectTargets(std::span<const Case> cases) {
    for (const Case& c : cases) {
        EXPECT_EQ(gridKeyTarget(c.grid->grid(), c.from, c.key), c.to) << c.what << " (from " << c.from << ")";
    }
}

TEST(GridKeys, ArrowsWalkRowsAndColumnsStopAtTheEdgesAndPassOverDisabledButtons) {
    const Case cases[] = {
        {&kAllEnabled, 0, GridKey::Right, 1, "along the row"},
        {&kAllEnabled, 0, GridKey::Down, 12, "down the column"},
        {&kAllEnabled, 71, GridKey::Up, 59, "up the column"},
        {&kAllEnabled, 71, GridKey::Left, 70, "back along the row"},
        {&kAllEnabled, 0, GridKey::Left, kStays, "left edge"},
        {&kAllEnabled, 0, GridKey::Up, kStays, "top edge"},
        {&kAllEnabled, 11, GridKey::Right, kStays, "the row's end does not wrap onto the next row"},
        {&kAllEnabled, 12, GridKey::Left, kStays, "the row's start does not wrap onto the row above"},
        {&kAllEnabled, 65, GridKey::Down, kStays, "bottom edge"},
        {&kGaps, 0, GridKey::Right, 3, "over two disabled buttons"},
        {&kGaps, 3, GridKey::Left, 0, "back over them"},
        {&kGaps, 3, GridKey::Right, kStays, "only disabled buttons to the row's end"},
        {&kGaps, 0, GridKey::Down, 24, "over a disabled button in the column"},
        {&kGaps, 24, GridKey::Down, 48, "over a whole disabled row"},
        {&kGaps, 48, GridKey::Up, 24, "up over them"},
        {&kGaps, 3, GridKey::Down, kStays, "only disabled buttons below"},
        {&kGaps, 62, GridKey::Up, 50, "up to the first enabled button above"},
    };
    expectTargets(cases);
}

TEST(GridKeys, HomeAndEndGoToTheFirstAndLastEnabledButton) {
    const Case cases[] = {
        {&kAllEnabled, 35, GridKey::Home, 0, "first of all"},
        {&kAllEnabled, 35, GridKey::End, 71, "last of all"},
        {&kAllEnabled, 0, GridKey::Home, 0, "already on the first: it stays there"},
        {&kGaps, 50, GridKey::Home, 0, "first enabled"},
        {&kGaps, 3, GridKey::End, 69, "last enabled, with disabled ones after it"},
    };
    expectTargets(cases);
}

TEST(GridKeys, WithNoEnabledButtonNoKeyLeadsAnywhere) {
    for (GridKey key : {GridKey::Left, GridKey::Right, GridKey::Up, GridKey::Down, GridKey::Home, GridKey::End}) {
        for (int from : {0, 35, 71}) {
            EXPECT_EQ(gridKeyTarget(kNoneEnabled.grid(), from, key), kStays)
                << "key " << static_cast<int>(key) << " from " << from;
        }
    }
    EXPECT_EQ(gridSuccessor(kNoneEnabled.grid(), 0), kStays);
}

TEST(GridKeys, ADisabledButtonHandsTheFocusToTheNextEnabledOneElseTheOneBefore) {
    EXPECT_EQ(gridSuccessor(kGaps.grid(), 0), 3) << "the next in reading order";
    EXPECT_EQ(gridSuccessor(kGaps.grid(), 11), 16) << "onto the next row";
    EXPECT_EQ(gridSuccessor(kGaps.grid(), 69), 66) << "the last one hands back";
    EXPECT_EQ(gridSuccessor(kAllEnabled.grid(), 71), 70);

    const Grid alone({"............", "............", "......#.....", "............", "............", "............"});
    EXPECT_EQ(gridSuccessor(alone.grid(), 30), kStays) << "no other button to take it";
}

TEST(GridKeys, AGridWithoutColumnsOrAButtonOutsideItLeadsNowhere) {
    EXPECT_EQ(gridKeyTarget(ButtonGrid{0, kAllEnabled.grid().enabled}, 5, GridKey::Right), kStays);
    EXPECT_EQ(gridKeyTarget(kAllEnabled.grid(), 72, GridKey::Left), kStays);
    EXPECT_EQ(gridKeyTarget(kAllEnabled.grid(), -1, GridKey::Home), kStays);
}

}  // namespace
}  // namespace vandrel::testing
