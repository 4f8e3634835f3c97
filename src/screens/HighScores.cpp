#include "screens/HighScores.h"
#include "engine/GuiButton.h"
#include "screens/BitCodec.h"
#include "screens/ControlLookup.h"
#include "shell/GameState.h"
#include <algorithm>
#include <climits>

namespace {

constexpr const char* kTabs[HighScoreDifficulties] = {"b_highscore_easy", "b_highscore_medium",
                                                      "b_highscore_hard"};
constexpr TGfxColor kHeaderColours[HighScoreDifficulties] = {0xFF64FF66, 0xFF02F0FF, 0xFF00C9FF};

void SetFrames(TGuiControl& root, const char* name, int normal, int hover, int pressed) {
    if (auto* b = FindAs<TGuiButton>(root, name)) {
        b->NormalGlyph = normal;
        b->DisabledGlyph = hover;
        b->ClickedGlyph = pressed;
    }
}

} // namespace

void ResetHighScores(TGameState& s) { s.HighScoreTable = DefaultHighScores(); }

bool InsertHighScore(TGameState& s, int difficulty, std::string_view name, int score) {
    if (difficulty < 0 || difficulty >= HighScoreDifficulties) return false;
    auto& table = s.HighScoreTable[size_t(difficulty)];
    int place = -1;
    for (int p = 0; p < HighScorePlaces && place < 0; ++p) {
        // A place whose text is not a number (it never is one after loading) yields to any score.
        const int stored = BitCodec::ParseDecimal(table[size_t(p)].Score).value_or(INT_MIN);
        if (stored <= score) place = p;
    }
    if (place < 0) return false;
    for (int p = HighScorePlaces - 1; p > place; --p) table[size_t(p)] = table[size_t(p - 1)];
    table[size_t(place)] = {std::string(name), std::to_string(score)};
    return true;
}

void ShowHighScoreTable(TGuiControl& root, const TGameState& s, bool onEntry, bool easyTabClicked) {
    const int view = std::clamp(s.HighScoreView, 0, HighScoreDifficulties - 1);
    for (int d = 0; d < HighScoreDifficulties; ++d) {
        const int frame = d == view ? 1 : 0;
        SetFrames(root, kTabs[d], frame, frame, frame);
    }
    if (easyTabClicked && view == 0) SetFrames(root, kTabs[2], 0, 0, 2);

    for (const char* header : {"l_highscore_place", "l_highscore_name", "l_highscore_score"})
        if (TGuiControl* label = root.FindControl(header))
            label->Bkgrnd.SetColor(kHeaderColours[view]);

    const auto& table = s.HighScoreTable[size_t(view)];
    for (int p = 1; p <= HighScorePlaces; ++p) {
        const std::string number = std::to_string(p);
        SetLabelText(root, "name" + number, table[size_t(p - 1)].Name);
        SetLabelText(root, "score" + number, table[size_t(p - 1)].Score);
        if (onEntry) SetLabelText(root, "n" + number, number);
    }
}
