#include "engine/PictureDecoders.h"
#include <csetjmp>
#include <cstdio>
// jpeglib.h needs size_t and FILE declared first.
#include <jpeglib.h>

namespace picture {

namespace {

// Bounds libjpeg's own buffers (whole-image coefficients of a progressive picture).
constexpr long kMaxDecoderMemory = 512L << 20;

struct TJpegError {
    jpeg_error_mgr mgr;
    std::jmp_buf jump;
};

// The default handler ends the process; here a damaged picture only fails its load.
void Fail(j_common_ptr cinfo) { std::longjmp(reinterpret_cast<TJpegError*>(cinfo->err)->jump, 1); }

// Level -1 is a warning about damaged data (a truncated file among them), which libjpeg
// would paper over with grey; the picture fails instead. Trace messages are dropped.
void OnMessage(j_common_ptr cinfo, int level) {
    if (level < 0) Fail(cinfo);
}

void Silent(j_common_ptr) {}

// Everything that must survive a longjmp lives in the caller's frame.
bool ReadRgb(const uint8_t* data, size_t size, TPixelPage& page, std::vector<uint8_t>& row) {
    jpeg_decompress_struct cinfo{};
    TJpegError err{};
    cinfo.err = jpeg_std_error(&err.mgr);
    err.mgr.error_exit = Fail;
    err.mgr.emit_message = OnMessage;
    err.mgr.output_message = Silent;
    if (setjmp(err.jump)) {
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    jpeg_create_decompress(&cinfo);
    cinfo.mem->max_memory_to_use = kMaxDecoderMemory;
    jpeg_mem_src(&cinfo, data, static_cast<unsigned long>(size));
    jpeg_read_header(&cinfo, TRUE);
    if (!SizeFits(cinfo.image_width, cinfo.image_height)) {
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    cinfo.out_color_space = JCS_RGB; // grey pictures are widened by the library
    jpeg_start_decompress(&cinfo);
    if (cinfo.output_components != 3) {
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    const size_t width = cinfo.output_width;
    page.width = int(cinfo.output_width);
    page.height = int(cinfo.output_height);
    row.resize(width * 3);
    // Rows are appended as they decode, so damaged data stops the load before a picture
    // it only claims to hold has been allocated.
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW rows[1] = {row.data()};
        if (jpeg_read_scanlines(&cinfo, rows, 1) != 1) {
            jpeg_destroy_decompress(&cinfo);
            return false;
        }
        for (size_t x = 0; x < width; ++x)
            page.pixels.push_back(Argb(row[x * 3], row[x * 3 + 1], row[x * 3 + 2]));
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    return true;
}

} // namespace

std::optional<TPixelPage> DecodeJpeg(const uint8_t* data, size_t size) {
    if (!data || size == 0) return std::nullopt;
    TPixelPage page;
    std::vector<uint8_t> row;
    if (!ReadRgb(data, size, page, row)) return std::nullopt;
    return page;
}

} // namespace picture
