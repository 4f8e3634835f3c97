#include "engine/GfxSprite.h"
#include "engine/GfxImage.h"
#include "engine/GfxImages.h"
#include "engine/SpriteCanvas.h"
#include <algorithm>
#include <cassert>
#include <climits>
#include <cmath>

namespace {

// Towards zero, like the pixel snapping and the pattern choice; saturates where a plain
// cast would be undefined (a runaway AnimPos must not crash the game).
int TruncInt(double v) {
    if (std::isnan(v)) return 0;
    if (v >= static_cast<double>(INT_MAX)) return INT_MAX;
    if (v <= static_cast<double>(INT_MIN)) return INT_MIN;
    return static_cast<int>(v);
}

// Screen coordinates stay float for the canvas but land on whole pixels.
float Snap(double v) {
    return static_cast<float>(std::trunc(v));
}

// Exact for rectangles given corner by corner in either direction: each corner's test uses
// the edge perpendicular to the side it starts, so points on an edge count as inside.
bool InsideQuad(const TPoint4& quad, TPoint2 point) {
    for (int i = 0; i < 4; ++i) {
        const TPoint2 from = quad.p[i];
        const TPoint2 a = quad.p[(i + 1) % 4], b = quad.p[(i + 2) % 4];
        const double dot = (double(b.x) - a.x) * (double(point.x) - from.x) +
                           (double(b.y) - a.y) * (double(point.y) - from.y);
        if (dot < 0) return false;
    }
    return true;
}

} // namespace


TSpriteEngine::~TSpriteEngine() {
    // Each destructor takes its sprite out of both lists, so this frees dead-queued sprites
    // exactly once too.
    while (!Sprites.empty())
        delete Sprites.back();
    DeadList.clear();
}

void TSpriteEngine::Move(float Delta) {
    const int n = Count();
    for (int i = 0; i < n; ++i)
        if (TSprite* sprite = Items(i)) sprite->Move(Delta);
}

void TSpriteEngine::Draw() {
    const int n = Count();
    for (int i = 0; i < n; ++i)
        if (TSprite* sprite = Items(i)) sprite->Draw();
}

void TSpriteEngine::Collision() {
    const int n = Count();
    // The inner bound is re-read: a callback may free sprites further down the list. Both
    // sprites are fetched again for every pair for the same reason.
    for (int i = 0; i < n; ++i)
        for (int j = i + 1; j < Count(); ++j) {
            TSprite* tester = Sprites[i];
            TSprite* other = Sprites[j];
            if (tester->CanCollide && other->CanCollide) tester->CollideWith(*other);
        }
}

void TSpriteEngine::Dead() {
    // A game sprite's destructor may queue another; keep going until nothing is left.
    while (!DeadList.empty())
        delete DeadList.back();
}

TSprite* TSpriteEngine::Items(int Index) const {
    if (Index < 0 || Index >= Count()) return nullptr;
    return Sprites[Index];
}

void TSpriteEngine::Add(TSprite* Sprite) {
    auto at = std::lower_bound(Sprites.begin(), Sprites.end(), Sprite->Z,
                               [](const TSprite* s, int32_t z) { return s->Z < z; });
    Sprites.insert(at, Sprite);
}

void TSpriteEngine::Remove(TSprite* Sprite) {
    // A linear search: Assign may copy a Z without re-sorting, so bisection could miss.
    if (auto it = std::find(Sprites.begin(), Sprites.end(), Sprite); it != Sprites.end())
        Sprites.erase(it);
}


TSprite::TSprite(TSpriteEngine* engine) : Engine(engine) {
    assert(engine && "a sprite needs an engine to own it");
    Engine->Add(this);
}

TSprite::~TSprite() {
    Engine->Remove(this);
    // The Dead pass frees from the back, so search from there.
    auto& dead = Engine->DeadList;
    if (auto it = std::find(dead.rbegin(), dead.rend(), this); it != dead.rend())
        dead.erase(std::next(it).base());
}

void TSprite::SetZ(int Value) {
    if (Value == Z) return;
    Engine->Remove(this);
    Z = Value;
    Engine->Add(this);
}

