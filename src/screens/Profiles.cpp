#include "screens/Profiles.h"
#include "shell/GameState.h"

std::string TrimSpaces(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    return std::string(text);
}

bool CreateProfile(TGameState& s, std::string_view typed) {
    std::string name = TrimSpaces(typed);
    if (name.empty() || s.ProfileCount < 0 || s.ProfileCount >= TGameState::MaxProfiles)
        return false;
    s.Profiles[size_t(s.ProfileCount)] = name;
    s.ProfileIndex = s.ProfileCount;
    ++s.ProfileCount;
    s.PlayerName = std::move(name);
    return true;
}

void SyncPlayerName(TGameState& s) {
    if (s.ProfileCount < 0 || s.ProfileCount > TGameState::MaxProfiles) s.ProfileCount = 0;
    if (s.ProfileIndex >= s.ProfileCount) s.ProfileIndex = s.ProfileCount - 1;
    if (s.ProfileIndex < 0) s.ProfileIndex = 0;
    s.PlayerName = s.ProfileCount > 0 ? s.Profiles[size_t(s.ProfileIndex)] : std::string();
}

void SelectProfile(TGameState& s, int i) {
    if (i >= 0 && i < s.ProfileCount) s.ProfileIndex = i;
    SyncPlayerName(s);
}

void DeleteProfile(TGameState& s) {
    SyncPlayerName(s);
    if (s.ProfileCount == 0) return;
    const int last = s.ProfileCount - 1;
    if (s.ProfileIndex == last) {
        s.Profiles[size_t(last)].clear();
        if (s.ProfileCount > 1) --s.ProfileIndex;
    } else {
        for (int i = s.ProfileIndex; i < last; ++i)
            s.Profiles[size_t(i)] = s.Profiles[size_t(i + 1)];
        s.Profiles[size_t(last)].clear();
    }
    --s.ProfileCount;
    s.PlayerName = s.ProfileCount > 0 ? s.Profiles[size_t(s.ProfileIndex)] : std::string();
}
