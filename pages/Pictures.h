// The pictures built into the program, by resource number. The picture
// generator (pages/pictures) writes one resource per number here, and the
// pages ask for them by these numbers only.
#pragma once

#include "core/Pages.h"
#include "platform/Platform.h"

namespace vandrel::pictures {

// Resource numbers: bitmaps below kIconPictureBase, icons from it on.
constexpr int kIconPictureBase = 2000;

constexpr int kNext = 10;                      // 43 x 25: 次 between a left and a right arrow, on yellow
constexpr int kExit = 11;                      // 43 x 25: 終了 on pink
constexpr int kHelp = 12;                      // 90 x 18: Help and a question mark
constexpr int kWindowIcon = kIconPictureBase;  // 48 x 48 icon of every page
constexpr int kClickCursor = 1;                // 16 x 16 cursor: ｸﾘｯｸ under a red arrow

constexpr int kProgramCount = vandrel::kProgramCount;
// Page 5 carries pictures on its first 18 buttons only.
constexpr int kPage5PictureCount = 18;

// Page 5's buttons 4, 14 and 16 show icons (32 x 32, 48 x 48, 48 x 48).
constexpr bool isIconButton(int programNumber) {
    return programNumber == 292 || programNumber == 302 || programNumber == 304;
}

// The resource of the program button for a calculator number, or 0 for none.
constexpr int programPicture(int programNumber) {
    if (programNumber < 0 || programNumber >= kProgramCount) return 0;
    if (programNumber >= pageOffset(5) + kPage5PictureCount) return 0;
    if (isIconButton(programNumber)) return kIconPictureBase + 1 + programNumber;
    return 1000 + programNumber;
}

// The same as the pages ask for them.
constexpr Picture bitmap(int resource) { return Picture{PictureKind::Bitmap, resource}; }
constexpr Picture icon(int resource) { return Picture{PictureKind::Icon, resource}; }
constexpr Picture cursor(int resource) { return Picture{PictureKind::Cursor, resource}; }
constexpr Picture programButtonPicture(int programNumber) {
    const int resource = programPicture(programNumber);
    if (resource == 0) return Picture{};
    return resource >= kIconPictureBase ? icon(resource) : bitmap(resource);
}

}  // namespace vandrel::pictures