void TSprite::Assign(const TSprite& Source) {
    Name = Source.Name;
    ImageName = Source.ImageName;
    SingleImage = Source.SingleImage;
    X = Source.X;
    Y = Source.Y;
    Z = Source.Z;
    X1 = Source.X1, Y1 = Source.Y1, X2 = Source.X2, Y2 = Source.Y2;
    X3 = Source.X3, Y3 = Source.Y3, X4 = Source.X4, Y4 = Source.Y4;
    OffsetX = Source.OffsetX;
    OffsetY = Source.OffsetY;
    ShiftX = Source.ShiftX;
    ShiftY = Source.ShiftY;
    MirrorX = Source.MirrorX;
    MirrorY = Source.MirrorY;
    ScaleX = Source.ScaleX;
    ScaleY = Source.ScaleY;
    CenterScale = Source.CenterScale;
    Red = Source.Red, Green = Source.Green, Blue = Source.Blue, Alpha = Source.Alpha;
    Color1 = Source.Color1, Color2 = Source.Color2;
    Color3 = Source.Color3, Color4 = Source.Color4;
    PatternIndex = Source.PatternIndex;
    FrameNumber = Source.FrameNumber;
    CollideMode = Source.CollideMode;
    CanCollide = Source.CanCollide;
    Collided = Source.Collided;
    CollideX = Source.CollideX;
    CollideY = Source.CollideY;
    CollideRadius = Source.CollideRadius;
    CollideRect = Source.CollideRect;
    CollideQuad = Source.CollideQuad;
    Angle = Source.Angle;
    DoMove = Source.DoMove;
    IsDead = Source.IsDead;
    DrawFx = Source.DrawFx;
    DrawMode = Source.DrawMode;
    Visible = Source.Visible;
    VisibleArea = Source.VisibleArea;
}

bool TSprite::TestCollision(const TSprite& Other) {
    Collided = false;
    if (!CanCollide || !Other.CanCollide || IsDead || Other.IsDead) return false;
    bool hit = false;
    switch (CollideMode) {
    case 0: {
        const double r = double(CollideRadius) + Other.CollideRadius;
        const double dx = double(CollideX) - Other.CollideX;
        const double dy = double(CollideY) - Other.CollideY;
        hit = r * r > dx * dx + dy * dy;
        break;
    }
    case 1: {
        const TIntRect& a = CollideRect;
        const TIntRect& b = Other.CollideRect;
        hit = a.Left < b.Right && a.Right > b.Left && a.Top < b.Bottom && a.Bottom > b.Top;
        break;
    }
    case 2:
        hit = std::any_of(std::begin(Other.CollideQuad.p), std::end(Other.CollideQuad.p),
                          [this](TPoint2 corner) { return InsideQuad(CollideQuad, corner); });
        break;
    default:
        break;
    }
    Collided = hit;
    return hit;
}

bool TSprite::CollideWith(TSprite& Other) {
    if (!TestCollision(Other)) return false;
    OnCollision(Other);
    Other.OnCollision(*this);
    return true;
}

void TSprite::CollideAll() {
    for (int i = Engine->Count() - 1; i >= 0; --i) {
        TSprite* other = Engine->Items(i);
        if (other && other != this) CollideWith(*other);
    }
}

bool TSprite::Overlaps(TSprite& Other) {
    return TestCollision(Other);
}

void TSprite::Dead() {
    if (IsDead) return;
    IsDead = true;
    Engine->DeadList.push_back(this);
}

void TSprite::Draw() {
    if (!Visible) return;
    const TSpriteEngine& e = *Engine;
    if (!e.Images || !e.Canvas) return;
    std::string name;
    if (SingleImage == 0)
        name = ImageName + std::to_string(FrameNumber);
    else if (SingleImage == 1)
        name = ImageName;
    TGfxImage* image = e.Images->Find(name);
    if (!image || DrawMode < 0 || DrawMode > 5) return;

    const double w = image->PatternWidth, h = image->PatternHeight;
    const TIntRect& area = VisibleArea;
    const bool inView = area.Left + double(e.WorldX) < X + w && area.Right + double(e.WorldX) > X &&
                        area.Top + double(e.WorldY) < Y + h && area.Bottom + double(e.WorldY) > Y;
    if (DrawMode == 5 || !inView) {
        DrawZoomed(image, w, h);
        return;
    }

    const double dx = double(OffsetX) + ShiftX - e.WorldX;
    const double dy = double(OffsetY) + ShiftY - e.WorldY;
    const float sx = Snap(X + dx), sy = Snap(Y + dy);
    const TGfxColor color = MakeColor(Red, Green, Blue, Alpha);
    const TColor4 corners{{Color1, Color2, Color3, Color4}};
    const TPoint4 quad{{{Snap(X1 + dx), Snap(Y1 + dy)},
                        {Snap(X2 + dx), Snap(Y2 + dy)},
                        {Snap(X3 + dx), Snap(Y3 + dy)},
                        {Snap(X4 + dx), Snap(Y4 + dy)}}};
    TSpriteCanvas& canvas = *e.Canvas;
    switch (DrawMode) {
    case 0:
        canvas.DrawScaled(image, PatternIndex, sx, sy, ScaleX, ScaleY, CenterScale ? 1 : 0, MirrorX,
                          MirrorY, uint8_t(Red), uint8_t(Green), uint8_t(Blue), uint8_t(Alpha),
                          DrawFx);
        break;
    case 1:
        canvas.DrawRotated(image, PatternIndex, sx, sy, Angle, ScaleX, ScaleY, MirrorX, MirrorY,
                           color, DrawFx);
        break;
    case 2:
        canvas.DrawScaled4(image, PatternIndex, sx, sy, ScaleX, ScaleY, CenterScale ? 1 : 0,
                           MirrorX, MirrorY, corners, DrawFx);
        break;
    case 3:
        canvas.DrawQuad(image, PatternIndex, quad, MirrorX, MirrorY, TColor4::All(color), DrawFx);
        break;
    case 4:
        canvas.DrawQuad(image, PatternIndex, quad, MirrorX, MirrorY, corners, DrawFx);
        break;
    }
}

