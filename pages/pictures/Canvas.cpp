#include "pages/pictures/Canvas.h"

#include <pango/pangocairo.h>

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "platform/Scaling.h"

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
    cairo_font_options_set_antialias(options, style.smooth ? CAIRO_ANTIALIAS_GRAY : CAIRO_ANTIALIAS_NONE);
    cairo_font_options_set_hint_style(options, style.smooth ? CAIRO_HINT_STYLE_SLIGHT : CAIRO_HINT_STYLE_FULL);
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

// While it lives, the context draws in device pixels: text is laid out and
// placed there, at its scaled size.
class DevicePixels {
public:
    explicit DevicePixels(cairo_t* cr) : cr_(cr) {
        cairo_save(cr_);
        cairo_identity_matrix(cr_);
    }
    ~DevicePixels() { cairo_restore(cr_); }
    DevicePixels(const DevicePixels&) = delete;
    DevicePixels& operator=(const DevicePixels&) = delete;

private:
    cairo_t* cr_;
};

TextStyle zoomed(TextStyle style, double zoom) {
    style.pixels *= zoom;
    return style;
}

}  // namespace

void setColour(cairo_t* cr, Colour c) { cairo_set_source_rgba(cr, c.r, c.g, c.b, c.a); }

Canvas::Canvas(int width, int height, int scale)
    : width_(width),
      height_(height),
      zoom_(scale / 100.0),
      surface_(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, scaling::scaled(width, scale),
                                          scaling::scaled(height, scale))) {
    if (scale <= 0) throw std::invalid_argument("picture scale must be positive");
    if (cairo_surface_status(surface_.get()) != CAIRO_STATUS_SUCCESS) {
        throw std::runtime_error("cairo could not make a surface");
    }
    cr_.reset(cairo_create(surface_.get()));
    if (cairo_status(cr_.get()) != CAIRO_STATUS_SUCCESS) throw std::runtime_error("cairo could not make a context");
    // One scale for both directions, so that nothing is stretched; the
    // rounding of the two sides leaves at most half a pixel at an edge.
    if (scale != 100) cairo_scale(cr_.get(), zoom_, zoom_);
}

void Canvas::clear(Colour colour) {
    cairo_save(cr());
    cairo_set_operator(cr(), CAIRO_OPERATOR_SOURCE);
    setColour(cr(), colour);
    cairo_paint(cr());
    cairo_restore(cr());
}

TextSize Canvas::measure(const std::string& utf8, const TextStyle& style) const {
    const DevicePixels device(cr());
    const Laid laid = layOut(cr(), utf8, zoomed(style, zoom_));
    return TextSize{laid.ink.width / zoom_, laid.ink.height / zoom_};
}

void Canvas::textCentred(const std::string& utf8, const TextStyle& style, double cx, double cy) const {
    const DevicePixels device(cr());
    const TextStyle scaled = zoomed(style, zoom_);
    const Laid laid = layOut(cr(), utf8, scaled);
    // Whole pixels keep the strokes of small text sharp.
    show(cr(), laid, scaled, std::round(cx * zoom_ - laid.ink.width / 2.0),
         std::round(cy * zoom_ - laid.ink.height / 2.0));
}

void Canvas::textAt(const std::string& utf8, const TextStyle& style, double x, double bottom) const {
    const DevicePixels device(cr());
    const TextStyle scaled = zoomed(style, zoom_);
    const Laid laid = layOut(cr(), utf8, scaled);
    show(cr(), laid, scaled, std::round(x * zoom_), std::round(bottom * zoom_ - laid.ink.height));
}

Image Canvas::image() const {
    cairo_surface_flush(surface_.get());
    const int w = cairo_image_surface_get_width(surface_.get());
    const int h = cairo_image_surface_get_height(surface_.get());
    Image out(w, h);
    const unsigned char* data = cairo_image_surface_get_data(surface_.get());
    const int rowBytes = cairo_image_surface_get_stride(surface_.get());
    for (int y = 0; y < h; ++y) {
        const auto* row = reinterpret_cast<const std::uint32_t*>(data + static_cast<std::ptrdiff_t>(y) * rowBytes);
        for (int x = 0; x < w; ++x) {
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
