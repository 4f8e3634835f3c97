#include "board/TFishka.h"
#include "board/BoardGui.h"
#include "board/BoardPhases.h"
#include "board/GameWorld.h"
#include "board/Refill.h"
#include "board/TBonus.h"
#include "engine/TextUtil.h"
#include "engine/XParticles.h"
#include "objects/Cursor.h"
#include <cmath>

namespace {

constexpr int kCell = 64;
constexpr float kBadgeOffset = 30; // the badge's centre from the chip's corner
constexpr float kAnimSpeed = 400;
constexpr int kChipPatterns = 8;
constexpr int kStopPattern = 1;

// The pointer as the chips see it: the plain pointer's picture hangs 20 pixels up and left
// of the spot the board tests.
struct TPointer {
    float x = -1000, y = -1000;
    bool plain = true;
};
TPointer PointerOf(const TGameWorld& world) {
    if (!world.Cursor) return {};
    const bool plain = world.Cursor->ShowsPointer();
    const float offset = plain ? 20.0f : 0.0f;
    return {world.Cursor->X + offset, world.Cursor->Y + offset, plain};
}

// The burst each super-bonus item leaves on the chips it takes.
const char* SuperBonusEffect(int item) {
    static const char* const kEffects[] = {
        nullptr,        "toxicex.pss",  "fireex.pss",         "electroexplode.pss", "bubbleex.pss",
        "shprecex.pss", "tablexpl.pss", "electroexplode.pss", "soundex.pss"};
    return item >= 1 && item <= 8 ? kEffects[item] : nullptr;
}

} // namespace

int TFishka::ImageNumber(int level, int colour) {
    // Level 1 shows f1..f5; each level moves the five colours on by one image.
    return ((level + colour - 2) % 15 + 15) % 15 + 1;
}

std::string TFishka::StillImage(int level, int colour) {
    return "f" + std::to_string(ImageNumber(level, colour));
}

std::string TFishka::MovingImage(int level, int colour) { return StillImage(level, colour) + "g"; }

TFishka::TFishka(TSpriteEngine* engine, TGameWorld& world, float x, float y, int colour,
                 int bonusKind, int originX, int originY)
    : TAnimatedSprite(engine), world_(world) {
    BonusIcon = new TBonus(engine, world, bonusKind);
    BonusIcon->owner_ = this;
    Colour = colour;
    OriginX = originX;
    OriginY = originY;
    const int level = world_.State->LevelNumber;
    still_ = StillImage(level, colour);
    moving_ = MovingImage(level, colour);

    SetImageName(still_);
    X = x;
    Y = y;
    SetZ(2);
    Visible = true;
    ScaleX = ScaleY = 0.1f;
    BonusIcon->ScaleX = BonusIcon->ScaleY = 0.1f;
    BonusIcon->X = x + kBadgeOffset;
    BonusIcon->Y = y + kBadgeOffset;
    BonusIcon->Visible = bonusKind >= 1 && bonusKind <= 7;
    if (BonusIcon->Visible) {
        BonusIcon->SetZ(3);
        BonusIcon->SetImageName("bonuss" + std::to_string(bonusKind));
    }
    TargetX = x;
    TargetY = y;

    Growth = 0;
    Animate(moving_, kAnimSpeed);
    ++world_.State->GrowingCount;
}

TFishka::~TFishka() {
    if (BonusIcon) BonusIcon->owner_ = nullptr;
}

void TFishka::CreateChips(TGameWorld& world, const std::vector<TNewChip>& chips) {
    const TGameState& s = *world.State;
    for (const TNewChip& chip : chips)
        new TFishka(world.Engine, world, CellX(s, chip.cell.c), CellY(s, chip.cell.r), chip.colour,
                    chip.bonusKind, s.BoardOriginX, s.BoardOriginY);
}

void TFishka::Dead() {
    if (IsDead) return;
    // A chip taken before it has grown in must not hold the board's checks back.
    if (Growth < 1) {
        Growth = 1;
        --world_.State->GrowingCount;
    }
    if (BonusIcon) BonusIcon->Dead();
    TAnimatedSprite::Dead();
}

