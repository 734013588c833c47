// The pictures of the program, drawn into Images. A scale is in percent
// (vandrel::scaling::kPictureScales); every picture is drawn afresh at it,
// vandrel::scaling::scaled pixels to each side of its 100 % size.
#pragma once

#include <array>
#include <vector>

#include "pages/pictures/Image.h"
#include "pages/pictures/PictureTable.h"

namespace vandrel::picturegen {

// A program button's picture: the fitting on white (on transparency for an
// icon), the number and note below it when the layout asks for them.
Image renderProgramPicture(const ProgramPicture& row, const PictureLayout& layout, int scale = 100);

Image renderNext(int scale = 100);  // 43 x 25: 次 between a left and a right arrow, on yellow
Image renderExit(int scale = 100);  // 43 x 25: 終了 on pink
Image renderHelp(int scale = 100);  // 90 x 18: Help and a question mark

// The window icon, an unrolled cone pattern, at the sizes Windows asks an
// icon for at the usual resolutions; the drawing simplifies below 32.
inline constexpr std::array<int, 7> kWindowIconSizes{16, 20, 24, 32, 40, 48, 64};
Image renderWindowIcon(int size);

// The click pointer: ｸﾘｯｸ under a red arrow whose tip is the hot spot,
// 16 x 16 at 100 %. At 100 % it is pixel art; at the other scales the
// arrow is a polygon and the word is set in the Gothic face. The hot spot
// scales with it (vandrel::scaling::scaled).
constexpr int kCursorSize = 16;
constexpr int kCursorHotX = 0;
constexpr int kCursorHotY = 0;
Image renderClickCursor(int scale = 100);

}  // namespace vandrel::picturegen
