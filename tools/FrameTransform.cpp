#include "tools/FrameTransform.h"
#include <algorithm>
#include <cairo.h>
#include <cmath>

namespace {

uint32_t Premultiply(uint32_t p) {
    const uint32_t a = p >> 24;
    auto m = [a](uint32_t c) { return (c * a + 127) / 255; };
    return a << 24 | m((p >> 16) & 0xFF) << 16 | m((p >> 8) & 0xFF) << 8 | m(p & 0xFF);
}

uint32_t Unpremultiply(uint32_t p) {
    const uint32_t a = p >> 24;
    if (a == 0) return 0;
    auto u = [a](uint32_t c) { return std::min<uint32_t>(255, (c * 255 + a / 2) / a); };
    return a << 24 | u((p >> 16) & 0xFF) << 16 | u((p >> 8) & 0xFF) << 8 | u(p & 0xFF);
}

} // namespace

TPixelPage TransformFrame(const TPixelPage& base, const TFrameTransform& t) {
    const int w = base.width, h = base.height;
    TPixelPage out{w, h, std::vector<uint32_t>(size_t(w) * h, 0)};
    if (w <= 0 || h <= 0) return out;

    std::vector<uint32_t> src(base.pixels.size());
    const double tr = ((t.tint >> 16) & 0xFF) / 255.0, tg = ((t.tint >> 8) & 0xFF) / 255.0,
                 tb = (t.tint & 0xFF) / 255.0;
    for (size_t i = 0; i < src.size(); ++i) {
        const uint32_t p = base.pixels[i];
        const auto r = uint32_t(std::lround(((p >> 16) & 0xFF) * tr));
        const auto g = uint32_t(std::lround(((p >> 8) & 0xFF) * tg));
        const auto b = uint32_t(std::lround((p & 0xFF) * tb));
        src[i] = Premultiply((p & 0xFF000000u) | r << 16 | g << 8 | b);
    }
    cairo_surface_t* in = cairo_image_surface_create_for_data(
        reinterpret_cast<unsigned char*>(src.data()), CAIRO_FORMAT_ARGB32, w, h, w * 4);
    cairo_surface_t* dst = cairo_image_surface_create_for_data(
        reinterpret_cast<unsigned char*>(out.pixels.data()), CAIRO_FORMAT_ARGB32, w, h, w * 4);
    cairo_t* cr = cairo_create(dst);
    cairo_translate(cr, w / 2.0 + t.offsetX, h / 2.0 + t.offsetY);
    cairo_rotate(cr, t.rotate * M_PI / 180.0);
    cairo_scale(cr, t.scaleX, t.scaleY);
    cairo_translate(cr, -w / 2.0, -h / 2.0);
    cairo_set_source_surface(cr, in, 0, 0);
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_BEST);
    cairo_paint_with_alpha(cr, std::clamp(t.alpha, 0.0, 1.0));
    cairo_destroy(cr);
    cairo_surface_flush(dst);
    cairo_surface_destroy(dst);
    cairo_surface_destroy(in);
    for (uint32_t& p : out.pixels) p = Unpremultiply(p);
    return out;
}