void TFishka::Move(float Delta) {
    // Nothing of a removed chip may reach the grids again, not even in the refill's extra step.
    if (IsDead) return;
    TGameState& s = *world_.State;
    const TPointer pointer = PointerOf(world_);
    if (s.ScreenState == 13) {
        KeepGrid();
        if (Growth < 1) {
            Grow();
        } else if (!s.TickLock) {
            RunPhase(pointer.x, pointer.y);
            if (!IsDead) Hover(pointer.x, pointer.y);
        }
    }
    if (s.ScreenState != 13 || s.UnderlayCleared) StillStopped();
    if (s.UnderlayCleared || s.LevelDone) Dead();
    if (ScaleX < 1) DoAnimate = true;
    TAnimatedSprite::Move(Delta);
    if (BonusIcon) BonusIcon->Angle += float(s.PulseCounter * 0.01);
}

TCell TFishka::Cell() const {
    return {int(std::trunc((X - OriginX + 5) / kCell)) + 1,
            int(std::trunc((Y - OriginY + 5) / kCell)) + 1};
}

void TFishka::KeepGrid() {
    TGameState& s = *world_.State;
    const TCell cell = Cell();
    if (!OnBoard(cell)) return;
    if (Colour == 0) {
        Colour = s.ColourGrid[cell.c][cell.r];
        still_ = StillImage(s.LevelNumber, Colour);
        moving_ = MovingImage(s.LevelNumber, Colour);
        SetImageName(still_);
    } else {
        s.ColourGrid[cell.c][cell.r] = uint16_t(Colour);
    }
    s.BonusGrid[cell.c][cell.r] = uint16_t(BonusIcon ? BonusIcon->BonusKind : 0);
}

void TFishka::Grow() {
    TGameState& s = *world_.State;
    Growth += float(s.SpeedFactor * 0.01);
    if (Growth >= 1) {
        Growth = 1;
        StillStopped();
        --s.GrowingCount;
    }
    ScaleX = ScaleY = Growth;
    if (BonusIcon) BonusIcon->ScaleX = BonusIcon->ScaleY = Growth;
}

void TFishka::RunPhase(float px, float py) {
    switch (world_.State->BoardPhase) {
    case PhaseWaiting:
        SelectionPhase(px, py);
        break;
    case PhaseSuperBonus:
        SuperBonusPhase();
        break;
    case PhaseMoving:
        MovementPhase();
        break;
    case PhaseClearing:
        ClearingPhase();
        break;
    case PhaseFallTargets:
        FallTargetPhase();
        break;
    case PhaseShuffle:
        ChipShuffleTick(*world_.State);
        Dead();
        break;
    default:
        break;
    }
}

void TFishka::Hover(float px, float py) {
    const TGameState& s = *world_.State;
    const bool waiting = s.BoardPhase == PhaseWaiting;
    if (Inside(px, py) && waiting) {
        Animate(still_, kAnimSpeed);
        return;
    }
    const bool atSelection = X == s.SelX1 && Y == s.SelY1;
    if (waiting && !atSelection) StillStopped();
    if (!s.FirstSelected && !atSelection && ScaleX > 1 && s.BoardPhase != PhaseMoving && !Moving)
        StillStopped();
    if (!s.FirstSelected && atSelection) DoAnimate = false;
}

void TFishka::SelectionPhase(float px, float py) {
    TGameState& s = *world_.State;
    TCursor* cursor = world_.Cursor;
    if (!cursor || cursor->ShowsPointer()) {
        if (Inside(px, py) && s.MouseHeld) {
            switch (PressChip(s, X, Y)) {
            case TPress::SwapPartner:
                Moving = 1;
                TargetX = s.SelX1;
                TargetY = s.SelY1;
                break;
            case TPress::Reselected:
                Animate(still_, kAnimSpeed);
                break;
            case TPress::Selected:
                world_.PlayEffect("selfishka");
                break;
            }
        }
        if (StartSwapMove(s, X, Y, Moving)) {
            Moving = 1;
            TargetX = s.SelX2;
            TargetY = s.SelY2;
        }
    }
    if (!cursor || !s.MouseHeld || s.RightButtonHeld || !Inside(px, py)) return;
    for (int item = 1; item <= 8; ++item) {
        if (!SameText(cursor->ImageName, "itemz" + std::to_string(item))) continue;
        s.SwapLocked = 1;
        cursor->SetImageName("cursor");
        cursor->ScaleX = cursor->ScaleY = 1;
        s.ActiveSuperBonus = item;
        world_.hooks().CreateSuperBonus(item, X, Y);
        s.MouseHeld = 0;
        break;
    }
}

