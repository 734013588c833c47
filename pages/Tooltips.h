// Page 3's program buttons name their fitting when the pointer rests on them.
#pragma once

#include <array>

namespace vandrel {

extern const std::array<const wchar_t*, 43> kPage3Tooltips;

}  // namespace vandrel
