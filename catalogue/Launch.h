// Starting a calculator from a program button.
#pragma once

#include <cstdint>
#include <span>

#include "catalogue/ProgramTable.h"

namespace vandrel {

// Buttons first..last (inclusive, page-local indexes) hand their index to
// the calculator under this key before it starts.
struct HandOffRow {
    int first;
    int last;
    const wchar_t* key;
};

// Where the calculators read the hand-off value.
inline constexpr wchar_t kHandOffApp[] = L"Derudaro";
inline constexpr wchar_t kHandOffSection[] = L"Tenname";

inline constexpr wchar_t kLaunchTitle[] = L"Vandrel";

// The message for a calculator that cannot be started.
Text launchFailureText(std::int16_t programNumber);

// The key a button writes, or nullptr when it writes none.
const wchar_t* handOffKey(std::span<const HandOffRow> rows, int index);

// `LaunchProgram`: writes the button's hand-off value (a failed write is
// ignored), starts `AppFolder` + "\\" + the calculator, and turns a failed
// start into the launch's own message, owned by the page.
void launchProgram(Platform& platform, const ProgramTable& table, int page, int pageOffset,
                   std::span<const HandOffRow> handOff, std::int16_t index);

}  // namespace vandrel
