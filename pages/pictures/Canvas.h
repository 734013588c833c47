// A cairo drawing surface the size of one picture at one of its scales, with
// pango text in the IPA Gothic font, and its conversion to an Image.
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
    bool smooth = true;  // grey edges; otherwise every pixel is ink or none, the glyphs fully hinted
};

struct TextSize {
    double width = 0, height = 0;  // ink extents, in the drawing's units
};

// Everything is drawn in the units of the picture at 100 %, one unit to the
// pixel there; at another scale the canvas holds the scaled number of
// pixels and cairo maps the units onto them, so a picture is drawn afresh
// at every scale from the same drawing. Text is laid out at the scaled size
// in device pixels, where its hinting and whole-pixel placement belong.
class Canvas {
public:
    // A transparent surface for a picture of width x height at 100 %,
    // drawn at scale percent: vandrel::scaling::scaled(width, scale) x
    // vandrel::scaling::scaled(height, scale) pixels.
    Canvas(int width, int height, int scale = 100);

    int width() const { return width_; }    // in units
    int height() const { return height_; }  // in units
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
    double zoom_;  // device pixels per unit
    std::unique_ptr<cairo_surface_t, SurfaceDeleter> surface_;
    std::unique_ptr<cairo_t, ContextDeleter> cr_;
};

// Throws std::runtime_error unless fontconfig resolves the IPA Gothic faces
// the pictures are drawn with; without them pango would silently substitute
// another font.
void requireFonts();

}  // namespace vandrel::picturegen
