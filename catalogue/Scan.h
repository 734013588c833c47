// The availability scan: a program button is enabled when its calculator
// lies in the program folder.
#pragma once

#include "catalogue/ProgramTable.h"
#include "core/Pages.h"

namespace vandrel {

// `Menu01` ... `Menu05`: sets every program button of the page, enabled
// when a plain file of the calculator's name is in `folder`. The scan never
// stops early: a failed look-up disables the button, a failed setting is
// skipped, and each button keeps its own number. Without a folder (the
// platform could not tell it) every button is disabled.
void scanPage(Platform& platform, const ProgramTable& table, const Text* folder, int page, int pageOffset);

}  // namespace vandrel
