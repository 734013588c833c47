// How the keyboard moves the focus over a grid of buttons: the program
// buttons of a page, numbered row by row from the top left, each enabled or
// not. The arrow keys walk along a row or a column and stop at its end,
// passing over the disabled buttons on the way; Home and End go to the
// first and the last enabled button.
//
// Portable: the pages say how wide their grid is (ControlDesign::gridColumns),
// the Windows side asks here which button comes next, and the rule is
// tested on any host.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

namespace vandrel {

enum class GridKey : std::uint8_t { Left, Right, Up, Down, Home, End };

struct ButtonGrid {
    int columns = 0;
    // One per button, row by row; true where the button can take the focus.
    std::span<const bool> enabled;
};

// The button the key moves the focus to from button `from`, or nothing: at
// the edge of the grid, when every button that way is disabled, and when no
// button is enabled at all.
std::optional<int> gridKeyTarget(const ButtonGrid& grid, int from, GridKey key);

// The button that takes the focus over from `from` when `from` cannot keep
// it (it is being disabled): the next enabled button in reading order, else
// the nearest one before it; nothing when no other button is enabled.
std::optional<int> gridSuccessor(const ButtonGrid& grid, int from);

}  // namespace vandrel
