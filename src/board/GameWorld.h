#pragma once
#include "shell/GameState.h"
#include <cstdint>
#include <functional>
#include <string_view>

class TSpriteEngine;
class TGfxImages;
class TGfxFonts;
class TGfxCanvas;
class TXParticleManager;
class TRandom;
class TSoundSystem;
class TCursor;
class TGuiBase;

// Objects that one part of a level creates for another. The board makes them at a burst or a
// click; the game objects implement them. Every default does nothing, so the board runs (and
// tests) without them.
class TGameHooks {
public:
    virtual ~TGameHooks() = default;
    // The flying object of a cleared chip's bonus kind 1..7, from the cell's position.
    virtual void CreateBonusObject(int kind, float x, float y) {}
    // The super-bonus object of item 1..8, placed on the chip at (x, y).
    virtual void CreateSuperBonus(int item, float x, float y) {}
    // A points label rising from a cleared cell.
    virtual void CreateMoney(float x, float y, int points) {}
    // A molecule part flying from a cleared underlay tile to the flask.
    virtual void CreateMoleculePart(float x, float y) {}
    // The burst sprite of a cleared chip.
    virtual void CreateExplosion(float x, float y) {}

    // Board to the rest of the level.
    // The board has been built: the aiming guide, the level clock, the flask and the HUD frame
    // with the combo gauge and the coin counter follow.
    virtual void CreateLevelObjects() {}
    // A move settled with no move and no shuffle left: enter the game-over state 14 through
    // its enter handler.
    virtual void EnterGameOver() {}
};

// What the game's sprites reach of their owner. The shell fills it once the engine exists;
// tests fill only what they use. Pointers stay valid for the whole run.
struct TGameWorld {
    TGameState* State = nullptr;
    TSpriteEngine* Engine = nullptr;
    TGfxImages* Images = nullptr;
    TGfxFonts* Fonts = nullptr;
    TGfxCanvas* Canvas = nullptr;
    TXParticleManager* Particles = nullptr;
    TRandom* Rng = nullptr;
    TSoundSystem* Sound = nullptr;
    TCursor* Cursor = nullptr;
    TGuiBase* Gui = nullptr;
    TGameHooks* Hooks = nullptr;

    // Screen-state changes that the story characters make themselves when their animation
    // ends. The shell points them at its state dispatchers, which update State->ScreenState
    // before returning, so the rest of the tick sees the new state. Unset, they do nothing.
    std::function<void(uint8_t state)> OnEnterState, OnLeaveState;
    void EnterState(uint8_t state) const {
        if (OnEnterState) OnEnterState(state);
    }
    void LeaveState(uint8_t state) const {
        if (OnLeaveState) OnLeaveState(state);
    }

    void PlayEffect(std::string_view name) const;
    TGameHooks& hooks() const {
        static TGameHooks none;
        return Hooks ? *Hooks : none;
    }
};
