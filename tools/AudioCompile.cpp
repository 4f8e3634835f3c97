#include "tools/AudioCompile.h"
#include "tools/MusicScore.h"
#include "tools/SoundSynth.h"
#include <fstream>
#include <iterator>
#include <sstream>

namespace {

bool ReadText(const std::string& path, std::string& text, std::string& error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = path + ": cannot read";
        return false;
    }
    std::ostringstream s;
    s << in.rdbuf();
    text = s.str();
    return true;
}

bool WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes, std::string& error) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    out.close();
    if (!out) {
        error = path + ": cannot write";
        return false;
    }
    return true;
}

} // namespace

bool CompileSound(const std::string& recipePath, const std::string& wavPath, std::string& error) {
    std::string text;
    TSoundRecipe recipe;
    if (!ReadText(recipePath, text, error) || !ParseSoundRecipe(text, recipePath, recipe, error))
        return false;
    const std::vector<int16_t> pcm = SynthesiseSound(recipe);
    bool silent = true;
    for (int16_t s : pcm) silent = silent && s == 0;
    if (silent) {
        error = recipePath + ": the voices make no sound";
        return false;
    }
    return WriteBytes(wavPath, EncodeWav(pcm, kSoundRate), error);
}

bool CompileSong(const std::string& scorePath, const std::string& xmPath, std::string& error) {
    std::string text;
    TMusicScore score;
    if (!ReadText(scorePath, text, error) || !ParseMusicScore(text, scorePath, score, error))
        return false;
    TXmModule module;
    std::vector<uint8_t> bytes;
    if (!BuildXmModule(score, module, error)) return false;
    if (!WriteXm(module, bytes, error)) {
        error = scorePath + ": " + error;
        return false;
    }
    return WriteBytes(xmPath, bytes, error);
}
