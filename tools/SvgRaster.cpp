#include "tools/SvgRaster.h"
#include <cairo.h>
#include <cstdlib>
#include <librsvg/rsvg.h>

void UseOnlyAssetFonts(const std::string& fontDir) {
    const std::string conf = fontDir + "/fonts.conf";
    setenv("FONTCONFIG_FILE", conf.c_str(), 1);
}

namespace {

std::optional<TPixelPage> Render(RsvgHandle* handle, int width, int height, std::string& error) {
    if (width <= 0 || height <= 0 || width > kMaxTextureSide || height > kMaxTextureSide) {
        error = "picture size out of range";
        return std::nullopt;
    }
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
    cairo_t* cr = cairo_create(surface);
    RsvgRectangle viewport{0, 0, double(width), double(height)};
    GError* gerror = nullptr;
    const bool ok = rsvg_handle_render_document(handle, cr, &viewport, &gerror);
    cairo_destroy(cr);
    std::optional<TPixelPage> page;
    if (!ok) {
        error = gerror ? gerror->message : "cannot draw the SVG";
        if (gerror) g_error_free(gerror);
    } else {
        cairo_surface_flush(surface);
        page.emplace();
        page->width = width;
        page->height = height;
        page->pixels.resize(size_t(width) * height);
        const unsigned char* data = cairo_image_surface_get_data(surface);
        const int stride = cairo_image_surface_get_stride(surface);
        for (int y = 0; y < height; ++y) {
            const auto* row = reinterpret_cast<const uint32_t*>(data + size_t(y) * stride);
            for (int x = 0; x < width; ++x) {
                // Cairo keeps colour premultiplied by alpha; textures want it straight.
                const uint32_t p = row[x];
                const uint32_t a = p >> 24;
                uint32_t out = 0;
                if (a > 0) {
                    auto un = [a](uint32_t c) { return (c * 255 + a / 2) / a; };
                    out = a << 24 | un((p >> 16) & 0xFF) << 16 | un((p >> 8) & 0xFF) << 8 |
                          un(p & 0xFF);
                }
                page->pixels[size_t(y) * width + x] = out;
            }
        }
    }
    cairo_surface_destroy(surface);
    return page;
}

} // namespace

std::optional<TPixelPage> RasteriseSvg(const std::string& path, int width, int height,
                                       std::string& error) {
    GError* gerror = nullptr;
    RsvgHandle* handle = rsvg_handle_new_from_file(path.c_str(), &gerror);
    if (!handle) {
        error = path + ": " + (gerror ? gerror->message : "cannot read");
        if (gerror) g_error_free(gerror);
        return std::nullopt;
    }
    auto page = Render(handle, width, height, error);
    if (!page) error = path + ": " + error;
    g_object_unref(handle);
    return page;
}

std::optional<TPixelPage> RasteriseSvgData(const std::string& svg, int width, int height,
                                           std::string& error) {
    GError* gerror = nullptr;
    RsvgHandle* handle = rsvg_handle_new_from_data(
        reinterpret_cast<const guint8*>(svg.data()), gsize(svg.size()), &gerror);
    if (!handle) {
        error = gerror ? gerror->message : "cannot read the SVG";
        if (gerror) g_error_free(gerror);
        return std::nullopt;
    }
    auto page = Render(handle, width, height, error);
    g_object_unref(handle);
    return page;
}
