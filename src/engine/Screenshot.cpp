#include "engine/Screenshot.h"
#include "engine/GfxDevice.h"
#include "engine/PictureFile.h"

bool SaveScreenshot(TGfxDevice& device, const std::string& path) {
    if (!device.Running()) return false;
    TPixelPage page;
    if (!device.Renderer().ReadPixels(page.pixels, page.width, page.height)) return false;
    for (uint32_t& p : page.pixels) p |= 0xFF000000u; // the frame is opaque
    return SavePng(path, page);
}
