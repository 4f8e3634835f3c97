#include "tools/SoundSynth.h"
#include "tools/AudioCompile.h"
#include "tools/SoundRecipe.h"
#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <set>

namespace fs = std::filesystem;

namespace {

const fs::path kAssets = fs::path(__FILE__).parent_path().parent_path().parent_path() / "assets";

TSoundRecipe Parse(const std::string& text) {
    TSoundRecipe r;
    std::string error;
    EXPECT_TRUE(ParseSoundRecipe(text, "t.txt", r, error)) << error;
    return r;
}

uint32_t U32(const std::vector<uint8_t>& b, size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | uint32_t(b[at + 3]) << 24;
}
uint16_t U16(const std::vector<uint8_t>& b, size_t at) { return uint16_t(b[at] | b[at + 1] << 8); }

int Peak(const std::vector<int16_t>& pcm) {
    int peak = 0;
    for (int16_t s : pcm) peak = std::max(peak, std::abs(int(s)));
    return peak;
}

// Upward zero crossings per second between two times: the pitch of a plain wave.
double Pitch(const std::vector<double>& mix, double from, double to) {
    int crossings = 0;
    const size_t a = size_t(from * kSoundRate), b = size_t(to * kSoundRate);
    for (size_t i = a + 1; i < b; ++i) crossings += mix[i - 1] < 0 && mix[i] >= 0;
    return crossings / (to - from);
}

std::vector<uint8_t> ReadFile(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

} // namespace

TEST(SoundRecipeTest, BadRecipesNameFileAndLine) {
    struct Case {
        const char* text;
        int line;
        const char* says;
    } cases[] = {
        {"length = 1\n[voice]\nwave = sawtooth\n", 3, "unknown wave"},
        {"length = 1\n\n[voice]\nfreqq = 200\n", 4, "unknown voice key 'freqq'"},
        {"length = 1\n[voice]\nfreq = 200 -> \n", 3, "expected a value"},
        {"length = 1\n[voice]\nfreq = 200 -> 300 cubic\n", 3, "unknown curve"},
        {"length = 1\n[voice]\nadsr = 0.1 0.1 0.5\n", 3, "four values"},
        {"length = 1\n[voice]\nadsr = 0.1 0.1 1.5 0.1\n", 3, "sustain"},
        {"length = 1\n[voice]\nvolume = loud\n", 3, "not a number"},
        {"length = 1\n[voice]\nlowpass = 5\n", 3, "cutoff"},
        {"length = 1\n[voice]\nwave sine\n", 3, "key = value"},
        {"length = 1\nwave = sine\n", 2, "after [voice]"},
        {"length = 1\n[layer]\n", 2, "unknown section"},
        {"length = 0\n[voice]\n", 1, "length"},
        {"length = 1\necho = 0.1\n[voice]\n", 2, "echo"},
        {"# nothing but a voice\n[voice]\nwave = sine\n", 1, "missing 'length"},
        {"length = 1\npeak = 0.5\n", 1, "no [voice]"},
        {"length = 1\n[voice]\nstart = 2\n", 2, "starts after the sound has ended"},
    };
    for (const Case& c : cases) {
        TSoundRecipe r;
        std::string error;
        EXPECT_FALSE(ParseSoundRecipe(c.text, "sounds/x.txt", r, error)) << c.text;
        EXPECT_EQ(error.rfind("sounds/x.txt:" + std::to_string(c.line) + ": ", 0), 0u)
            << c.text << " -> " << error;
        EXPECT_NE(error.find(c.says), std::string::npos) << c.text << " -> " << error;
    }
}

TEST(SoundRecipeTest, ReadsNotesRampsAndComments) {
    const TSoundRecipe r = Parse("length = 0.5  # whole effect\n"
                                 "seed = 42\n"
                                 "[voice]\n"
                                 "freq = A4 -> C#5 exp\n"
                                 "lowpass = 4000 -> 400\n"
                                 "arpeggio = 0 4 7\n");
    ASSERT_EQ(r.voices.size(), 1u);
    const TSynthVoice& v = r.voices[0];
    EXPECT_DOUBLE_EQ(v.freq.start, 440);
    EXPECT_NEAR(v.freq.end, 554.365, 0.001);
    EXPECT_EQ(v.freq.curve, TCurve::Exponential);
    EXPECT_NEAR(v.freq.At(0.5), std::sqrt(440 * 554.365), 0.01); // equal ratios
    EXPECT_DOUBLE_EQ(v.lowpass.At(0.5), 2200);                   // linear by default
    EXPECT_EQ(v.arpeggio, (std::vector<double>{0, 4, 7}));
    EXPECT_EQ(r.seed, 42u);
}

TEST(SoundSynthTest, WavHeaderDescribesMono16BitPcm) {
    const TSoundRecipe r = Parse("length = 0.25\n[voice]\nfreq = 300\n");
    const std::vector<int16_t> pcm = SynthesiseSound(r);
    ASSERT_EQ(pcm.size(), 11025u);
    const std::vector<uint8_t> wav = EncodeWav(pcm, kSoundRate);
    ASSERT_EQ(wav.size(), 44 + 2 * pcm.size());
    EXPECT_EQ(std::string(wav.begin(), wav.begin() + 4), "RIFF");
    EXPECT_EQ(U32(wav, 4), wav.size() - 8);
    EXPECT_EQ(std::string(wav.begin() + 8, wav.begin() + 16), "WAVEfmt ");
    EXPECT_EQ(U32(wav, 16), 16u);    // fmt chunk size
    EXPECT_EQ(U16(wav, 20), 1);      // PCM
    EXPECT_EQ(U16(wav, 22), 1);      // mono
    EXPECT_EQ(U32(wav, 24), 44100u); // rate
    EXPECT_EQ(U32(wav, 28), 88200u); // bytes a second
    EXPECT_EQ(U16(wav, 32), 2);      // block align
    EXPECT_EQ(U16(wav, 34), 16);     // bits
    EXPECT_EQ(std::string(wav.begin() + 36, wav.begin() + 40), "data");
    EXPECT_EQ(U32(wav, 40), 2 * pcm.size());
    EXPECT_EQ(int16_t(U16(wav, 44 + 2 * 1000)), pcm[1000]); // little-endian samples
}

TEST(SoundSynthTest, SameTextSameBytesAndTheSeedChangesNoise) {
    const std::string text = "length = 0.3\nseed = 7\n[voice]\nwave = noise\nfreq = 6000\n"
                             "lowpass = 3000 -> 300 exp\n[voice]\nwave = square\nvibrato = 6 1\n";
    const std::vector<int16_t> a = SynthesiseSound(Parse(text));
    EXPECT_EQ(a, SynthesiseSound(Parse(text)));
    std::string reseeded = text;
    reseeded.replace(reseeded.find("seed = 7"), 8, "seed = 8");
    EXPECT_NE(a, SynthesiseSound(Parse(reseeded)));
}

TEST(SoundSynthTest, LoudLayersAreScaledToThePeakWithoutClipping) {
    // Four full-volume layers and a long echo tail would reach far past full scale raw.
    const TSoundRecipe r = Parse("length = 1\npeak = 0.8\necho = 0.05 0.9\n"
                                 "[voice]\nwave = square\nvolume = 4\n"
                                 "[voice]\nwave = saw\nvolume = 4\nfreq = 441\n"
                                 "[voice]\nwave = noise\nvolume = 4\n"
                                 "[voice]\nwave = triangle\nvolume = 4\nfreq = 110\n");
    double raw = 0;
    for (double s : MixRecipe(r)) raw = std::max(raw, std::abs(s));
    ASSERT_GT(raw, 4.0);
    const std::vector<int16_t> pcm = SynthesiseSound(r);
    EXPECT_NEAR(Peak(pcm), 0.8 * 32767, 1);
    EXPECT_EQ(pcm.back(), 0); // the last samples fade, so the effect ends without a click
}

TEST(SoundSynthTest, VoicesSoundWhereAndAtThePitchTheRecipeSays) {
    const TSoundRecipe r = Parse("length = 1\n"
                                 "[voice]\nfreq = 200 -> 800 exp\nstart = 0.5\nadsr = 0 0 1 0\n");
    const std::vector<double> mix = MixRecipe(r);
    for (size_t i = 0; i < kSoundRate / 2; ++i) ASSERT_EQ(mix[i], 0.0) << "before its start, " << i;
    // The sweep runs over the voice's own half second: 200 Hz at its start, 800 at its end.
    EXPECT_NEAR(Pitch(mix, 0.5, 0.55), 200 * std::pow(4.0, 0.05), 25);
    EXPECT_NEAR(Pitch(mix, 0.94, 0.99), 800 * std::pow(4.0, -0.05), 40);

    const std::vector<double> arp =
        MixRecipe(Parse("length = 0.6\n[voice]\nfreq = 300\narpeggio = 0 12\narp_step = 0.3\n"));
    EXPECT_NEAR(Pitch(arp, 0.05, 0.25), 300, 10);
    EXPECT_NEAR(Pitch(arp, 0.35, 0.55), 600, 10);
}

TEST(SoundSynthTest, LowpassDarkensAndHighpassThinsNoise) {
    auto roughness = [](const std::string& filter) {
        const std::vector<double> mix =
            MixRecipe(Parse("length = 0.5\n[voice]\nwave = noise\n" + filter));
        double energy = 0, change = 0;
        for (size_t i = 1; i < mix.size(); ++i) {
            energy += mix[i] * mix[i];
            change += (mix[i] - mix[i - 1]) * (mix[i] - mix[i - 1]);
        }
        return change / energy; // high for hiss, low for rumble
    };
    const double white = roughness("");
    EXPECT_LT(roughness("lowpass = 500\n"), white / 20);
    EXPECT_GT(roughness("highpass = 8000\n"), white * 1.3);
}

TEST(SoundSynthTest, CompileSoundWritesTheFileOrSaysWhy) {
    const fs::path dir = fs::temp_directory_path() / "kelvora_sound_test";
    fs::create_directories(dir);
    const fs::path recipe = dir / "blip.txt", wav = dir / "blip.wav";
    std::ofstream(recipe) << "length = 0.1\n[voice]\nwave = triangle\nfreq = E6\n";
    std::string error;
    ASSERT_TRUE(CompileSound(recipe.string(), wav.string(), error)) << error;
    EXPECT_EQ(fs::file_size(wav), 44u + 2 * 4410);

    std::ofstream(recipe) << "length = 0.1\n[voice]\nvolume = 0\n";
    EXPECT_FALSE(CompileSound(recipe.string(), wav.string(), error));
    EXPECT_NE(error.find("no sound"), std::string::npos) << error;
    EXPECT_FALSE(CompileSound((dir / "missing.txt").string(), wav.string(), error));
    EXPECT_NE(error.find("missing.txt"), std::string::npos) << error;
    fs::remove_all(dir);
}

// Every effect the game plays has a recipe, and each one renders as a usable effect.
TEST(SoundAssetsTest, EveryEffectCompiles) {
    const std::set<std::string> effects = {
        "check",   "lostlife",  "startlevel", "gameover", "stagecomplete", "blowfishka",
        "sound",   "lightning", "lazzzer",    "addpart",  "bubble",        "firego",
        "combogo", "spricgo",   "mixturago",  "drugsgo",  "mixgo",         "gotabl",
        "gotabl2", "clock",     "newcoin",    "ok",       "selectfishka"};
    std::set<std::string> found;
    const fs::path out = fs::temp_directory_path() / "kelvora_sound_assets";
    fs::create_directories(out);
    for (const auto& entry : fs::directory_iterator(kAssets / "sounds")) {
        if (entry.path().extension() != ".txt") continue;
        const std::string name = entry.path().stem().string();
        found.insert(name);
        const fs::path wav = out / (name + ".wav");
        std::string error;
        ASSERT_TRUE(CompileSound(entry.path().string(), wav.string(), error)) << error;
        const std::vector<uint8_t> bytes = ReadFile(wav);
        ASSERT_GT(bytes.size(), 44u) << name;
        std::vector<int16_t> pcm((bytes.size() - 44) / 2);
        for (size_t i = 0; i < pcm.size(); ++i) pcm[i] = int16_t(U16(bytes, 44 + 2 * i));
        const double seconds = double(pcm.size()) / kSoundRate;
        EXPECT_GE(seconds, 0.03) << name;
        EXPECT_LE(seconds, 4.0) << name << ": effects stay short";
        EXPECT_LT(Peak(pcm), 32767) << name;
        EXPECT_GT(Peak(pcm), 32767 / 4) << name << " is too quiet to hear over the music";
    }
    EXPECT_EQ(found, effects);
    fs::remove_all(out);
}
