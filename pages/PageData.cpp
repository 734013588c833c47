#include "pages/PageData.h"

#include <array>

#include "pages/Tooltips.h"

namespace vandrel {

namespace {

constexpr HandOffRow kPage1HandOff[] = {
    {12, 15, L"Tkan"},
    {43, 47, L"Kagam"},
    {48, 52, L"Ensui"},
};
// Pages 2 and 3 share their keys: the calculators tell the pages apart.
constexpr HandOffRow kPage23HandOff[] = {
    {7, 10, L"ETkan"},
    {19, 22, L"gETkan"},
};

constexpr std::uint8_t kPage4Captioned[] = {20, 48, 49, 59};

constexpr Colour kPaleYellow = Colour::rgb(0xFF, 0xFF, 0x80);
constexpr Colour kPalerYellow = Colour::rgb(0xFF, 0xFF, 0xC0);
constexpr Colour kPaleCyan = Colour::rgb(0x80, 0xFF, 0xFF);
constexpr Colour kCyan = Colour::rgb(0x00, 0xFF, 0xFF);

// number, hand-off, title, window, title width, name width, next, help,
// captioned, numbers as captions, tooltips, sets up, name entry, stays beneath
const std::array<PageData, kPageCount> kPages = {{
    {1,
     kPage1HandOff,
     L"[ 展開図Menu ] ①",
     kInactiveBorder,
     2085,
     2220,
     kPaleYellow,
     kPaleCyan,
     {},
     false,
     {},
     true,
     true,
     true},
    {2,
     kPage23HandOff,
     L"[ 展開図Menu ] ②",
     kInactiveBorder,
     2085,
     2490,
     kPaleYellow,
     kCyan,
     {},
     false,
     {},
     false,
     false,
     false},
    {3,
     kPage23HandOff,
     L"[ 展開図Menu ] ③",
     kInactiveBorder,
     2070,
     2490,
     kPalerYellow,
     kPaleCyan,
     {},
     false,
     kPage3Tooltips,
     false,
     false,
     false},
    {4,
     {},
     L"[ 展開図Menu ] ④",
     kInactiveBorder,
     2070,
     2490,
     kPalerYellow,
     kPaleCyan,
     kPage4Captioned,
     false,
     {},
     false,
     false,
     false},
    {5, {}, L"[ 展開図Menu ] ⑤", kButtonFace, 2070, 2490, kPalerYellow, kPaleCyan, {}, true, {}, false, false, false},
}};

}  // namespace

const PageData& pageData(int page) { return kPages.at(static_cast<std::size_t>(page - 1)); }

}  // namespace vandrel
