#include "board/podlarray.h"
#include "board/BoardModel.h"
#include "board/BoardPhases.h"
#include "board/GameWorld.h"
#include <cmath>

podlarray::podlarray(TSpriteEngine* engine, TGameWorld& world, const TUnderlay& underlay)
    : TSprite(engine), Underlay(underlay), world_(world) {
    const TGameState& s = *world_.State;
    for (int c = 1; c <= BoardSize; ++c)
        for (int r = 1; r <= BoardSize; ++r) {
            TSprite* tile = new TSprite(engine);
            tile->X = CellX(s, c) - 2;
            tile->Y = CellY(s, r);
            const int count = Underlay.Count[c][r];
            if (count > 0) tile->SetImageName(UnderlayImageName(s.LevelNumber, count));
            Tiles[c][r] = tile;
        }
}

void podlarray::Dead() {
    if (IsDead) return;
    for (int c = 1; c <= BoardSize; ++c)
        for (int r = 1; r <= BoardSize; ++r) Tiles[c][r]->Dead();
    TSprite::Dead();
}

void podlarray::Move(float Delta) {
    TGameState& s = *world_.State;
    if (PulseAlpha < 160) PulseDirection = 1.0;
    if (PulseAlpha >= 250) PulseDirection = -1.0;
    PulseAlpha += PulseDirection * 2 * s.SpeedFactor;
    const int alpha = int(std::lround(PulseAlpha));
    for (int c = 1; c <= BoardSize; ++c)
        for (int r = 1; r <= BoardSize; ++r) Tiles[c][r]->SetAlpha(alpha);

    TUnderlayTick tick = UnderlayTick(s, Underlay);
    if (tick.firstBurst) world_.PlayEffect("blowfishka");
    for (TCell cell : tick.burstCells) {
        const float x = CellX(s, cell.c), y = CellY(s, cell.r);
        world_.hooks().CreateExplosion(x, y);
        const int kind = s.BonusGrid[cell.c][cell.r];
        // A blast chip's bonus is the neighbour it took along; it leaves nothing behind.
        if (kind >= 1 && kind <= 7 && kind != 2) world_.hooks().CreateBonusObject(kind, x, y);
    }
    for (TCell cell : tick.tilesGone) {
        TSprite* tile = Tiles[cell.c][cell.r];
        tile->Visible = false;
        world_.hooks().CreateMoleculePart(tile->X, tile->Y);
    }
    for (TCell cell : tick.tilesWorn)
        Tiles[cell.c][cell.r]->SetImageName(
            UnderlayImageName(s.LevelNumber, Underlay.Count[cell.c][cell.r]));
}
