#include "screens/SettingsFile.h"
#include "screens/BitCodec.h"
#include "shell/GameState.h"
#include <algorithm>
#include <climits>
#include <filesystem>
#include <fstream>
#include <optional>
#include <vector>

namespace fs = std::filesystem;
using namespace BitCodec;

namespace {

// Country and player name: padded to a multiple of 5 and encoded; empty stays empty.
std::string EncodePadded(std::string_view text, size_t multiple) {
    return EncodeGroups(EncodeBytes(PadWithPercent(text, multiple)));
}

// The lines of a text; a last line without its line feed counts too.
std::vector<std::string_view> SplitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const size_t end = text.find('\n');
        if (end == std::string_view::npos) {
            lines.push_back(text);
            break;
        }
        lines.push_back(text.substr(0, end));
        text.remove_prefix(end + 1);
    }
    return lines;
}

// Reads the lines in order and remembers whether any item could not be taken.
class TLineReader {
public:
    explicit TLineReader(std::string_view text) : lines_(SplitLines(text)) {}

    std::optional<std::string_view> Next() {
        if (next_ >= lines_.size()) return Fail();
        return lines_[next_++];
    }
    std::optional<int> Number(int low, int high) {
        const auto line = Next();
        if (!line) return std::nullopt;
        const auto n = DecodeNumber(*line);
        if (!n || *n < low || *n > high) return Fail();
        return n;
    }
    void Flag(uint8_t& flag) {
        const auto line = Next();
        if (!line) return;
        const std::string decoded = DecodeBytes(DecodeGroups(*line));
        if (decoded == "false")
            flag = 0;
        else if (decoded.empty() || decoded == std::string("\0true", 5))
            flag = 1;
        else
            Fail();
    }
    // A stored text is whole groups of five characters, eight letters each: a line cut short
    // or with foreign characters would decode to bytes that were never written.
    std::optional<std::string> TextLine() {
        auto line = Next();
        if (!line) return std::nullopt;
        if (!line->empty() && line->back() == '\r') line->remove_suffix(1);
        if (line->size() % 8 != 0 || DecodeGroups(*line).size() != line->size() * 5) return Fail();
        return DecodeText(*line);
    }
    void Text(std::string& text) {
        if (auto decoded = TextLine()) text = std::move(*decoded);
    }
    // A high-score text: an empty one keeps what is there.
    void Entry(std::string& text, bool number) {
        auto line = TextLine();
        if (!line) return;
        std::string decoded = std::move(*line);
        if (decoded.empty()) return;
        if (number) {
            const auto value = ParseDecimal(decoded);
            if (!value) {
                Fail();
                return;
            }
            decoded = std::to_string(*value);
        }
        text = std::move(decoded);
    }
    std::nullopt_t Fail() {
        damaged = true;
        return std::nullopt;
    }

    bool damaged = false;

private:
    std::vector<std::string_view> lines_;
    size_t next_ = 0;
};

} // namespace

std::string SettingsText(const TGameState& s) {
    std::string out;
    auto line = [&](const std::string& text) {
        out += text;
        out += '\n';
    };
    for (uint8_t flag : {s.FullScreen, s.Antialias, s.VSync, s.ShowHowToPlay, s.ShowStory})
        line(EncodeFlag(flag));
    line(EncodeNumber(s.MusicVolume));
    line(EncodeNumber(s.SoundVolume));
    line(EncodePadded(s.Country, 5));
    line(EncodePadded(s.PlayerName, 5));
    for (const auto& table : s.HighScoreTable)
        for (const THighScoreEntry& entry : table) {
            line(EncodeText(entry.Name));
            line(EncodeText(entry.Score));
        }
    const int profiles = std::clamp(s.ProfileCount, 0, TGameState::MaxProfiles);
    line(EncodeNumber(profiles));
    line(EncodeNumber(s.ProfileIndex));
    for (int i = 0; i < profiles; ++i) line(EncodePadded(s.Profiles[size_t(i)], 10));
    line(EncodeNumber(int(s.KeyBindings.size())));
    for (int code : s.KeyBindings) line(EncodeNumber(code));
    return out;
}

bool SaveSettings(TGameState& s, const std::string& path, const TByteSink& sink) {
    const std::string text = SettingsText(s);
    s.Country = StripPercent(s.Country);
    s.PlayerName = StripPercent(s.PlayerName);
    return ReplaceFile(path, text, sink);
}

bool ParseSettings(std::string_view text, TGameState& s) {
    TLineReader in(text);
    for (uint8_t* flag : {&s.FullScreen, &s.Antialias, &s.VSync, &s.ShowHowToPlay, &s.ShowStory})
        in.Flag(*flag);
    for (int* volume : {&s.MusicVolume, &s.SoundVolume})
        if (const auto v = in.Number(0, 250)) *volume = *v;
    in.Text(s.Country);
    in.Text(s.PlayerName);
    for (auto& table : s.HighScoreTable)
        for (THighScoreEntry& entry : table) {
            in.Entry(entry.Name, false);
            in.Entry(entry.Score, true);
        }

    // Past a count that does not fit, where the following items start is unknown.
    const auto count = in.Number(0, TGameState::MaxProfiles);
    if (!count) return false;
    const auto index = in.Number(INT_MIN, INT_MAX);
    std::array<std::string, TGameState::MaxProfiles> names;
    int read = 0;
    for (; read < *count; ++read) {
        auto name = in.TextLine();
        if (!name) break;
        names[size_t(read)] = std::move(*name);
    }
    s.Profiles = names;
    s.ProfileCount = read;
    s.ProfileIndex = index.value_or(0);
    if (s.ProfileIndex < 0 || s.ProfileIndex >= std::max(read, 1)) {
        in.Fail();
        s.ProfileIndex = 0;
    }
    if (read < *count) return false;

    // The game reads at least the default bindings.
    const auto keys = in.Number(int(s.DefaultKeyBindings.size()), MaxKeyBindings);
    if (!keys) return false;
    std::vector<int> bindings;
    for (int i = 0; i < *keys; ++i) {
        const auto code = in.Number(1, 255);
        if (!code) return false;
        bindings.push_back(*code);
    }
    s.KeyBindings = std::move(bindings);
    return !in.damaged;
}

TSettingsLoad LoadSettings(TGameState& s, const std::string& path) {
    std::error_code ec;
    if (!fs::exists(path, ec)) return TSettingsLoad::Missing;
    std::string text;
    bool readable = false;
    {
        std::ifstream file(path, std::ios::binary);
        if (file) {
            text.resize(MaxSettingsBytes + 1);
            file.read(text.data(), std::streamsize(text.size()));
            text.resize(size_t(file.gcount()));
            readable = !file.bad() && text.size() <= MaxSettingsBytes;
        }
    }
    if (readable && ParseSettings(text, s)) return TSettingsLoad::Loaded;

    // Keep the damaged file beside the next one instead of writing over it.
    std::string kept = path + DamagedSettingsSuffix;
    for (int n = 1; n <= 9 && fs::exists(kept, ec); ++n)
        kept = path + DamagedSettingsSuffix + "." + std::to_string(n);
    fs::rename(path, kept, ec);
    return TSettingsLoad::Damaged;
}
