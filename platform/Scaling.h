// The menu at every screen resolution. The pages are designed in twips, a
// physical unit (1440 to the inch), so a monitor's dots per inch say how
// many pixels each control takes; the pictures are drawn at a few scales
// and the one that fits the monitor is shown.
#pragma once

#include <array>

#include "platform/Platform.h"

namespace vandrel::scaling {

constexpr int kTwipsPerInch = 1440;
// The resolution the pages and pictures were designed at (100 %).
constexpr int kDesignDpi = 96;

// Pixels of a length in twips at `dpi` dots per inch, rounded to the
// nearest pixel (halves away from zero). At 96 dpi this is 15 twips to the
// pixel, as the pages were designed. Every length of a page goes through
// this one rounding.
constexpr int pixels(int twips, int dpi) {
    const long long product = static_cast<long long>(twips) * dpi;
    const long long half = kTwipsPerInch / 2;
    return static_cast<int>(product >= 0 ? (product + half) / kTwipsPerInch : -((-product + half) / kTwipsPerInch));
}

// A place and size in twips as pixels at `dpi`, each of the four lengths
// rounded on its own.
constexpr Bounds pixels(const Bounds& twips, int dpi) {
    return Bounds{pixels(twips.left, dpi), pixels(twips.top, dpi), pixels(twips.width, dpi), pixels(twips.height, dpi)};
}

// The scales, in percent, at which every picture is drawn when the program
// is built.
inline constexpr std::array<int, 4> kPictureScales{100, 125, 150, 200};

// A length of the 100 % picture at a scale, rounded to the nearest pixel.
constexpr int scaled(int length, int scale) { return (length * scale + 50) / 100; }

// The scale of the pictures for a monitor: the largest that does not
// exceed the monitor's own (so a picture never outgrows its button), 100 %
// below 96 dpi.
constexpr int pictureScaleFor(int dpi) {
    int chosen = kPictureScales.front();
    for (int scale : kPictureScales) {
        if (scale * kDesignDpi <= dpi * 100) chosen = scale;
    }
    return chosen;
}

// The bitmaps are stored packed in the program's resources, one resource
// type per scale: "PICTURE100", "PICTURE125", ... Each resource is the
// length of the unpacked data (4 bytes, little-endian) followed by a zlib
// stream of a device-independent bitmap as a bitmap resource holds it (the
// header, the colour table and the pixels, without a file header).
inline constexpr char kPackedBitmapTypePrefix[] = "PICTURE";
inline constexpr int kPackedLengthBytes = 4;

}  // namespace vandrel::scaling
