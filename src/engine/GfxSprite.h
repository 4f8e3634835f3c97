#pragma once
#include "engine/GfxTypes.h"
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class TGfxImage;
class TGfxImages;
class TSprite;
class TSpriteCanvas;

// Keeps every live sprite in one flat list sorted by ascending Z and runs the four passes
// over it. The frame handler decides the order of the passes; the playing screens use
// Collision, Dead, Draw, Move.
//
// Ownership: the engine owns every sprite created on it. Game code creates a sprite with
// `new SomeSprite(&engine)` and never keeps it alive itself; the sprite is freed by the Dead
// pass after it calls Dead(), or by the engine's destructor. Deleting a sprite directly is
// also allowed: its destructor takes it out of both lists.
//
// Every pass reads the sprite count once at its start and visits list positions 0..N-1. A
// sprite created during a pass is inserted by Z and so may shift the others; one freed
// during a pass simply leaves a position empty at the end, which the pass skips.
class TSpriteEngine {
  public:
    TSpriteEngine() = default;
    TSpriteEngine(const TSpriteEngine&) = delete;
    TSpriteEngine& operator=(const TSpriteEngine&) = delete;
    // Frees every sprite still listed, the last one first.
    virtual ~TSpriteEngine();

    // Sorted by ascending Z; dead-marked sprites stay here until the Dead pass. Change it only
    // through the sprites (creation, SetZ, deletion).
    std::vector<TSprite*> Sprites;
    // Sprites marked dead, in the order they asked; the Dead pass frees them from the end.
    std::vector<TSprite*> DeadList;
    // Scroll position of the world, subtracted from every sprite position when drawing.
    float WorldX = 0, WorldY = 0;
    // Borrowed; sprites draw nothing while either is unset.
    TSpriteCanvas* Canvas = nullptr;
    TGfxImages* Images = nullptr;
    // World zoom for draw mode 5 and for the culling fallback of the other modes.
    float ZoomX = 1.0f, ZoomY = 1.0f;

    void Move(float Delta);
    void Draw();
    // Tests each unordered pair of colliding sprites once, the lower list position testing.
    void Collision();
    // Frees the queued sprites, the last queued first, until the queue is empty.
    void Dead();

    int Count() const { return static_cast<int>(Sprites.size()); }
    // None outside 0..Count()-1.
    TSprite* Items(int Index) const;
    void SetCanvas(TSpriteCanvas* canvas) { Canvas = canvas; }

    // Inserts before the first sprite whose Z is not lower, so the newest of equal Z comes
    // first and lies underneath. Used by the sprite's constructor and SetZ.
    void Add(TSprite* Sprite);
    void Remove(TSprite* Sprite);
};

// A positioned, drawable, optionally colliding object; game classes derive from it and
// override Move, Draw and Dead. Fields are public on purpose: game classes set them freely,
// except Z, which must go through SetZ to keep the list sorted.
class TSprite {
  public:
    // Sets the defaults below and inserts the sprite into engine's list; engine must not be
    // null and takes ownership (see TSpriteEngine).
    explicit TSprite(TSpriteEngine* engine);
    TSprite(const TSprite&) = delete;
    TSprite& operator=(const TSprite&) = delete;
    // Takes the sprite out of the engine's list and dead list.
    virtual ~TSprite();

    TSpriteEngine* Engine;
    std::string Name;
    // Top-left of the pattern in draw modes 0, 2 and 5, its centre in mode 1.
    float X = 200.0f, Y = 200.0f;
    int32_t Z = 0;
    // Corners in world coordinates for draw modes 3 and 4, in order around the quad.
    float X1 = 0, Y1 = 0, X2 = 10, Y2 = 0, X3 = 10, Y3 = 10, X4 = 0, Y4 = 10;
    float OffsetX = 0, OffsetY = 0;
    bool Visible = true;
    uint32_t DrawFx = fxBlend;
    bool MirrorX = false;
    bool MirrorY = false;
    bool CenterScale = true;
    // Corner colours for modes 2 and 4: top-left, top-right, bottom-right, bottom-left.
    TGfxColor Color1 = 0xFFFFFFFF, Color2 = 0xFFFFFFFF, Color3 = 0xFFFFFFFF, Color4 = 0xFFFFFFFF;
    // Uniform colour for modes 0, 1, 3 and 5; only the low byte of each is used.
    int32_t Red = 255, Green = 255, Blue = 255, Alpha = 255;
    bool CanCollide = false;
    // Result of this sprite's latest collision test.
    bool Collided = false;
    float Angle = 0; // radians, mode 1
    std::string ImageName;
    int32_t PatternIndex = 0;
    // Appended to ImageName in decimal when SingleImage is 0.
    int32_t FrameNumber = 0;
    float ScaleX = 1.0f, ScaleY = 1.0f;
    float ShiftX = 0, ShiftY = 0; // a second draw offset, added like OffsetX/OffsetY
    bool IsDead = false;
    bool DoMove = true;
    // 0 plain, 1 rotated, 2 four colours, 3 quad, 4 quad with four colours, 5 zoomed.
    int32_t DrawMode = 0;
    // Culling window, relative to the engine's world position.
    TIntRect VisibleArea{-100, -100, 4400, 3300};
    // Collision shapes, in world coordinates; the game keeps them up to date, the engine
    // never derives them from the position.
    float CollideX = 0, CollideY = 0;
    int32_t CollideRadius = 0;
    TIntRect CollideRect;
    TPoint4 CollideQuad;
    uint8_t CollideMode = 0; // 0 circle, 1 rectangle, 2 quadrilateral
    // 1: frames are patterns of ImageName; 0: each frame is the image ImageName+FrameNumber.
    uint8_t SingleImage = 1;

