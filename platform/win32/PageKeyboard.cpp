// The keyboard over a page's grid of program buttons: the arrow keys, Home
// and End move the focus as platform/GridKeys.h has it; the grid is one stop
// of the Tab key, at the button that last had the focus; and a button that
// can no longer hold the focus hands it to its successor in the grid.
#include <algorithm>
#include <array>

#include "platform/win32/ControlIds.h"
#include "platform/win32/PageWindow.h"  // windows.h

namespace vandrel::win32 {

namespace {

std::optional<GridKey> gridKeyOf(WPARAM key) {
    switch (key) {
        case VK_LEFT: return GridKey::Left;
        case VK_RIGHT: return GridKey::Right;
        case VK_UP: return GridKey::Up;
        case VK_DOWN: return GridKey::Down;
        case VK_HOME: return GridKey::Home;
        case VK_END: return GridKey::End;
        default: return std::nullopt;
    }
}

// A button that can take the focus: enabled and shown, on a page that may
// itself still be hidden.
bool usable(HWND window) {
    return window && IsWindowEnabled(window) && (GetWindowLongW(window, GWL_STYLE) & WS_VISIBLE) != 0;
}

void setTabStop(HWND window, bool stop) {
    const LONG style = GetWindowLongW(window, GWL_STYLE);
    SetWindowLongW(window, GWL_STYLE, stop ? (style | WS_TABSTOP) : (style & ~WS_TABSTOP));
}

// Whether each program button can take the focus, by index.
class GridStates {
public:
    explicit GridStates(const std::vector<HWND>& grid) : count_(std::min(grid.size(), states_.size())) {
        for (std::size_t i = 0; i < count_; ++i) states_[i] = usable(grid[i]);
    }
    ButtonGrid of(int columns) const { return ButtonGrid{columns, std::span<const bool>(states_.data(), count_)}; }

private:
    std::array<bool, kIdsPerName> states_{};  // an index is below kIdsPerName
    std::size_t count_;
};

}  // namespace

void PageWindow::addToGrid(int index, HWND button) {
    if (index < 0 || index >= kIdsPerName) return;
    if (static_cast<std::size_t>(index) >= grid_.size()) grid_.resize(static_cast<std::size_t>(index) + 1, nullptr);
    grid_[static_cast<std::size_t>(index)] = button;
    // The first button that can take the focus is the grid's stop.
    if (!gridStop_ && usable(button)) moveGridStop(button);
}

std::optional<int> PageWindow::gridIndexOf(HWND window) const {
    if (!window || grid_.empty()) return std::nullopt;
    const int index = controlKeyOf(GetDlgCtrlID(window)).index;
    if (static_cast<std::size_t>(index) < grid_.size() && grid_[static_cast<std::size_t>(index)] == window)
        return index;
    return std::nullopt;
}

bool PageWindow::onGridKey(HWND target, WPARAM key) {
    const std::optional<GridKey> move = gridKeyOf(key);
    if (!move || gridColumns_ <= 0) return false;
    const std::optional<int> from = gridIndexOf(target);
    if (!from) return false;
    // The keyboard is in use: the focus rectangle shows from now on.
    SendMessageW(window_, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
    // At an edge, or with only disabled buttons that way, the focus stays;
    // the key is the grid's all the same.
    const GridStates states(grid_);
    if (const auto to = gridKeyTarget(states.of(gridColumns_), *from, *move)) {
        SetFocus(grid_[static_cast<std::size_t>(*to)]);
    }
    return true;
}

void PageWindow::onGridFocus(HWND button) {
    // However the focus came (keys, the mouse, Tab), Tab comes back here.
    if (gridIndexOf(button)) moveGridStop(button);
}

void PageWindow::beforeUnusable(HWND control) {
    const bool focused = GetFocus() == control;
    HWND successor = nullptr;
    if (control == gridStop_ || focused) {
        if (const auto index = gridIndexOf(control)) {
            const GridStates states(grid_);
            if (const auto next = gridSuccessor(states.of(gridColumns_), *index)) {
                successor = grid_[static_cast<std::size_t>(*next)];
            }
            // With no button left to take it, the grid has no stop and the
            // Tab key passes it over.
            if (control == gridStop_) moveGridStop(successor);
        }
    }
    // Out of the grid the focus goes to the next stop of the Tab key.
    if (focused) SetFocus(successor ? successor : GetNextDlgTabItem(window_, control, FALSE));
}

void PageWindow::afterUsable(HWND control) {
    if (!gridStop_ && gridIndexOf(control)) moveGridStop(control);
}

void PageWindow::moveGridStop(HWND button) {
    if (button == gridStop_) return;
    if (gridStop_) setTabStop(gridStop_, false);
    gridStop_ = button;
    if (gridStop_) setTabStop(gridStop_, true);
}

}  // namespace vandrel::win32
