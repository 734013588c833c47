// The geometry of a page, in twips as the page was designed, and the one
// conversion to pixels.
#pragma once

#include "platform/Platform.h"

namespace vandrel::layout {

// 15 twips to the pixel at 96 dots per inch; rounded to the nearest pixel.
constexpr int pixels(int twips) { return (twips + 7) / 15; }

struct TwipRect {
    int left, top, width, height;
};

constexpr Bounds toPixels(const TwipRect& r) {
    return Bounds{pixels(r.left), pixels(r.top), pixels(r.width), pixels(r.height)};
}

constexpr int kWindowWidth = 11820;
constexpr int kWindowHeight = 8415;

constexpr int kColumns = 12;
constexpr int kRows = 6;
constexpr int kButtonWidth = 960;
constexpr int kButtonHeight = 1140;
constexpr int kGridLeft = 15;
constexpr int kGridTop = 105;

// Program button `index` within Frame1: no gap between neighbours.
constexpr TwipRect programButton(int index) {
    return TwipRect{kGridLeft + kButtonWidth * (index % kColumns), kGridTop + kButtonHeight * (index / kColumns),
                    kButtonWidth, kButtonHeight};
}

}  // namespace vandrel::layout
