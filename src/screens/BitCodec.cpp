#include "screens/BitCodec.h"
#include <array>
#include <charconv>

namespace BitCodec {

namespace {

constexpr std::array<int, 256> MakeLetterValues() {
    std::array<int, 256> values{};
    values.fill(-1);
    for (size_t i = 0; i < CodecAlphabet.size(); ++i)
        values[static_cast<unsigned char>(CodecAlphabet[i])] = int(i);
    return values;
}
// Built once at compile time; the codec keeps no state between calls.
constexpr std::array<int, 256> kLetterValues = MakeLetterValues();

std::string PadLeftWithZeros(std::string_view digits, size_t multiple) {
    size_t pad = (multiple - digits.size() % multiple) % multiple;
    std::string padded(pad, '0');
    padded.append(digits);
    return padded;
}

} // namespace

std::string EncodeBytes(std::string_view text) {
    std::string digits;
    digits.reserve(text.size() * 8);
    for (char ch : text) {
        auto byte = static_cast<unsigned char>(ch);
        for (int bit = 7; bit >= 0; --bit) digits.push_back((byte >> bit) & 1 ? '1' : '0');
    }
    return digits;
}

std::string DecodeBytes(std::string_view digits) {
    std::string padded = PadLeftWithZeros(digits, 8);
    std::string text;
    text.reserve(padded.size() / 8);
    for (size_t i = 0; i < padded.size(); i += 8) {
        unsigned byte = 0;
        for (size_t k = 0; k < 8; ++k) byte = (byte << 1) | (padded[i + k] == '1' ? 1u : 0u);
        text.push_back(static_cast<char>(byte));
    }
    return text;
}

std::string EncodeGroups(std::string_view digits) {
    std::string padded = PadLeftWithZeros(digits, 5);
    std::string letters;
    letters.reserve(padded.size() / 5);
    for (size_t i = 0; i < padded.size(); i += 5) {
        unsigned value = 0;
        for (size_t k = 0; k < 5; ++k) value = (value << 1) | (padded[i + k] == '1' ? 1u : 0u);
        letters.push_back(CodecAlphabet[value]);
    }
    return letters;
}

std::string DecodeGroups(std::string_view letters) {
    std::string digits;
    digits.reserve(letters.size() * 5);
    for (char ch : letters) {
        int value = kLetterValues[static_cast<unsigned char>(ch)];
        if (value < 0) continue;
        for (int bit = 4; bit >= 0; --bit) digits.push_back((value >> bit) & 1 ? '1' : '0');
    }
    return digits;
}

std::string PadWithPercent(std::string_view text, size_t multiple) {
    std::string padded(text);
    if (multiple > 0) padded.append((multiple - text.size() % multiple) % multiple, '%');
    return padded;
}

std::string StripPercent(std::string_view text) {
    while (!text.empty() && text.back() == '%') text.remove_suffix(1);
    return std::string(text);
}

std::optional<int> ParseDecimal(std::string_view text) {
    std::string_view digits = text;
    if (!digits.empty() && (digits.front() == '+' || digits.front() == '-'))
        digits.remove_prefix(1);
    if (digits.empty()) return std::nullopt;
    for (char ch : digits)
        if (ch < '0' || ch > '9') return std::nullopt;
    // from_chars takes a '-' but not a '+'.
    std::string_view parsed = text.front() == '+' ? digits : text;
    int value = 0;
    auto [end, error] = std::from_chars(parsed.data(), parsed.data() + parsed.size(), value);
    if (error != std::errc() || end != parsed.data() + parsed.size()) return std::nullopt;
    return value;
}

std::string EncodeNumber(int n) {
    return EncodeGroups(EncodeBytes(PadWithPercent(std::to_string(n), 10)));
}

std::optional<int> DecodeNumber(std::string_view letters) {
    return ParseDecimal(StripPercent(DecodeBytes(DecodeGroups(letters))));
}

std::string EncodeText(std::string_view text) {
    return EncodeGroups(EncodeBytes(PadWithPercent(text, 5)));
}

std::string DecodeText(std::string_view letters) {
    return StripPercent(DecodeBytes(DecodeGroups(letters)));
}

std::string EncodeFlag(int flag) { return EncodeGroups(EncodeBytes(flag == 1 ? "true" : "false")); }

int DecodeFlag(std::string_view letters) {
    return DecodeBytes(DecodeGroups(letters)) == "false" ? 0 : 1;
}

} // namespace BitCodec
