#pragma once
#include "tools/FrameTransform.h"
#include <string>
#include <vector>

// One image of the game as the manifest describes it. Either every frame is its own
// drawing (`frames`), or `count` frames are generated from one drawing (`source`) with each
// transform value running from its start to its end across the frames.
struct TImageEntry {
    std::string name;
    std::string archive; // "data.fgg", "gdata.fgg" or "data1.fgg"
    int patternWidth = 0, patternHeight = 0;
    int visibleWidth = 0, visibleHeight = 0; // 0: the pattern size
    int textureWidth = 0, textureHeight = 0; // 0: chosen to fit
    std::vector<std::string> frames;         // paths relative to the manifest
    std::string source;
    int count = 1;
    TFrameTransform from, to;
    std::string line; // where in the manifest, for messages
};

struct TFontEntry {
    std::string name;
    std::string archive;
    std::string ttf;
    int pixelSize = 20;
    int outline = 0;
    int spacing = 0;
};

struct TAssetManifest {
    std::vector<TImageEntry> images; // in archive order
    std::vector<TFontEntry> fonts;
};

// Reads the JSON manifest; false with a message naming the entry on any error.
bool LoadAssetManifest(const std::string& path, TAssetManifest& out, std::string& error);
// The transform of frame i of n: start + (end - start) * i / (n - 1).
TFrameTransform FrameAt(const TImageEntry& entry, int index);
