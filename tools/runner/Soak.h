#pragma once
#include <functional>
#include <string>

class TGameRunner;

struct TSoakResult {
    int moves = 0;         // swaps and shuffles that went through
    int levelsWon = 0;     // stage-complete screens reached
    int gamesEnded = 0;    // game-over screens reached
    std::string stopped;   // why it stopped early, empty when every move was played
};

// Autoplays the game for a number of moves, carrying on through won levels (stage complete,
// shop, level intro) and starting again after a game over, as a very patient player would.
// `progress` is called every `every` moves with the moves so far.
TSoakResult RunSoak(TGameRunner& runner, int moves, int every = 0,
                    const std::function<void(int)>& progress = {});
