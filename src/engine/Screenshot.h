#pragma once
#include <string>

class TGfxDevice;

// Writes what the device's renderer holds now (call it before Flip) as a PNG file.
bool SaveScreenshot(TGfxDevice& device, const std::string& path);