void TFishka::SuperBonusPhase() {
    TGameState& s = *world_.State;
    if (!IsCleared(s, Cell())) return;
    if (world_.Particles)
        if (const char* effect = SuperBonusEffect(s.ActiveSuperBonus)) {
            world_.Particles->Spawn(effect, X + 32, Y + 32);
            if (s.ActiveSuperBonus == 3) world_.Particles->Spawn("llllll2.pss", X + 32, Y + 22);
        }
    const int kind = BonusIcon ? BonusIcon->BonusKind : 0;
    if (kind >= 1 && kind <= 7 && kind != 2) world_.hooks().CreateBonusObject(kind, X, Y);
    Dead();
}

void TFishka::MovementPhase() {
    TGameState& s = *world_.State;
    switch (s.MovePhase) {
    case 2:
        if (Moving) SwapStep(false);
        break;
    case -2:
        if (s.MovingCount > 0)
            FallStep();
        else if (RefillDue(s))
            Refill();
        break;
    case -3: {
        if (Moving) break;
        // Each of the two swapped chips heads back to where the other stands now.
        const bool horizontal = s.SelY1 == s.SelY2;
        const bool atFirst = X == s.SelX1 && Y == s.SelY1;
        const bool atSecond = X == s.SelX2 && Y == s.SelY2;
        if (!atFirst && !atSecond) break;
        const float toX = atFirst ? s.SelX2 : s.SelX1, toY = atFirst ? s.SelY2 : s.SelY1;
        if (horizontal)
            TargetX = toX;
        else
            TargetY = toY;
        Moving = 1;
        SwapBackTargetTaken(s);
        break;
    }
    case -5:
    case -6:
        if (Moving) SwapStep(true);
        break;
    default:
        break;
    }
}

void TFishka::SwapStep(bool back) {
    TGameState& s = *world_.State;
    const float step = float(2 * s.SpeedFactor);
    Animate(moving_, back ? float(kAnimSpeed * s.SpeedFactor) : kAnimSpeed);
    const float dx = X < TargetX ? step : X > TargetX ? -step : 0;
    const float dy = Y < TargetY ? step : Y > TargetY ? -step : 0;
    MoveBy(dx, dy);
    // Within one step counts as there, whichever side of the target the step ended on: a
    // step that lands exactly must arrive too, or the chip would wait there for ever.
    if (std::fabs(TargetX - X) > step || std::fabs(TargetY - Y) > step) return;
    SnapTo(TargetX, TargetY);
    StillStopped();
    Moving = 0;
    if (back)
        SwapBackChipArrived(s);
    else
        SwapChipArrived(s);
}

void TFishka::FallStep() {
    TGameState& s = *world_.State;
    if (Y >= TargetY) return;
    MoveBy(0, float(4 * s.SpeedFactor));
    Animate(moving_, float(kAnimSpeed * s.SpeedFactor));
    if (Y < TargetY) return;
    SnapTo(X, TargetY);
    StillStopped();
    TargetX = X;
    FallChipLanded(s);
}

void TFishka::Refill() {
    TGameState& s = *world_.State;
    BeginRefill(s);
    // One more step for every sprite, so each chip that just landed writes its colour into
    // its new cell before the colours for the gaps are chosen.
    Engine->Move(0.001f);
    CreateChips(world_, FinishRefill(s, *world_.Rng, ShuffleButtonsShown(world_)));
}

void TFishka::ClearingPhase() {
    TGameState& s = *world_.State;
    if (ClearingTick(s) != TClearing::Settled && IsCleared(s, Cell())) Dead();
}

void TFishka::FallTargetPhase() {
    TGameState& s = *world_.State;
    if (std::optional<int> row = FallTargetTick(s, Cell()))
        TargetY = float(OriginY + (*row - 1) * kCell);
}

bool TFishka::Inside(float px, float py) const {
    return X < px && px < X + kCell && Y < py && py < Y + kCell;
}

void TFishka::StillStopped() {
    SetImageName(still_);
    DoAnimate = false;
    AnimPos = kStopPattern;
    PatternIndex = kStopPattern;
}

void TFishka::Animate(const std::string& image, float speed) {
    SetImageName(image);
    DoAnimate = true;
    AnimLooped = true;
    AnimSpeed = speed;
    AnimCount = kChipPatterns;
}

void TFishka::MoveBy(float dx, float dy) {
    X += dx;
    Y += dy;
    if (BonusIcon) {
        BonusIcon->X += dx;
        BonusIcon->Y += dy;
    }
}

void TFishka::SnapTo(float x, float y) {
    X = x;
    Y = y;
    if (BonusIcon) {
        BonusIcon->X = x + kBadgeOffset;
        BonusIcon->Y = y + kBadgeOffset;
    }
}