// Draw mode 5, and the second chance of a sprite the plain culling rejected: with a zoom
// of 1 this accepts exactly what the plain culling does, so it never draws a culled sprite.
void TSprite::DrawZoomed(TGfxImage* image, double w, double h) {
    const TSpriteEngine& e = *Engine;
    const TIntRect& area = VisibleArea;
    const double zx = e.ZoomX, zy = e.ZoomY;
    const bool inView =
        area.Left + double(e.WorldX) < (X + w) * zx && area.Right + double(e.WorldX) > X * zx &&
        area.Top + double(e.WorldY) < (Y + h) * zy && area.Bottom + double(e.WorldY) > Y * zy;
    if (!inView) return;
    const float sx = Snap((double(X) + OffsetX + ShiftX) * zx - e.WorldX);
    const float sy = Snap((double(Y) + OffsetY + ShiftY) * zy - e.WorldY);
    e.Canvas->DrawScaled(image, PatternIndex, sx, sy, float(ScaleX * zx), float(ScaleY * zy), 0,
                         MirrorX, MirrorY, uint8_t(Red), uint8_t(Green), uint8_t(Blue),
                         uint8_t(Alpha), DrawFx);
}


void TAnimatedSprite::SetAnim(std::string_view imageName, int animStart, int animCount,
                              float animSpeed, bool animLooped, bool mirrorX, bool doAnimate,
                              uint8_t playMode) {
    SetAnim(imageName, animStart, animCount, animSpeed, animLooped, playMode);
    MirrorX = mirrorX;
    DoAnimate = doAnimate;
}

void TAnimatedSprite::SetAnim(std::string_view imageName, int animStart, int animCount,
                              float animSpeed, bool animLooped, uint8_t playMode) {
    SetImageName(imageName);
    AnimStart = animStart;
    AnimCount = animCount;
    AnimSpeed = animSpeed;
    AnimLooped = animLooped;
    PlayMode = playMode;
}

void TAnimatedSprite::SetAnimStart(int Value) {
    if (Value == AnimStart) return;
    AnimStart = Value;
    AnimPos = static_cast<float>(Value);
}

void TAnimatedSprite::Assign(const TSprite& Source) {
    if (const auto* anim = dynamic_cast<const TAnimatedSprite*>(&Source)) {
        DoAnimate = anim->DoAnimate;
        SetAnimStart(anim->AnimStart);
        AnimCount = anim->AnimCount;
        AnimSpeed = anim->AnimSpeed;
        AnimLooped = anim->AnimLooped;
    }
    TSprite::Assign(Source);
}

void TAnimatedSprite::Move(float Delta) {
    if (!DoMove || !DoAnimate) return;
    const int end = AnimStart + AnimCount;
    switch (PlayMode) {
    case 0:
        AnimPos += AnimSpeed * Delta;
        if (AnimPos > end) {
            // Only a step that lands on the pattern just past the end counts as ending.
            if (TruncInt(AnimPos) == end) AnimEnded = true;
            if (AnimLooped) {
                AnimPos = static_cast<float>(AnimStart);
            } else {
                AnimPos = static_cast<float>(end - 1);
                DoAnimate = false;
            }
        }
        break;
    case 1:
        AnimPos -= AnimSpeed * Delta;
        if (AnimPos < AnimStart) {
            if (AnimLooped) {
                AnimPos = static_cast<float>(end - 1);
            } else {
                AnimPos = static_cast<float>(AnimStart);
                DoAnimate = false;
            }
        }
        break;
    case 2:
        AnimPos += AnimSpeed * Delta;
        if (AnimLooped) {
            if (AnimPos > end - 1 || AnimPos < AnimStart) AnimSpeed = -AnimSpeed;
        } else {
            if (AnimPos > end || AnimPos < AnimStart) AnimSpeed = -AnimSpeed;
            const int shown = TruncInt(AnimPos);
            if (shown == end) reachedEnd_ = true;
            if (shown == AnimStart && reachedEnd_) returnedToStart_ = true;
            if (reachedEnd_ && returnedToStart_) {
                DoAnimate = false;
                reachedEnd_ = returnedToStart_ = false;
            }
        }
        break;
    default:
        break;
    }
    PatternIndex = TruncInt(AnimPos);
    FrameNumber = PatternIndex;
}
