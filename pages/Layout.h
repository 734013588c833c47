// The geometry of a page, in twips as the page was designed. The platform
// turns twips into the pixels of the monitor the page is on.
#pragma once

#include "platform/Platform.h"

namespace vandrel::layout {

constexpr int kWindowWidth = 11820;
constexpr int kWindowHeight = 8415;

constexpr int kColumns = 12;
constexpr int kRows = 6;
constexpr int kButtonWidth = 960;
constexpr int kButtonHeight = 1140;
constexpr int kGridLeft = 15;
constexpr int kGridTop = 105;

// Program button `index` within Frame1: no gap between neighbours.
constexpr Bounds programButton(int index) {
    return Bounds{kGridLeft + kButtonWidth * (index % kColumns), kGridTop + kButtonHeight * (index / kColumns),
                  kButtonWidth, kButtonHeight};
}

}  // namespace vandrel::layout
