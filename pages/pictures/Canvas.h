// A cairo drawing surface the size of one picture, with pango text in the
// IPA Gothic font, and its conversion to an Image.
#pragma once

#include <cairo.h>

#include <memory>
#include <string>

#include "pages/pictures/Image.h"

namespace vandrel::picturegen {

struct Colour {
    double r = 0, g = 0, b = 0, a = 1;
};
constexpr Colour hex(unsigned rgb, double alpha = 1.0) {
    return Colour{((rgb >> 16) & 0xFF) / 255.0, ((rgb >> 8) & 0xFF) / 255.0, (rgb & 0xFF) / 255.0, alpha};
}

void setColour(cairo_t* cr, Colour c);

enum class Family { Gothic, ProportionalGothic };

struct TextStyle {
    double pixels = 10;  // em size in pixels
    bool bold = false;
    Colour colour = hex(0x000000);
    Family family = Family::Gothic;
};

struct TextSize {
    double width = 0, height = 0;  // ink extents, pixels
};

class Canvas {
public:
    // A transparent surface of width x height pixels.
    Canvas(int width, int height);

    int width() const { return width_; }
    int height() const { return height_; }
    cairo_t* cr() const { return cr_.get(); }

    void clear(Colour colour);

    // Size of a UTF-8 text's ink in the style.
    TextSize measure(const std::string& utf8, const TextStyle& style) const;
    // Draws a one-line UTF-8 text whose ink box is centred on (cx, cy).
    void textCentred(const std::string& utf8, const TextStyle& style, double cx, double cy) const;
    // Draws a one-line UTF-8 text whose ink box has its left edge at x and
    // its bottom at bottom.
    void textAt(const std::string& utf8, const TextStyle& style, double x, double bottom) const;

    // The pixels, unpremultiplied.
    Image image() const;

private:
    struct SurfaceDeleter {
        void operator()(cairo_surface_t* s) const { cairo_surface_destroy(s); }
    };
    struct ContextDeleter {
        void operator()(cairo_t* c) const { cairo_destroy(c); }
    };
    int width_;
    int height_;
    std::unique_ptr<cairo_surface_t, SurfaceDeleter> surface_;
    std::unique_ptr<cairo_t, ContextDeleter> cr_;
};

// Throws std::runtime_error unless fontconfig resolves the IPA Gothic faces
// the pictures are drawn with; without them pango would silently substitute
// another font.
void requireFonts();

}  // namespace vandrel::picturegen
