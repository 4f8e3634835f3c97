#pragma once
#include <optional>
#include <string>
#include <string_view>

// The bit-string codec of the settings file, the online score report and the in-memory
// score and lives. Text is one byte per character; digit strings hold '0' and '1', most
// significant first; letters come from CodecAlphabet, five digits per letter.
namespace BitCodec {

inline constexpr std::string_view CodecAlphabet = "ABCDEFGHJKLMNPQRSTUVWXY123456789";

// Each byte as its 8 binary digits.
std::string EncodeBytes(std::string_view text);
// Zero-pads on the left to a multiple of 8, then 8 digits per byte ('1' is a one bit, any
// other character a zero bit).
std::string DecodeBytes(std::string_view digits);
// Zero-pads on the left to a multiple of 5, then one letter per 5 digits.
std::string EncodeGroups(std::string_view digits);
// One 5-digit group per alphabet letter; other characters are skipped.
std::string DecodeGroups(std::string_view letters);

// text followed by '%' up to a multiple of `multiple` characters (none when it already is one).
std::string PadWithPercent(std::string_view text, size_t multiple);
// text without its trailing '%' characters (padding and any '%' the text itself ended with).
std::string StripPercent(std::string_view text);

// The decimal text padded to a multiple of 10, encoded: 16 letters for up to 10 characters.
std::string EncodeNumber(int n);
// nullopt when the decoded text is not a decimal integer in int range (a damaged settings
// line, an empty line); the caller keeps its current value.
std::optional<int> DecodeNumber(std::string_view letters);

// The text padded to a multiple of 5 and encoded; DecodeText removes the padding.
std::string EncodeText(std::string_view text);
std::string DecodeText(std::string_view letters);

// "true" for exactly 1, else "false", unpadded.
std::string EncodeFlag(int flag);
// 0 only for the exact encoding of "false"; anything else (an empty line too) reads as 1.
int DecodeFlag(std::string_view letters);

// The decimal integer of text: an optional sign and 1..n digits, nothing else, in int range.
std::optional<int> ParseDecimal(std::string_view text);

} // namespace BitCodec
