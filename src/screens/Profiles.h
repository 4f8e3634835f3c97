#pragma once
#include <string>
#include <string_view>

struct TGameState;

// Player profiles: up to TGameState::MaxProfiles names in TGameState::Profiles, the first
// ProfileCount in use, one of them current (ProfileIndex, copied into PlayerName). The callers
// play the "check" sound; nothing here touches the settings file.

// Space characters (code 32 only) off both ends; tabs and other white space stay.
std::string TrimSpaces(std::string_view text);

// Appends the trimmed name as a new profile and makes it current. False, with nothing
// changed, for an empty or all-space name or when every slot is taken.
bool CreateProfile(TGameState& s, std::string_view typed);

// Makes profile i current. An index outside the used slots (a list with no selection) keeps
// ProfileIndex, pulled into range, and PlayerName follows it (empty without profiles).
void SelectProfile(TGameState& s, int i);

// Removes the current profile: the last one hands over to the one before it, any other to the
// one that followed it. Nothing without profiles.
void DeleteProfile(TGameState& s);

// PlayerName := the current profile's name (empty when there is none); after the settings
// file is read.
void SyncPlayerName(TGameState& s);
