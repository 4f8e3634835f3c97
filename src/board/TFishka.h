#pragma once
#include "board/BoardModel.h"
#include "engine/GfxSprite.h"
#include <cstdint>
#include <string>
#include <vector>

struct TGameWorld;
class TBonus;

// A chip on one board cell. It keeps ColourGrid and BonusGrid of its cell up to date, grows
// in after it is made, answers the pointer (hover, selection, the swap partner, placing an
// armed super-bonus item) and carries out the chip's steps of the board state machine:
// selection (phase 0), super-bonus removal (1), swap, fall, refill and swap back (2),
// clearing and settling (3), fall targets (4) and shuffle removal (-1).
//
// The chips act only on the playing screen (ScreenState 13), once grown in, and while
// TickLock is clear. They remove themselves when their cell is cleared, at a shuffle, and
// when the level ends (UnderlayCleared or LevelDone).
class TFishka : public TAnimatedSprite {
public:
    // A chip at (x, y) of colour 1..5 carrying bonusKind 0..7, on a board whose top-left cell
    // is at (originX, originY). It starts small and adds itself to GrowingCount.
    TFishka(TSpriteEngine* engine, TGameWorld& world, float x, float y, int colour, int bonusKind,
            int originX, int originY);
    ~TFishka() override;

    // Creates one chip per entry at its cell of the current board.
    static void CreateChips(TGameWorld& world, const std::vector<TNewChip>& chips);

    // The chip pictures of a colour on a level: five consecutive images of fifteen, shifted
    // by one with every level ("f1".."f15"; the moving one adds "g").
    static int ImageNumber(int level, int colour);
    static std::string StillImage(int level, int colour);
    static std::string MovingImage(int level, int colour);

    int Colour = 0;
    TBonus* BonusIcon = nullptr; // a sprite of the engine; null once freed
    int OriginX = 0, OriginY = 0;
    uint8_t Moving = 0; // in a swap or a swap back
    float Growth = 0;   // 0..1; the chip acts once it is 1
    float TargetX = 0, TargetY = 0;

    void Move(float Delta) override;
    // Removes the badge with the chip.
    void Dead() override;

private:
    friend class TBonus;

    void KeepGrid();
    void Grow();
    void RunPhase(float px, float py);
    void Hover(float px, float py);
    void SelectionPhase(float px, float py);
    void SuperBonusPhase();
    void MovementPhase();
    void ClearingPhase();
    void FallTargetPhase();
    void Refill();
    void SwapStep(bool back);
    void FallStep();

    bool Inside(float px, float py) const;
    TCell Cell() const;
    void StillStopped();
    void Animate(const std::string& image, float speed);
    void MoveBy(float dx, float dy);
    void SnapTo(float x, float y);

    TGameWorld& world_;
    std::string still_, moving_;
};
