#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace platform {

// The game's text is single-byte Windows-1252; the desktop speaks UTF-8.
// Characters with no Windows-1252 form become '?'; broken UTF-8 sequences are skipped.
std::string Utf8ToCp1252(std::string_view utf8);
std::string Cp1252ToUtf8(std::string_view text);
// Unicode code point of a Windows-1252 byte (0 for the five unassigned codes).
char32_t Cp1252ToCodePoint(uint8_t byte);

} // namespace platform
