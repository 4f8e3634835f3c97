#include "engine/PictureDecoders.h"
#include <cstdio>
#include <cstring>
#include <png.h>

namespace picture {

namespace {

// Deflate cannot squeeze data by more than about 1032 to 1.
constexpr uint64_t kMaxInflateRatio = 1100;

struct TPngSource {
    const uint8_t* data;
    size_t size;
    size_t pos;
};

void ReadFromMemory(png_structp png, png_bytep out, size_t n) {
    auto* src = static_cast<TPngSource*>(png_get_io_ptr(png));
    if (n > src->size - src->pos) png_error(png, "truncated");
    std::memcpy(out, src->data + src->pos, n);
    src->pos += n;
}

// libpng's own handlers print; a damaged picture is reported by the result alone.
void Fail(png_structp png, png_const_charp) { png_longjmp(png, 1); }
void IgnoreWarning(png_structp, png_const_charp) {}

// Everything that must survive a longjmp lives in the caller's frame.
bool ReadRgba(const uint8_t* data, size_t size, std::vector<uint8_t>& rgba,
              std::vector<png_bytep>& rows, png_uint_32& width, png_uint_32& height) {
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, Fail, IgnoreWarning);
    if (!png) return false;
    png_infop info = png_create_info_struct(png);
    if (!info) {
        png_destroy_read_struct(&png, nullptr, nullptr);
        return false;
    }
    TPngSource src{data, size, 0};
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        return false;
    }
    png_set_read_fn(png, &src, ReadFromMemory);
    png_set_user_limits(png, kMaxPictureSide, kMaxPictureSide);
    png_read_info(png, info);
    width = png_get_image_width(png, info);
    height = png_get_image_height(png, info);
    if (!SizeFits(width, height)) png_error(png, "too large");
    if (uint64_t(width) * height * 4 > uint64_t(size) * kMaxInflateRatio)
        png_error(png, "more pixels than the data can hold");

    const int colorType = png_get_color_type(png, info);
    const bool hasAlpha =
        (colorType & PNG_COLOR_MASK_ALPHA) || png_get_valid(png, info, PNG_INFO_tRNS);
    png_set_expand(png); // palette and low-bit grey to 8 bits, transparency to alpha
    png_set_strip_16(png);
    if (!(colorType & PNG_COLOR_MASK_COLOR)) png_set_gray_to_rgb(png);
    if (!hasAlpha) png_set_add_alpha(png, 0xFF, PNG_FILLER_AFTER);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    if (png_get_rowbytes(png, info) != size_t(width) * 4) png_error(png, "unexpected layout");

    rgba.resize(size_t(width) * height * 4);
    rows.resize(height);
    for (png_uint_32 y = 0; y < height; ++y) rows[y] = rgba.data() + size_t(y) * width * 4;
    png_read_image(png, rows.data());
    png_read_end(png, nullptr);
    png_destroy_read_struct(&png, &info, nullptr);
    return true;
}

} // namespace

std::optional<TPixelPage> DecodePng(const uint8_t* data, size_t size) {
    if (!data || size < 8 || png_sig_cmp(data, 0, 8) != 0) return std::nullopt;
    std::vector<uint8_t> rgba;
    std::vector<png_bytep> rows;
    png_uint_32 width = 0, height = 0;
    if (!ReadRgba(data, size, rgba, rows, width, height)) return std::nullopt;
    TPixelPage page;
    page.width = int(width);
    page.height = int(height);
    page.pixels.resize(size_t(width) * height);
    for (size_t i = 0; i < page.pixels.size(); ++i) {
        const uint8_t* p = rgba.data() + i * 4;
        page.pixels[i] = Argb(p[0], p[1], p[2], p[3]);
    }
    return page;
}

} // namespace picture

bool SavePng(const std::string& path, const TPixelPage& page) {
    if (page.width <= 0 || page.height <= 0 ||
        page.pixels.size() != size_t(page.width) * size_t(page.height))
        return false;
    std::vector<uint8_t> rgba(page.pixels.size() * 4);
    for (size_t i = 0; i < page.pixels.size(); ++i) {
        const uint32_t c = page.pixels[i];
        rgba[i * 4 + 0] = uint8_t(c >> 16);
        rgba[i * 4 + 1] = uint8_t(c >> 8);
        rgba[i * 4 + 2] = uint8_t(c);
        rgba[i * 4 + 3] = uint8_t(c >> 24);
    }
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    image.width = png_uint_32(page.width);
    image.height = png_uint_32(page.height);
    image.format = PNG_FORMAT_RGBA;
    const bool ok = png_image_write_to_file(&image, path.c_str(), 0, rgba.data(),
                                            png_int_32(page.width) * 4, nullptr) != 0;
    png_image_free(&image);
    if (!ok) std::remove(path.c_str());
    return ok;
}
