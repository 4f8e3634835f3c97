// Image and font records as they come out of an archive.
#include "engine/FontRecord.h"
#include "engine/GfxFonts.h"
#include "engine/GfxImages.h"
#include "engine/ImageRecord.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const std::vector<uint8_t> bytes(data + 1, data + size);
    TGfxImages images;
    TGfxFonts fonts;
    if (data[0] & 1) images.AddFromRecord("x", bytes);
    else fonts.AddFromRecord("x", bytes);
    return 0;
}
