#include "platform/GridKeys.h"

namespace vandrel {

namespace {

bool usable(const ButtonGrid& grid, int index) {
    return index >= 0 && index < static_cast<int>(grid.enabled.size()) && grid.enabled[static_cast<std::size_t>(index)];
}

// The first enabled button from `start` on in steps of `step`, while
// `inside` holds; nothing when the walk leaves first.
template <class Inside>
std::optional<int> walk(const ButtonGrid& grid, int start, int step, Inside inside) {
    for (int i = start; inside(i); i += step) {
        if (usable(grid, i)) return i;
    }
    return std::nullopt;
}

}  // namespace

std::optional<int> gridKeyTarget(const ButtonGrid& grid, int from, GridKey key) {
    const int count = static_cast<int>(grid.enabled.size());
    if (grid.columns <= 0 || from < 0 || from >= count) return std::nullopt;
    const int row = from / grid.columns;
    const int rowStart = row * grid.columns;
    const int rowEnd = rowStart + grid.columns;  // one past the row's last button
    const auto inGrid = [&](int i) { return i >= 0 && i < count; };
    switch (key) {
        case GridKey::Left: return walk(grid, from - 1, -1, [&](int i) { return i >= rowStart; });
        case GridKey::Right: return walk(grid, from + 1, 1, [&](int i) { return i < rowEnd && i < count; });
        case GridKey::Up: return walk(grid, from - grid.columns, -grid.columns, inGrid);
        case GridKey::Down: return walk(grid, from + grid.columns, grid.columns, inGrid);
        case GridKey::Home: return walk(grid, 0, 1, inGrid);
        case GridKey::End: return walk(grid, count - 1, -1, inGrid);
    }
    return std::nullopt;
}

std::optional<int> gridSuccessor(const ButtonGrid& grid, int from) {
    const int count = static_cast<int>(grid.enabled.size());
    if (from < 0 || from >= count) return std::nullopt;
    if (auto after = walk(grid, from + 1, 1, [&](int i) { return i < count; })) return after;
    return walk(grid, from - 1, -1, [](int i) { return i >= 0; });
}

}  // namespace vandrel
