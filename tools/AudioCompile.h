#pragma once
#include <string>

// The asset compiler's entry points for sound. Each reads one text source and writes one
// runtime file; false with a message naming the file (and line, for a bad source) in error.

// A sound recipe (assets/sounds/*.txt) to a 44100 Hz mono 16-bit WAV file.
bool CompileSound(const std::string& recipePath, const std::string& wavPath, std::string& error);

// A music score (assets/music/*.txt) to an XM module.
bool CompileSong(const std::string& scorePath, const std::string& xmPath, std::string& error);