    virtual void SetName(std::string_view Value) { Name = Value; }
    virtual void SetRed(int Value) { Red = Value; }
    virtual void SetGreen(int Value) { Green = Value; }
    virtual void SetBlue(int Value) { Blue = Value; }
    virtual void SetAlpha(int Value) { Alpha = Value; }
    virtual void SetImageName(std::string_view Value) { ImageName = Value; }
    virtual void SetPatternIndex(int Value) { PatternIndex = Value; }
    // A mode above 5 becomes 0.
    virtual void SetDrawMode(int Value) { DrawMode = Value > 5 ? 0 : Value; }
    virtual void SetX(float Value) { X = Value; }
    virtual void SetY(float Value) { Y = Value; }
    // Re-sorts only when the value changes, so an unchanged Z keeps its place among equals.
    virtual void SetZ(int Value);
    // Copies the drawing, position and collision state. Z is copied as a value only: this
    // sprite keeps its list position. Neither list membership nor the engine is copied.
    virtual void Assign(const TSprite& Source);
    // Tests against Other; on a hit calls OnCollision on this sprite, then on Other. Returns
    // the hit, which is also left in Collided. Free sprites in the callbacks through Dead().
    virtual bool CollideWith(TSprite& Other);
    // CollideWith against every other sprite, from the last list position to the first.
    virtual void CollideAll();
    // The same test as CollideWith, without the callbacks.
    virtual bool Overlaps(TSprite& Other);
    // Marks the sprite and queues it once for the Dead pass; it is still moved and drawn
    // until then, but no longer collides. Overrides release what they own, then call this.
    virtual void Dead();
    virtual void OnCollision(TSprite& Other) {}
    virtual void Move(float Delta) {}
    virtual void Draw();

  protected:
    // The collision test proper; sets Collided.
    bool TestCollision(const TSprite& Other);

  private:
    void DrawZoomed(TGfxImage* image, double w, double h);
};

// A sprite that steps through a run of patterns in its Move.
class TAnimatedSprite : public TSprite {
  public:
    explicit TAnimatedSprite(TSpriteEngine* engine) : TSprite(engine) {}

    bool DoAnimate = true;
    // Forward and backward: wrap at the end. Ping-pong: bounce forever instead of once.
    bool AnimLooped = true;
    int32_t AnimStart = 0;
    int32_t AnimCount = 0;
    // Patterns per unit of Delta; ping-pong flips its sign at each end.
    float AnimSpeed = 0;
    // Its truncation is the pattern shown.
    float AnimPos = 0;
    // Set when a forward animation steps into the pattern just past its last; never cleared
    // here, so the game can poll it.
    bool AnimEnded = false;
    uint8_t PlayMode = 0; // 0 forward, 1 backward, 2 ping-pong

    // Set the image and the animation; AnimPos stays where it is.
    void SetAnim(std::string_view imageName, int animStart, int animCount, float animSpeed,
                 bool animLooped, bool mirrorX, bool doAnimate, uint8_t playMode);
    void SetAnim(std::string_view imageName, int animStart, int animCount, float animSpeed,
                 bool animLooped, uint8_t playMode);
    // Moves AnimPos to the new start, but only when the start changes.
    void SetAnimStart(int Value);

    // From another animated sprite, the animation settings first, then the sprite's own.
    void Assign(const TSprite& Source) override;
    // The animation step; overrides call this to keep animating.
    void Move(float Delta) override;

  private:
    // Non-looped ping-pong progress: reached the far end; came back to the start.
    bool reachedEnd_ = false;
    bool returnedToStart_ = false;
};
