#pragma once
#include "tools/runner/AutoPlay.h"
#include <functional>
#include <string>
#include <vector>

class TGameRunner;

// How the player goes about a whole game.
struct TPlaythroughOptions {
    std::string playerName = "Robin";
    std::string country = "Lowlands";
    std::string difficulty = "b_choosedif_easy";
    // Below this many seconds on the level clock the console's "NEXT LEVEL" ends the level
    // (only when the console is switched on); 0 plays every level out.
    double skipBelowSeconds = 0;
    int hintEvery = 20;      // every n-th move is a bought hint when the points reach; 0 never
    int superBonusEvery = 5; // every n-th move places a held super-bonus; 0 never
    bool buySuperBonuses = true;
    bool sendScore = false; // the answer on the send-score screen
    int games = 1;          // games the main menu starts, one after the other
};

// Plays the game from wherever it stands as a person would, through the mouse and the
// keyboard only: types a name, starts a game from the main menu, reads the story, buys in the
// shop, plays the levels with the autoplayer, counts the scores up and goes on to the table.
// Screens it has nothing to do on (the intro, game over, the final picture) are waited out.
class TPlaythrough {
public:
    explicit TPlaythrough(TGameRunner& runner, TPlaythroughOptions options = {});

    // One action on the screen that shows: a button pressed, a move played or a frame let pass.
    // False when the game has closed.
    bool Step();
    // Steps until done holds; false (with Reason) when the window closed or maxFrames passed.
    bool RunUntil(const std::function<bool(const TGameState&)>& done, long maxFrames);

    TAutoPlayer Player;
    std::string Reason;
    std::vector<int> Screens;  // every screen state in the order they came
    std::vector<int> LevelsWon; // the level numbers finished by clearing the board
    std::vector<int> LevelsSkipped; // ended by "NEXT LEVEL"
    int ItemsBought = 0;
    int Moves = 0; // swaps, shuffles, hints and super-bonuses that went through
    // Games begun from the main menu, and games that reached their score screen. A game whose
    // score does not make the table goes from there straight back to the main menu.
    int GamesStarted = 0, GamesEnded = 0;

private:
    void NoteScreen();
    void PlayLevel();
    void Shop();
    void Press(const char* control);
    // Presses the control once it shows; a frame passes otherwise.
    void PressWhenShown(const char* control);
    void Type(const std::string& text);
    void Key(int code);
    void Wait(int frames = 1);

    TGameRunner& runner_;
    TPlaythroughOptions options_;
    int moves_ = 0;
    int shopVisit_ = -1; // the level whose shop has been bought in
};
