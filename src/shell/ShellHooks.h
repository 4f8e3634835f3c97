#pragma once
#include "objects/LevelObjects.h"

class TForm1;

// Everything the board asks of the rest of the level, gathered for the window: the level
// objects, the explosions of a burst, and the way into the game-over state.
class TShellHooks : public TLevelObjects {
public:
    TShellHooks(TForm1& form, TGameWorld& world) : TLevelObjects(world), form_(form) {}

    void CreateExplosion(float x, float y) override;
    void EnterGameOver() override;
    void CreateMoleculePart(float x, float y) override;
    // The guide and HUD, then the sand clock and the flask.
    void CreateLevelObjects() override;

private:
    TForm1& form_;
};
