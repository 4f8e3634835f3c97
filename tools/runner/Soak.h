#pragma once
#include <functional>
#include <string>

class TGameRunner;

struct TSoakResult {
    int moves = 0;       // swaps, shuffles, hints and super-bonuses that went through
    int levelsWon = 0;   // levels finished by clearing the board
    int levelsSkipped = 0; // ended by the console where the clock ran short
    int gamesEnded = 0;  // games that reached their score screen
    std::string stopped; // why it stopped early, empty when every move was played
};

// Plays whole games for a number of moves, as a very patient player would: from wherever the
// game stands through the menus, the levels, the shop and the score screens to the table,
// then back to the main menu and a new game. With a console.ini in the working folder the
// console ends levels whose clock runs short, so the later levels come round too.
// `progress` is called every `every` moves with the moves so far.
TSoakResult RunSoak(TGameRunner& runner, int moves, int every = 0,
                    const std::function<void(int)>& progress = {});
