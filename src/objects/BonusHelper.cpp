#include "objects/BonusHelper.h"
#include "engine/TextUtil.h"
#include "objects/Cursor.h"
#include "objects/ObjectSupport.h"
#include <cmath>

tbonus_helper::tbonus_helper(TGameWorld& world, float x, float y)
    : TSprite(world.Engine), world_(world) {
    X = x;
    Y = y;
    for (int c = 1; c <= BoardSize; ++c)
        for (int r = 1; r <= BoardSize; ++r) {
            auto* square = new TSprite(Engine);
            square->SetImageName("kvadrat123");
            square->X = x + (c - 1) * 64;
            square->Y = y + (r - 1) * 64;
            square->SetZ(1);
            square->Visible = false;
            Squares[c][r] = square;
        }
}

void tbonus_helper::Dead() {
    if (!IsDead)
        for (int c = 1; c <= BoardSize; ++c)
            for (int r = 1; r <= BoardSize; ++r) Squares[c][r]->Dead();
    TSprite::Dead();
}

void tbonus_helper::Move(float Delta) {
    if (IsDead) return;
    TGameState& s = *world_.State;
    if (Pulse <= 200 && PulseDirection == 1) PulseDirection = -1;
    if (Pulse >= 250 && PulseDirection == -1) PulseDirection = 1;
    Pulse -= PulseDirection * 2 * s.SpeedFactor;
    for (int c = 1; c <= BoardSize; ++c)
        for (int r = 1; r <= BoardSize; ++r) {
            Squares[c][r]->SetAlpha(int(std::lround(Pulse)));
            Squares[c][r]->Visible = false;
        }

    const TCursor* cursor = world_.Cursor;
    if (!cursor) return;
    const float px = cursor->X, py = cursor->Y;
    if (!(s.BoardOriginX < px && px < s.BoardOriginX + 512 && s.BoardOriginY < py &&
          py < s.BoardOriginY + 512))
        return;

    const std::string& image = cursor->ImageName;
    if (SameText(image, "cursor")) {
        const TCell under = CellUnder(s, px, py);
        if (OnBoard(under)) Show(under.c, under.r);
        return;
    }
    const TCell aimed = CellUnder(s, double(px) + 20, double(py) + 20);
    if (!OnBoard(aimed)) return;
    const int colour = s.ColourGrid[aimed.c][aimed.r];
    if (SameText(image, "itemz1")) {
        for (int c = 1; c <= BoardSize; ++c)
            for (int r = 1; r <= BoardSize; ++r)
                if (s.ColourGrid[c][r] == colour) Show(c, r);
    } else if (SameText(image, "itemz4")) {
        ScanReagent(aimed);
    } else if (SameText(image, "itemz5")) {
        ShowInjection(aimed);
    } else if (SameText(image, "itemz7")) {
        for (int c = 1; c <= BoardSize; ++c) Show(c, aimed.r);
    } else if (SameText(image, "itemz8")) {
        for (int r = 1; r <= BoardSize; ++r) Show(aimed.c, r);
    }
}

// One pass in column order that takes colour 1, then 2, and so on as it meets them; the aimed
// chip's colour is taken only at the aimed chip. Colours the pass does not reach stay
// unrecorded (the reagent then finds its own cell for them), never left over from an earlier
// aim.
void tbonus_helper::ScanReagent(TCell aimed) {
    TGameState& s = *world_.State;
    const int aimedColour = s.ColourGrid[aimed.c][aimed.r];
    s.ReagentTargets = {};
    int i = 1;
    for (int c = 1; c <= BoardSize; ++c)
        for (int r = 1; r <= BoardSize; ++r) {
            const bool qualifies =
                i == aimedColour ? TCell{c, r} == aimed : s.ColourGrid[c][r] == i;
            if (!qualifies) continue;
            Show(c, r);
            if (i <= 5) s.ReagentTargets[i] = {c, r};
            ++i;
        }
}

void tbonus_helper::ShowInjection(TCell aimed) {
    TGameState& s = *world_.State;
    for (int c = 1; c <= BoardSize; ++c)
        for (int r = 1; r <= BoardSize; ++r) {
            const bool inBlock = std::abs(c - aimed.c) <= 1 && std::abs(r - aimed.r) <= 1;
            s.InjectionMask[c][r] = inBlock ? 0 : 1;
            if (inBlock) Show(c, r);
        }
}
