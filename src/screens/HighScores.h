#pragma once
#include <string_view>

class TGuiControl;
struct TGameState;

// The three local high-score tables of TGameState::HighScoreTable and the controls of the
// high-score screen "scr_highscore" (state 9). Callers play the "check" sound.

// Every table back to its defaults ("b_clear_yes").
void ResetHighScores(TGameState& s);

// Offers a score to table `difficulty`: it takes the first place whose stored score is less
// than or equal to it (a tie goes above), the places below move down one and the last drops
// out. False, with nothing changed, when it is below every place or the difficulty is not
// 0..2. The name is stored as given, an empty one too.
bool InsertHighScore(TGameState& s, int difficulty, std::string_view name, int score);

// Shows table HighScoreView: the tab buttons' frames, the header colours and the names and
// scores of places 1..10. `onEntry` also numbers the places ("n1".."n10"); `easyTabClicked`
// is the Easy tab's own click, which leaves the Hard tab a pressed frame of 2.
void ShowHighScoreTable(TGuiControl& root, const TGameState& s, bool onEntry,
                        bool easyTabClicked = false);
