// A picture in memory: 8-bit red, green, blue and alpha per pixel, not
// premultiplied, rows from the top.
#pragma once

#include <cstdint>
#include <vector>

namespace vandrel::picturegen {

struct Pixel {
    std::uint8_t r = 0, g = 0, b = 0, a = 0;
    friend bool operator==(Pixel x, Pixel y) { return x.r == y.r && x.g == y.g && x.b == y.b && x.a == y.a; }
    friend bool operator!=(Pixel x, Pixel y) { return !(x == y); }
};

struct Image {
    int width = 0;
    int height = 0;
    std::vector<Pixel> pixels;  // width * height, row after row from the top

    Image() = default;
    Image(int w, int h, Pixel fill = Pixel{}) : width(w), height(h), pixels(static_cast<std::size_t>(w) * h, fill) {}

    Pixel& at(int x, int y) { return pixels[static_cast<std::size_t>(y) * width + x]; }
    Pixel at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

}  // namespace vandrel::picturegen
