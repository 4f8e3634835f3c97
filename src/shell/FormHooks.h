#pragma once
#include <functional>

// Behaviour of the screens and level objects that the window calls at fixed points of its
// states. A hook left empty does nothing, so the shell runs (and is tested) on its own.
struct TFormHooks {
    std::function<void()> BuildLevel;         // the level's board sprites, HUD and objects
    std::function<void()> CreateTitleDoctor;  // when the intro logo ends
    std::function<void()> CreateShop;         // entering the shop
    std::function<void()> CreateFinalPicture; // after the last level
    std::function<void()> EnterStory, EnterLevelIntro, EnterConsole, TickConsole;
    std::function<void()> EnterExitScreen, DrawExitScreen;
    std::function<void(int x, int y)> ExitScreenPress; // left press on the exit screen
    std::function<void()> OpenExitLink;               // the window closes: "play.url"
    std::function<void()> LoadSettings, SaveSettings;
    std::function<void()> ResetHighScores, FillHighScores;
    std::function<bool()> OfferScore;       // enter the score in its table; true when it placed
    std::function<void()> SubmitScore;      // send it online
    std::function<void()> DrawBonusCounts;  // the super-bonus counts of the overlay
    std::function<void()> ScoreCountTick;   // count "yourscore" up (score screen)
    std::function<void()> HowToPlayTick;    // page texts of the how-to-play screen
    std::function<void()> EnterNameTick, CreateNameTick, CountryTick; // name and country checks
    std::function<void()> BindScreens;      // extra button bindings of the menu screens
};
