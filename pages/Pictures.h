// Resource identifiers of the pictures built into the program. The picture
// generator (pages/pictures) writes one resource per identifier here, and
// the pages ask for them by these numbers only.
#pragma once

#include "platform/Platform.h"

namespace vandrel::pictures {

constexpr PictureId kNext = 10;   // 43 x 25: 次 between a left and a right arrow, on yellow
constexpr PictureId kExit = 11;   // 43 x 25: 終了 on pink
constexpr PictureId kHelp = 12;   // 90 x 18: Help and a question mark
constexpr PictureId kWindowIcon = kIconPictureBase;  // 48 x 48 icon of every page
constexpr int kClickCursor = 1;   // 16 x 16 cursor: ｸﾘｯｸ under a red arrow

constexpr int kProgramCount = 360;
// Page 5 carries pictures on its first 18 buttons only.
constexpr int kPage5PictureCount = 18;

// Page 5's buttons 4, 14 and 16 show icons (32 x 32, 48 x 48, 48 x 48).
constexpr bool isIconButton(int programNumber) {
    return programNumber == 292 || programNumber == 302 || programNumber == 304;
}

// The picture of the program button for a calculator number, or 0 for none.
constexpr PictureId programPicture(int programNumber) {
    if (programNumber < 0 || programNumber >= kProgramCount) return 0;
    if (programNumber >= 288 + kPage5PictureCount) return 0;
    if (isIconButton(programNumber)) return kIconPictureBase + 1 + programNumber;
    return 1000 + programNumber;
}

}  // namespace vandrel::pictures
