// The identifiers the page windows give their controls' windows: one per
// control of a page, never 0. Tools outside the program (tests/e2e, through
// tools/probe) find the controls by them; the e2e harness reads this scheme
// from here and the order of the names from platform/Controls.h.
#pragma once

#include "platform/Controls.h"

namespace vandrel::win32 {

// id = (name + 1) * kIdsPerName + index
inline constexpr int kIdsPerName = 100;

constexpr int controlId(ControlKey key) { return (static_cast<int>(key.name) + 1) * kIdsPerName + key.index; }

constexpr ControlKey controlKeyOf(int id) {
    return ControlKey{static_cast<Ctl>(id / kIdsPerName - 1), static_cast<std::uint8_t>(id % kIdsPerName)};
}

}  // namespace vandrel::win32
