#include "pages/pictures/Render.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>

#include "pages/pictures/Canvas.h"
#include "pages/pictures/FittingDrawing.h"

namespace vandrel::picturegen {
namespace {

constexpr double kPi = 3.14159265358979323846;

const TextStyle kNumberStyle{11, false, hex(0x000000), Family::Gothic};
const TextStyle kNoteStyle{9, false, hex(0xB00000), Family::ProportionalGothic};

// Fills the current path and draws its outline over the fill.
void fillAndOutline(cairo_t* cr, Colour fill, Colour outline, double width) {
    setColour(cr, fill);
    cairo_fill_preserve(cr);
    setColour(cr, outline);
    cairo_set_line_width(cr, width);
    cairo_stroke(cr);
}

// A solid arrow head pointing left (direction -1) or right (+1).
void sideArrow(cairo_t* cr, double tipX, double cy, int direction) {
    const double back = tipX - direction * 9.0;
    cairo_new_path(cr);
    cairo_move_to(cr, tipX, cy);
    cairo_line_to(cr, back, cy - 6);
    cairo_line_to(cr, back, cy - 2.5);
    cairo_line_to(cr, back - direction * 1.5, cy - 2.5);
    cairo_line_to(cr, back - direction * 1.5, cy + 2.5);
    cairo_line_to(cr, back, cy + 2.5);
    cairo_line_to(cr, back, cy + 6);
    cairo_close_path(cr);
    fillAndOutline(cr, hex(0xD00000), hex(0x600000), 0.7);
}

}  // namespace

Image renderProgramPicture(const ProgramPicture& row, const PictureLayout& layout, int scale) {
    Canvas canvas(layout.width, layout.height, scale);
    // Where the lettering goes is decided by its size at 100 %, so that the
    // hinting of another size cannot move the note to another place.
    const Canvas design(layout.width, layout.height);
    const bool icon = layout.format == Format::Icon;
    canvas.clear(icon ? hex(0xFFFFFF, 0) : hex(0xFFFFFF));
    Box box{1, 1, layout.width - 2.0, layout.height - 2.0};
    const double noteBand = 10;  // a note that does not fit beside the number goes on top
    if (layout.showsNumber) {
        const double numberBand = 13;
        box.h -= numberBand;
        const std::string number = std::to_string(row.number);
        const double baseline = layout.height - 2.5;
        const TextSize n = canvas.measure(number, kNumberStyle);
        const double gap = 3;
        const TextSize note = row.note ? canvas.measure(row.note, kNoteStyle) : TextSize{};
        const bool beside = row.note != nullptr && design.measure(number, kNumberStyle).width + gap +
                                                           design.measure(row.note, kNoteStyle).width <=
                                                       layout.width - 14;
        if (beside) {
            const double left = (layout.width - n.width - gap - note.width) / 2;
            canvas.textAt(number, kNumberStyle, left, baseline);
            canvas.textAt(row.note, kNoteStyle, left + n.width + gap, baseline);
        } else {
            canvas.textAt(number, kNumberStyle, (layout.width - n.width) / 2, baseline);
        }
        if (row.note != nullptr && !beside) {
            canvas.textAt(row.note, kNoteStyle, 2, 1 + note.height);
            box.y += noteBand;
            box.h -= noteBand;
        }
    } else if (row.note != nullptr) {
        canvas.textAt(row.note, kNoteStyle, 2, 1 + canvas.measure(row.note, kNoteStyle).height);
        box.y += noteBand;
        box.h -= noteBand;
    }
    drawFitting(canvas.cr(), row.fitting, box);
    return canvas.image();
}

Image renderNext(int scale) {
    Canvas canvas(43, 25, scale);
    canvas.clear(hex(0xFFFF40));
    sideArrow(canvas.cr(), 1.5, 12.5, -1);
    sideArrow(canvas.cr(), 41.5, 12.5, +1);
    canvas.textCentred("次", TextStyle{17, true, hex(0x000080), Family::Gothic}, 21.5, 12.5);
    return canvas.image();
}

Image renderExit(int scale) {
    Canvas canvas(43, 25, scale);
    canvas.clear(hex(0xFFB0C8));
    canvas.textCentred("終了", TextStyle{15, true, hex(0x800000), Family::Gothic}, 21.5, 12.5);
    return canvas.image();
}

Image renderHelp(int scale) {
    Canvas canvas(90, 18, scale);
    canvas.clear(hex(0x80FFFF));
    cairo_t* cr = canvas.cr();
    const TextStyle word{14, true, hex(0x0000A0), Family::ProportionalGothic};
    const TextSize size = canvas.measure("Help", word);
    const double circleR = 7.5;
    const double total = size.width + 4 + 2 * circleR;
    const double left = (90 - total) / 2;
    canvas.textCentred("Help", word, left + size.width / 2, 9);
    const double cx = left + size.width + 4 + circleR;
    cairo_arc(cr, cx, 9, circleR, 0, 2 * kPi);
    setColour(cr, hex(0x0000A0));
    cairo_fill(cr);
    canvas.textCentred("?", TextStyle{12, true, hex(0xFFFFFF), Family::ProportionalGothic}, cx, 9);
    return canvas.image();
}

Image renderWindowIcon(int size) {
    Canvas canvas(size, size);
    canvas.clear(hex(0xFFFFFF, 0));
    cairo_t* cr = canvas.cr();
    const double k = size / 48.0;
    cairo_scale(cr, k, k);
    const bool small = size < 32;
    // The flat pattern of a truncated cone: an annular sector whose apex
    // lies above the icon, its fold lines radiating from that apex.
    const double cx = 24, cy = -6, inner = small ? 18 : 20, outer = 50;
    const double half = 0.47;  // radians either side of straight down
    const double from = kPi / 2 - half, to = kPi / 2 + half;
    cairo_new_path(cr);
    cairo_arc(cr, cx, cy, outer, from, to);
    cairo_arc_negative(cr, cx, cy, inner, to, from);
    cairo_close_path(cr);
    cairo_pattern_t* fill = cairo_pattern_create_linear(0, 12, 0, 46);
    cairo_pattern_add_color_stop_rgb(fill, 0, 0.80, 0.91, 1.0);
    cairo_pattern_add_color_stop_rgb(fill, 1, 0.25, 0.50, 0.88);
    cairo_set_source(cr, fill);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(fill);
    setColour(cr, hex(0x0A1E50));
    cairo_set_line_width(cr, small ? 3.0 : 2.0);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke(cr);
    const int folds = small ? 3 : 6;
    cairo_new_path(cr);
    for (int i = 1; i < folds; ++i) {
        const double a = from + (to - from) * i / folds;
        cairo_move_to(cr, cx + inner * std::cos(a), cy + inner * std::sin(a));
        cairo_line_to(cr, cx + outer * std::cos(a), cy + outer * std::sin(a));
    }
    setColour(cr, hex(0x0A1E50, 0.8));
    cairo_set_line_width(cr, small ? 2.0 : 1.0);
    cairo_stroke(cr);
    // The cone it rolls up into, in red at the top left.
    if (!small) {
        cairo_new_path(cr);
        cairo_move_to(cr, 1.5, 14);
        cairo_line_to(cr, 4.5, 2);
        cairo_line_to(cr, 8.5, 2);
        cairo_line_to(cr, 11.5, 14);
        cairo_close_path(cr);
        fillAndOutline(cr, hex(0xF04030), hex(0x601010), 1.5);
    }
    return canvas.image();
}

namespace {

// The pointer at a scale above 100 %: the arrow of the pixel art as a
// polygon through the edges of its pixels, the word set in the Gothic
// face in the band the pixel font fills, both without smoothing so that
// the pointer stays as crisp as its 16 x 16 form.
Image drawnClickCursor(int scale) {
    Canvas canvas(kCursorSize, kCursorSize, scale);
    canvas.clear(hex(0xFFFFFF, 0));
    cairo_t* cr = canvas.cr();
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
    cairo_translate(cr, kCursorHotX, kCursorHotY);
    // The outline's centre line runs half a pixel inside the art's edge.
    cairo_new_path(cr);
    cairo_move_to(cr, 0.5, 0.5);
    cairo_line_to(cr, 0.5, 8.5);
    cairo_line_to(cr, 3.0, 6.5);
    cairo_line_to(cr, 6.0, 6.5);
    cairo_close_path(cr);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_MITER);
    fillAndOutline(cr, hex(0xF01010), hex(0x500000), 1.0);
    // ｸﾘｯｸ as wide as the pointer, its ink in rows 10 to 15.
    const std::string word = "ｸﾘｯｸ";
    TextStyle style{8, false, hex(0x000000), Family::Gothic, false};
    const TextSize size = canvas.measure(word, style);
    style.pixels *= std::min(16.0 / size.width, 6.0 / size.height);
    canvas.textAt(word, style, 0, 16);
    return canvas.image();
}

}  // namespace

