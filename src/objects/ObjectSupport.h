#pragma once
#include "board/GameWorld.h"
#include "engine/GfxTypes.h"
#include "shell/GameState.h"
#include <cstdint>
#include <string_view>

class TGuiControl;
class TSpriteCanvas;
class TXParticleSystem;

// What the level objects share: effects they own, text drawn with the game's fonts, controls
// and images looked up by name, and the board cells they mark. Everything degrades to doing
// nothing when the world lacks the piece (no fonts, no GUI, no particles in a test).

// A particle effect owned by a sprite. It is named "dontpaint" so that the frame's general
// particle pass leaves it to its owner, which moves it along, draws it under its own picture
// and stops it when it dies. The manager owns the effect; only its id is kept, so an effect
// that has already finished is simply gone.
class TOwnedEffect {
public:
    void Start(const TGameWorld& world, std::string_view script, double x, double y);
    // Sets the emitter itself, so particles born on the way trail behind.
    void MoveTo(double x, double y) const;
    void Draw(TSpriteCanvas* canvas) const;
    // Stops emitting and clears the particles; the manager then frees the effect.
    void Stop();
    TXParticleSystem* System() const;

private:
    TXParticleManager* particles_ = nullptr;
    uint64_t id_ = 0;
};

// An effect left to the general particle pass (bursts and sparkles).
void StartEffect(const TGameWorld& world, std::string_view script, double x, double y);

// Text in game font `font` (an index into the font list); nothing without fonts or canvas.
void DrawGameText(const TGameWorld& world, int font, std::string_view text, float x, float y,
                  TGfxColor colour);
float GameTextWidth(const TGameWorld& world, int font, std::string_view text);
// Red, green and blue bytes with an alpha byte clamped to 0..255.
TGfxColor TextColour(uint32_t rgb, int alpha);

TGuiControl* FindGameControl(const TGameWorld& world, std::string_view name);
// Pattern size of an image; 0 x 0 when there is none.
void ImageSize(const TGameWorld& world, std::string_view name, int& width, int& height);
// Uniform 0..n-1 from the game's generator; 0 without one.
int RandomInt(const TGameWorld& world, int n);

// The level's goal check, shared by everything that arrives at the HUD: with no underlay
// tile left the level is complete, except on the last level, where only the underlay itself
// decides.
void RunGoalCheck(TGameState& s);

// --- Board cells -------------------------------------------------------------------------

// The cell under a screen point: trunc(offset / 64) + 1, which may lie off the board.
TCell CellUnder(const TGameState& s, double x, double y);
TCell ClampToBoard(TCell cell);
// Marks the cell for clearing (MatchMask 0); cells off the board are ignored.
void MarkCell(TGameState& s, TCell cell);
void KeepAllCells(TGameState& s);
// The cursor's aim point: 20 pixels into the carried item's picture. Without a cursor, the
// same point of the chip at (chipX, chipY).
void AimPoint(const TGameWorld& world, float chipX, float chipY, double& x, double& y);
// The cell under the aim point, kept on the board: a click on the far right or bottom edge
// of a chip would otherwise aim one cell past the board.
TCell AimedCell(const TGameWorld& world, float chipX, float chipY);
