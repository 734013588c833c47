// The five pages differ only in data: this table. The page logic
// (pages/MenuPage.cpp) is written once for all of them.
#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "catalogue/Launch.h"
#include "platform/Platform.h"

namespace vandrel {

inline constexpr int kPageCount = 5;

struct PageData {
    int number;                              // 1..5
    int offset;                              // `PageOffset`: 72 x (page - 1)
    std::span<const HandOffRow> handOff;     // buttons that hand their index over
    const wchar_t* title;                    // Label2(1): "[ 展開図Menu ] ①" ...
    Colour windowBack;
    int titleWidth;                          // Label2(1), twips
    int nameWidth;                           // Label3, twips
    Colour nextBack;                         // Command2(0)
    Colour helpBack;                         // Command4
    std::span<const std::uint8_t> captioned; // buttons designed with their number as caption
    bool numbersAsCaptions;                  // every button gets its number as caption at load
    std::span<const wchar_t* const> tooltips;  // program-button tooltips, from index 0
};

// Page 1 .. 5 at [0] .. [4].
const PageData& pageData(int page);

}  // namespace vandrel
