// `ProgramTable`: the file names of the calculators, by `ProgramNumber`.
#pragma once

#include <array>

#include "core/Pages.h"
#include "platform/Platform.h"

namespace vandrel {

class ProgramTable {
public:
    static constexpr int kSlots = 401;               // slots 0..400
    static constexpr int kPrograms = kProgramCount;  // slots 0..359 name a calculator

    // "Ten" + four decimal digits + ".exe": 12 -> "Ten0012.exe".
    static Text fileName(int programNumber);

    // Fills slots 0..359 in ascending order (the page-1 load's `Menumot`).
    // Filling again gives the same content.
    void fill();

    // The slot's text, or nullptr for a look-up outside 0..400 (the
    // subscript error). Slots 360..400 stay empty.
    const Text* slot(int n) const;

private:
    std::array<Text, kSlots> slots_{};
};

}  // namespace vandrel