Image renderClickCursor(int scale) {
    if (scale != 100) return drawnClickCursor(scale);
    Image image(kCursorSize, kCursorSize);
    // The red arrow, its tip at the hot spot.
    static const std::array<const char*, 9> arrow{{
        "#",
        "##",
        "#R#",
        "#RR#",
        "#RRR#",
        "#RRRR#",
        "#RR###",
        "#R#",
        "##",
    }};
    const Pixel outline{0x50, 0x00, 0x00, 0xFF};
    const Pixel red{0xF0, 0x10, 0x10, 0xFF};
    for (std::size_t y = 0; y < arrow.size(); ++y) {
        for (std::size_t x = 0; arrow[y][x] != '\0'; ++x) {
            const char c = arrow[y][x];
            Pixel& p = image.at(static_cast<int>(x) + kCursorHotX, static_cast<int>(y) + kCursorHotY);
            if (c == '#') p = outline;
            if (c == 'R') p = red;
        }
    }
    // ｸﾘｯｸ in a pixel font six rows high under it.
    struct Glyph {
        int left;
        std::array<const char*, 6> rows;
    };
    static const std::array<Glyph, 4> word{{
        {0, {".#.", ".##", "#.#", "..#", ".#.", "#.."}},        // ｸ
        {4, {"#.#", "#.#", "#.#", "..#", "..#", ".#."}},        // ﾘ
        {8, {"....", "....", "#..#", ".#.#", "...#", ".##."}},  // ｯ
        {13, {".#.", ".##", "#.#", "..#", ".#.", "#.."}},       // ｸ
    }};
    const Pixel black{0x00, 0x00, 0x00, 0xFF};
    for (const Glyph& g : word) {
        for (std::size_t y = 0; y < g.rows.size(); ++y) {
            for (std::size_t x = 0; g.rows[y][x] != '\0'; ++x) {
                if (g.rows[y][x] == '#') image.at(g.left + static_cast<int>(x), 10 + static_cast<int>(y)) = black;
            }
        }
    }
    return image;
}

}  // namespace vandrel::picturegen
