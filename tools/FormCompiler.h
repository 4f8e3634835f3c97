#pragma once
#include "tools/ImageManifest.h"
#include <cstdint>
#include <string>
#include <vector>

// GUI screens written as JSON, compiled into the binary form file the game reads.
//
//   {"controls": [ {"class": "TGuiForm",
//                   "props": {"Name": "scr_main", "Left": 0, "Visible": false,
//                             "ImageIndex": "@menu_back",   // an image name, as its index
//                             "Bkgrnd": {"colors": ["#ffd0d0d0", ...], "drawn": true},
//                             "Font": {"index": 7, "top": "#ffa0a0a0", "bottom": "#ffffffff",
//                                      "scale": 1.0, "style": 0, "interleave": 0}},
//                   "children": [ ... ] } ]}
//
// Colours are "#AARRGGBB" (as people read them) and stored with red in the low byte.
// Texts are UTF-8 in the sources and stored as Windows-1252, the game's code page.
// A value "@name" is replaced by that image's index in the game's image list, which loads
// data.fgg's images first, then gdata.fgg's. Numbers and booleans are stored as text, as the
// reader converts every plain value from text.
bool CompileForms(const std::vector<std::string>& jsonPaths, const TAssetManifest& manifest,
                  std::vector<uint8_t>& out, std::string& error);

// Index of an image in the game's image list, or -1.
int GameImageIndex(const TAssetManifest& manifest, const std::string& name);
