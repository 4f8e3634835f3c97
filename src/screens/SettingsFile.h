#pragma once
#include "screens/ReplaceFile.h"
#include <string>
#include <string_view>

struct TGameState;

// The settings file "Config.cfg": every persistent setting of TGameState (flags, volumes,
// country and name, the high-score tables, the profiles and the key bindings), one codec-
// encoded line each, in a fixed order.

inline constexpr const char* SettingsFileName = "Config.cfg";
// An unreadable settings file is kept under this name beside the new one.
inline constexpr const char* DamagedSettingsSuffix = ".damaged";
// Longer files are not settings files and are not read.
inline constexpr size_t MaxSettingsBytes = 1 << 20;
// Capacity of TGameState::KeyBindings.
inline constexpr int MaxKeyBindings = 21;

// The file's text: one line per item, each ending in a line feed. FullScreen and Antialias are
// written as they are in the state; the caller copies them from the device first.
std::string SettingsText(const TGameState& s);

// Replaces the file safely (see ReplaceFile); false when it could not be written, the old file
// then being untouched. As the file has always done, a country or player name ending in "%"
// loses those characters, in the file and in the state.
bool SaveSettings(TGameState& s, const std::string& path = SettingsFileName,
                  const TByteSink& sink = {});

// Reads a settings text into the state, item by item in the order written. Whatever cannot be
// read keeps its current value: a missing line, a number that does not decode or is out of
// range, a flag line that is neither "true" nor "false" (an empty flag line reads as 1), a
// score that is not a number. A profile or key count beyond its list, a current profile outside
// the list, or a key code outside 1..255 keeps the current profiles or keys. False when any of
// that happened.
bool ParseSettings(std::string_view text, TGameState& s);

enum class TSettingsLoad { Missing, Loaded, Damaged };

// Reads the file if it exists. A damaged file (ParseSettings false, or too large to be one) is
// renamed to "<path>.damaged" (or ".damaged.1" .. ".9" when that is taken) so that it is kept
// while the next save writes a fresh one. PlayerName is not synchronised with the profiles
// here (SyncPlayerName does that at start-up).
TSettingsLoad LoadSettings(TGameState& s, const std::string& path = SettingsFileName);
