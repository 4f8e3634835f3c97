#pragma once
#include <string>

// A picture of every image of the manifest (each pattern in its cell, a checkerboard behind
// transparency, the name above) and a sample line of every font, for people to look at.
bool WriteContactSheet(const std::string& assetsDir, const std::string& pngPath,
                       std::string& error);
