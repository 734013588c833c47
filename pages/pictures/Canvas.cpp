#include "pages/pictures/Canvas.h"

#include <pango/pangocairo.h>

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace vandrel::picturegen {
namespace {

struct GObjectDeleter {
    void operator()(void* object) const { g_object_unref(object); }
};
template <typename T>
using GObjectPtr = std::unique_ptr<T, GObjectDeleter>;

struct FontDescriptionDeleter {
    void operator()(PangoFontDescription* d) const { pango_font_description_free(d); }
};
using FontDescriptionPtr = std::unique_ptr<PangoFontDescription, FontDescriptionDeleter>;

const char* familyName(Family family) { return family == Family::Gothic ? "IPAGothic" : "IPAPGothic"; }

FontDescriptionPtr describe(const TextStyle& style) {
    FontDescriptionPtr d(pango_font_description_new());
    pango_font_description_set_family(d.get(), familyName(style.family));
    pango_font_description_set_weight(d.get(), style.bold ? PANGO_WEIGHT_BOLD : PANGO_WEIGHT_NORMAL);
    pango_font_description_set_absolute_size(d.get(), style.pixels * PANGO_SCALE);
    return d;
}

struct Laid {
    GObjectPtr<PangoLayout> layout;
    PangoRectangle ink{};
};

Laid layOut(cairo_t* cr, const std::string& utf8, const TextStyle& style) {
    Laid laid{GObjectPtr<PangoLayout>(pango_cairo_create_layout(cr)), {}};
    if (!laid.layout) throw std::runtime_error("pango could not make a layout");
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_SLIGHT);
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_ON);
    pango_cairo_context_set_font_options(pango_layout_get_context(laid.layout.get()), options);
    cairo_font_options_destroy(options);
    pango_layout_context_changed(laid.layout.get());
    FontDescriptionPtr d = describe(style);
    pango_layout_set_font_description(laid.layout.get(), d.get());
    pango_layout_set_text(laid.layout.get(), utf8.c_str(), static_cast<int>(utf8.size()));
    pango_layout_get_pixel_extents(laid.layout.get(), &laid.ink, nullptr);
    return laid;
}

void show(cairo_t* cr, const Laid& laid, const TextStyle& style, double left, double top) {
    cairo_save(cr);
    setColour(cr, style.colour);
    cairo_move_to(cr, left - laid.ink.x, top - laid.ink.y);
    pango_cairo_show_layout(cr, laid.layout.get());
    cairo_restore(cr);
}

}  // namespace

void setColour(cairo_t* cr, Colour c) { cairo_set_source_rgba(cr, c.r, c.g, c.b, c.a); }

Canvas::Canvas(int width, int height)
    : width_(width), height_(height), surface_(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height)) {
    if (cairo_surface_status(surface_.get()) != CAIRO_STATUS_SUCCESS) {
        throw std::runtime_error("cairo could not make a surface");
    }
    cr_.reset(cairo_create(surface_.get()));
    if (cairo_status(cr_.get()) != CAIRO_STATUS_SUCCESS) throw std::runtime_error("cairo could not make a context");
}

void Canvas::clear(Colour colour) {
    cairo_save(cr());
    cairo_set_operator(cr(), CAIRO_OPERATOR_SOURCE);
    setColour(cr(), colour);
    cairo_paint(cr());
    cairo_restore(cr());
}

TextSize Canvas::measure(const std::string& utf8, const TextStyle& style) const {
    const Laid laid = layOut(cr(), utf8, style);
    return TextSize{static_cast<double>(laid.ink.width), static_cast<double>(laid.ink.height)};
}

void Canvas::textCentred(const std::string& utf8, const TextStyle& style, double cx, double cy) const {
    const Laid laid = layOut(cr(), utf8, style);
    // Whole pixels keep the strokes of small text sharp.
    show(cr(), laid, style, std::round(cx - laid.ink.width / 2.0), std::round(cy - laid.ink.height / 2.0));
}

void Canvas::textAt(const std::string& utf8, const TextStyle& style, double x, double bottom) const {
    const Laid laid = layOut(cr(), utf8, style);
    show(cr(), laid, style, std::round(x), std::round(bottom - laid.ink.height));
}

Image Canvas::image() const {
    cairo_surface_flush(surface_.get());
    Image out(width_, height_);
    const unsigned char* data = cairo_image_surface_get_data(surface_.get());
    const int rowBytes = cairo_image_surface_get_stride(surface_.get());
    for (int y = 0; y < height_; ++y) {
        const auto* row = reinterpret_cast<const std::uint32_t*>(data + static_cast<std::ptrdiff_t>(y) * rowBytes);
        for (int x = 0; x < width_; ++x) {
            const std::uint32_t v = row[x];  // premultiplied ARGB in native order
            const unsigned a = v >> 24;
            auto channel = [&](unsigned shift) {
                const unsigned c = (v >> shift) & 0xFF;
                return static_cast<std::uint8_t>(a == 0 ? 0 : std::min(255u, (c * 255 + a / 2) / a));
            };
            out.at(x, y) = Pixel{channel(16), channel(8), channel(0), static_cast<std::uint8_t>(a)};
        }
    }
    return out;
}

void requireFonts() {
    PangoFontMap* map = pango_cairo_font_map_get_default();  // owned by pango
    GObjectPtr<PangoContext> context(pango_font_map_create_context(map));
    for (Family family : {Family::Gothic, Family::ProportionalGothic}) {
        TextStyle style;
        style.family = family;
        FontDescriptionPtr wanted = describe(style);
        GObjectPtr<PangoFont> font(pango_font_map_load_font(map, context.get(), wanted.get()));
        if (!font) throw std::runtime_error(std::string("no font for ") + familyName(family));
        FontDescriptionPtr got(pango_font_describe(font.get()));
        const char* name = pango_font_description_get_family(got.get());
        if (name == nullptr || std::string(name) != familyName(family)) {
            throw std::runtime_error(std::string("font ") + familyName(family) +
                                     " is missing (install fonts-ipafont-gothic); fontconfig offers " +
                                     (name ? name : "nothing"));
        }
    }
}

}  // namespace vandrel::picturegen
