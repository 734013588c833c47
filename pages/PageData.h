// The five pages differ only in data: this table. The page logic
// (pages/PageSet.cpp, pages/PageDesign.cpp) is written once for all of them.
#pragma once

#include <cstdint>
#include <span>

#include "catalogue/Launch.h"
#include "core/Pages.h"
#include "platform/Platform.h"

namespace vandrel {

struct PageData {
    int number;                           // 1..5
    std::span<const HandOffRow> handOff;  // buttons that hand their index over
    const wchar_t* title;                 // Label2(1): "[ 展開図Menu ] ①" ...
    Colour windowBack;
    int titleWidth;                            // Label2(1), twips
    int nameWidth;                             // Label3, twips
    Colour nextBack;                           // Command2(0)
    Colour helpBack;                           // Command4
    std::span<const std::uint8_t> captioned;   // buttons designed with their number as caption
    bool numbersAsCaptions;                    // every button gets its number as caption at load
    std::span<const wchar_t* const> tooltips;  // program-button tooltips, from index 0
    // The page whose load sets up the rest: the working folders, the
    // caption and version text the other pages take from it, the company
    // name, the program table and the desktop shortcut.
    bool setsUp;
    // It carries the company-name entry (Text1, Command3), and its name
    // label a tooltip, a pointer of its own and the handlers of the entry.
    bool nameEntry;
    // Its next button shows the next page over it, without hiding it.
    bool staysBeneath;

    // `PageOffset`.
    constexpr int offset() const { return pageOffset(number); }
};

// Page 1 .. 5 at [0] .. [4].
const PageData& pageData(int page);

}  // namespace vandrel
