// The pictures of the program, drawn into Images.
#pragma once

#include <vector>

#include "pages/pictures/Image.h"
#include "pages/pictures/PictureTable.h"

namespace vandrel::picturegen {

// A program button's picture: the fitting on white (on transparency for an
// icon), the number and note below it when the layout asks for them.
Image renderProgramPicture(const ProgramPicture& row, const PictureLayout& layout);

Image renderNext();  // 43 x 25: 次 between a left and a right arrow, on yellow
Image renderExit();  // 43 x 25: 終了 on pink
Image renderHelp();  // 90 x 18: Help and a question mark

// The window icon: an unrolled cone pattern, 48 x 48, 32 x 32 and 16 x 16.
std::vector<Image> renderWindowIcon();

// The click pointer: ｸﾘｯｸ under a red arrow whose tip is the hot spot.
constexpr int kCursorHotX = 0;
constexpr int kCursorHotY = 0;
Image renderClickCursor();

}  // namespace vandrel::picturegen
