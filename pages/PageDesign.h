// What a page window is made of before its load runs: the window and its
// controls, with their sizes, fonts, colours, pictures and captions.
#pragma once

#include <span>
#include <vector>

#include "pages/Layout.h"
#include "pages/PageData.h"

namespace vandrel {

inline constexpr wchar_t kPageCaption[] = L" Vandrel  [全DXF出力] B版 (XP/Vista/7/8/10  32/64bit)";
inline constexpr wchar_t kVersionText[] = L"Ver 2.315.5     B版";

// A header control's place, as the load sets it.
struct Placement {
    ControlKey key;
    Bounds rect;  // twips, in the page's client area
};

WindowDesign windowDesign(const PageData& page);

// Every control of the page, Frame1 before the program buttons it holds.
std::vector<ControlDesign> controlDesigns(const PageData& page);

// The header controls in the order the load places them. Page 1 only has
// Text1 and Command3.
std::vector<Placement> headerPlacements(const PageData& page);

}  // namespace vandrel
