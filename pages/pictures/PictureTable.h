// Which picture each program button shows: the fitting its calculator
// unfolds, the picture's size and file format, and what is written on it.
#pragma once

#include <vector>

#include "pages/pictures/Fittings.h"

namespace vandrel::picturegen {

enum class Format { Bmp24, Bmp8, Icon };

struct ProgramPicture {
    int number = 0;  // ProgramNumber, 0 to 305
    Fitting fitting;
    const char* note = nullptr;  // a short UTF-8 note written beside the number, or none
};

// The table, one row per calculator with a picture, by ascending number.
const std::vector<ProgramPicture>& programPictureTable();

struct PictureLayout {
    int width = 0, height = 0;
    Format format = Format::Bmp24;
    bool showsNumber = true;  // the number is drawn below the fitting
};

// Size, format and lettering of a program button's picture; the number must
// have a picture (vandrel::pictures::programPicture is not 0).
PictureLayout programPictureLayout(int number);

}  // namespace vandrel::picturegen
