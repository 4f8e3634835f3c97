#pragma once
#include "engine/GfxSprite.h"

struct TGameWorld;
class podlarray;
class tkombobar;

// The board background of a level: the tray "pole" over the backdrop "zadnik2", fading in.
// Once faded in it builds the board: the underlay, 64 chips, the combo bar, then the rest of
// the level through TGameHooks::CreateLevelObjects, and shows the shuffle buttons and the
// score panel. Afterwards it deals the new board of a shuffle, writes the score on the
// panel and shows the hint button while the score can pay for a hint. It fades out while
// the level is being left (LeavingPlay).
class tzadnik : public TSprite {
public:
    // Given the board origin less 10 on both axes; the pictures hang off that point.
    tzadnik(TSpriteEngine* engine, TGameWorld& world, float x, float y);

    TSprite* Backdrop = nullptr; // "zadnik2"
    float FadeAlpha = 0;
    bool Built = false;
    // Made by the build; sprites of the engine.
    podlarray* Underlay = nullptr;
    tkombobar* ComboBar = nullptr;

    void Move(float Delta) override;
    // Removes the backdrop with it; the board it built lives on its own.
    void Dead() override;

private:
    void SetFade(float alpha);
    void Build();
    void ScorePanel();

    TGameWorld& world_;
};

// The level start's board: draws the level's bonus pool, then creates the background at the
// board origin, which builds the rest once it has faded in. Call after the level's state is
// reset and its time set (TGameState::ResetForLevelStart, StartLevelTime). The board's
// sprites need the world's State, Engine and Rng; everything else they do without.
tzadnik* BuildLevelBoard(TGameWorld& world);
