#include "engine/GfxSprite.h"
#include "engine/GfxImages.h"
#include "engine/RecordingSpriteCanvas.h"
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <memory>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace {

struct Log {
    std::vector<std::string> events;
    std::vector<std::string> destroyed;
};

std::string Joined(const std::vector<std::string>& items) {
    std::string out;
    for (const std::string& item : items)
        out += (out.empty() ? "" : " ") + item;
    return out;
}

// Logs what the engine does to it under its name, so orders read as strings.
class ProbeSprite : public TSprite {
  public:
    ProbeSprite(TSpriteEngine* engine, std::string name, Log* log) : TSprite(engine), log_(log) {
        Name = std::move(name);
        ImageName = "ball";
    }
    ~ProbeSprite() override { log_->destroyed.push_back(Name); }

    std::function<void(ProbeSprite&)> onMove;

    void Move(float Delta) override {
        log_->events.push_back("move " + Name);
        if (onMove) onMove(*this);
    }
    bool CollideWith(TSprite& Other) override {
        log_->events.push_back("test " + Name + ">" + Other.Name);
        return TSprite::CollideWith(Other);
    }
    void OnCollision(TSprite& Other) override {
        log_->events.push_back("hit " + Name + "<" + Other.Name);
    }

  private:
    Log* log_;
};

std::string Order(const TSpriteEngine& engine) {
    std::vector<std::string> names;
    for (int i = 0; i < engine.Count(); ++i)
        names.push_back(engine.Items(i)->Name);
    return Joined(names);
}

// Declared so that the engine, and with it every sprite, goes first.
struct SpriteRig {
    TGfxImages images;
    RecordingSpriteCanvas canvas;
    Log log;
    TSpriteEngine engine;
    TGfxImage* ball = AddImage("ball", 32, 16);

    SpriteRig() {
        engine.Images = &images;
        engine.SetCanvas(&canvas);
    }
    TGfxImage* AddImage(const char* name, int w, int h) {
        TGfxImage* image = images.Add();
        image->Name = name;
        image->PatternWidth = w;
        image->PatternHeight = h;
        return image;
    }
    ProbeSprite* Make(const std::string& name, int z = 0) {
        auto* sprite = new ProbeSprite(&engine, name, &log);
        sprite->SetZ(z);
        return sprite;
    }
};

} // namespace

// ---- list order and lifetime

TEST(SpriteEngineTest, InsertsByZNewestFirstAmongEqualsAndSetZMovesOnlyOnChange) {
    SpriteRig rig;
    // Each sprite enters at Z 0 and SetZ re-inserts it, so the bisection runs against lists
    // of every shape.
    const std::pair<const char*, int> made[] = {{"a", 5}, {"b", 1}, {"c", 5}, {"d", 3}, {"e", 1},
                                                {"f", 9}, {"g", 3}, {"h", 5}, {"i", 0}, {"j", 0}};
    std::map<std::string, ProbeSprite*> sprites;
    for (auto [name, z] : made)
        sprites[name] = rig.Make(name, z);
    EXPECT_EQ(Order(rig.engine), "j i e b g d h c a f");

    // Unchanged values keep the place among equals; a re-insert would move them first.
    sprites["d"]->SetZ(3);
    sprites["i"]->SetZ(0);
    EXPECT_EQ(Order(rig.engine), "j i e b g d h c a f");
    sprites["f"]->SetZ(2);
    EXPECT_EQ(Order(rig.engine), "j i e b f g d h c a");

    EXPECT_EQ(rig.engine.Items(-1), nullptr);
    EXPECT_EQ(rig.engine.Items(rig.engine.Count()), nullptr);

    // Drawing follows the list: lower Z first, underneath.
    for (int i = 0; i < rig.engine.Count(); ++i)
        rig.engine.Items(i)->PatternIndex = i;
    rig.engine.Draw();
    ASSERT_EQ(rig.canvas.calls.size(), 10u);
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(rig.canvas.calls[i].pattern, i);
}

TEST(SpriteEngineTest, ASpriteDeadInMoveIsStillDrawnButNoLongerCollidesUntilFreed) {
    SpriteRig rig;
    ProbeSprite* victim = rig.Make("victim");
    ProbeSprite* other = rig.Make("other");
    for (ProbeSprite* s : {victim, other}) {
        s->CanCollide = true;
        s->CollideRadius = 10; // same centre: they would hit
    }
    victim->onMove = [](ProbeSprite& s) {
        s.Dead();
        s.Dead();
    };

    rig.engine.Move(0.001f);
    EXPECT_TRUE(victim->IsDead);
    EXPECT_EQ(rig.engine.DeadList, std::vector<TSprite*>{victim});
    EXPECT_EQ(rig.engine.Count(), 2);

    rig.engine.Draw();
    EXPECT_EQ(rig.canvas.calls.size(), 2u);

    rig.log.events.clear();
    other->Collided = true;
    rig.engine.Collision();
    EXPECT_EQ(Joined(rig.log.events), "test other>victim");
    EXPECT_FALSE(other->Collided);

    rig.engine.Dead();
    EXPECT_EQ(Joined(rig.log.destroyed), "victim");
    EXPECT_EQ(Order(rig.engine), "other");
    EXPECT_TRUE(rig.engine.DeadList.empty());
}

TEST(SpriteEngineTest, DestructionFreesEverySpriteOnceLastFirstQueuedOrNot) {
    Log log;
    auto engine = std::make_unique<TSpriteEngine>();
    std::vector<ProbeSprite*> sprites;
    for (int z = 1; z <= 4; ++z) {
        sprites.push_back(new ProbeSprite(engine.get(), "s" + std::to_string(z), &log));
        sprites.back()->SetZ(z);
    }
    sprites[0]->Dead();
    sprites[2]->Dead();
    engine.reset();
    EXPECT_EQ(Joined(log.destroyed), "s4 s3 s2 s1");
}

TEST(SpriteEngineTest, DeletingASpriteDirectlyTakesItOutOfBothLists) {
    SpriteRig rig;
    ProbeSprite* a = rig.Make("a", 1);
    ProbeSprite* b = rig.Make("b", 2);
    ProbeSprite* c = rig.Make("c", 3);
    b->Dead();
    c->Dead();
    delete b;
    delete a; // never queued
    EXPECT_EQ(Order(rig.engine), "c");
    EXPECT_EQ(rig.engine.DeadList, std::vector<TSprite*>{c});

    rig.engine.Dead();
    EXPECT_EQ(Joined(rig.log.destroyed), "b a c");
    EXPECT_EQ(rig.engine.Count(), 0);
}

TEST(SpriteEngineTest, APassVisitsOnlyThePositionsCountedAtItsStart) {
    SpriteRig rig;
    ProbeSprite* c = rig.Make("c");
    ProbeSprite* b = rig.Make("b");
    ProbeSprite* a = rig.Make("a");
    ProbeSprite* late = nullptr;
    a->onMove = [&](ProbeSprite&) { late = rig.Make("late", 10); };
    rig.engine.Move(1);
    EXPECT_EQ(Joined(rig.log.events), "move a move b move c");
    ASSERT_EQ(rig.engine.Items(3), late);

    // Freed during the pass: c moves up into b's place, the emptied last one is skipped.
    rig.log.events.clear();
    a->onMove = [b](ProbeSprite&) { delete b; };
    rig.engine.Move(1);
    EXPECT_EQ(Joined(rig.log.events), "move a move c move late");
    EXPECT_EQ(rig.engine.Items(1), c);
}

// ---- drawing

namespace {

// Values that make every argument of every mode distinguishable; the comments give the
// screen points they lead to.
void Dress(TSprite& s, TSpriteEngine& engine) {
    engine.WorldX = 4;
    engine.WorldY = -2;
    s.X = 10.75f; // 10.75 + 1.5 + 0.25 - 4 = 8.5 -> 8
    s.Y = -4.0f;  // -4 - 1 + 0.5 + 2 = -2.5 -> -2 (towards zero, not down)
    s.OffsetX = 1.5f;
    s.OffsetY = -1.0f;
    s.ShiftX = 0.25f;
    s.ShiftY = 0.5f;
    // Corners shift by (-2.25, +1.5).
    s.X1 = 0, s.Y1 = 0;      // -> -2, 1
    s.X2 = 10.5f, s.Y2 = -3; // -> 8, -1
    s.X3 = 10, s.Y3 = 10;    // -> 7, 11
    s.X4 = 1, s.Y4 = 9;      // -> -1, 10
    s.ScaleX = 2;
    s.ScaleY = 0.5f;
    s.Angle = 1.25f;
    s.MirrorX = true;
    s.CenterScale = false;
    s.SetRed(0x1FF); // only the low byte counts
    s.SetGreen(0x22);
    s.SetBlue(0x33);
    s.SetAlpha(0x80);
    s.Color1 = 0x11111111, s.Color2 = 0x22222222, s.Color3 = 0x33333333, s.Color4 = 0x44444444;
    s.DrawFx = 0x0102;
    s.SetPatternIndex(7);
}

constexpr TGfxColor kDressColor = 0x803322FF;
const TColor4 kDressCorners{{0x11111111, 0x22222222, 0x33333333, 0x44444444}};
const TPoint4 kDressQuad{{{-2, 1}, {8, -1}, {7, 11}, {-1, 10}}};

TSpriteCanvasCall Call(TSpriteCanvasCall::Kind kind) {
    TSpriteCanvasCall c;
    c.kind = kind;
    c.pattern = 7;
    c.mirrorX = true;
    c.drawFx = 0x0102;
    c.colors = TColor4::All(kDressColor);
    return c;
}

TSpriteCanvasCall At(TSpriteCanvasCall c, float x, float y, float sx, float sy, int centre) {
    c.x = x, c.y = y, c.scaleX = sx, c.scaleY = sy, c.centerScale = centre;
    return c;
}

} // namespace

TEST(SpriteDrawTest, EachModeCallsTheCanvasWithSnappedWorldRelativePoints) {
    using K = TSpriteCanvasCall;
    TSpriteCanvasCall rotated = At(Call(K::Rotated), 8, -2, 2, 0.5f, -1);
    rotated.angle = 1.25f;
    TSpriteCanvasCall scaled4 = At(Call(K::Scaled4), 8, -2, 2, 0.5f, 0);
    scaled4.colors = kDressCorners;
    TSpriteCanvasCall quad = Call(K::Quad);
    quad.quad = kDressQuad;
    TSpriteCanvasCall quad4 = quad;
    quad4.colors = kDressCorners;

    struct Case {
        int mode;
        bool centerScale;
        float zoomX, zoomY;
        TSpriteCanvasCall expected;
    } cases[] = {
        {0, true, 1, 1, At(Call(K::Scaled), 8, -2, 2, 0.5f, 1)},
        {1, false, 1, 1, rotated},
        {2, false, 1, 1, scaled4},
        {3, false, 1, 1, quad},
        {4, false, 1, 1, quad4},
        // (10.75 + 1.75) * 2 - 4 = 21; (-4 - 0.5) * 0.5 + 2 = -0.25 -> 0; always from the corner.
        {5, true, 2, 0.5f, At(Call(K::Scaled), 21, 0, 4, 0.25f, 0)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("mode " + std::to_string(c.mode));
        SpriteRig rig;
        ProbeSprite* s = rig.Make("s");
        Dress(*s, rig.engine);
        s->CenterScale = c.centerScale;
        rig.engine.ZoomX = c.zoomX;
        rig.engine.ZoomY = c.zoomY;
        s->SetDrawMode(c.mode);
        rig.engine.Draw();
        TSpriteCanvasCall expected = c.expected;
        expected.image = rig.ball;
        ASSERT_EQ(rig.canvas.calls.size(), 1u);
        EXPECT_EQ(rig.canvas.calls[0], expected);
    }
}

TEST(SpriteDrawTest, PicksTheImageByNameAndFrameOrDrawsNothing) {
    struct Case {
        const char* what;
        uint8_t singleImage;
        int frame;
        const char* image; // expected, or none
        bool visible = true;
        int drawMode = 0;
    } cases[] = {
        {"all frames in one image", 1, 2, "ball"},
        {"one image per frame", 0, 2, "ball2"},
        {"several digits", 0, 12, "ball12"},
        {"no image for that frame", 0, 3, nullptr},
        {"neither 0 nor 1 looks up an empty name", 2, 2, nullptr},
        {"invisible", 1, 0, nullptr, false},
        {"mode above 5 set directly", 1, 0, nullptr, true, 6},
        {"negative mode", 1, 0, nullptr, true, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SpriteRig rig;
        rig.AddImage("ball2", 8, 8);
        rig.AddImage("ball12", 8, 8);
        ProbeSprite* s = rig.Make("s");
        s->SingleImage = c.singleImage;
        s->FrameNumber = c.frame;
        s->Visible = c.visible;
        s->DrawMode = c.drawMode;
        rig.engine.Draw();
        if (!c.image) {
            EXPECT_TRUE(rig.canvas.calls.empty());
            continue;
        }
        ASSERT_EQ(rig.canvas.calls.size(), 1u);
        EXPECT_EQ(rig.canvas.calls[0].image, rig.images.Find(c.image));
    }
}

TEST(SpriteDrawTest, CullsAgainstTheVisibleAreaAndFallsBackToTheZoomedView) {
    using K = TSpriteCanvasCall;
    // The ball is 32 by 16; the area is (-100, -100, 4400, 3300) around the world position.
    struct Case {
        const char* what;
        float x, y, worldX, zoom;
        int mode;
        bool drawn;
        K::Kind kind = K::Scaled;
        float drawnX = 0;
    } cases[] = {
        {"right edge on the area's left", -132, 0, 0, 1, 0, false},
        {"just inside on the left", -131.5f, 0, 0, 1, 0, true, K::Scaled, -131},
        {"left edge on the area's right", 4400, 0, 0, 1, 0, false},
        {"just inside on the right", 4399.5f, 0, 0, 1, 0, true, K::Scaled, 4399},
        {"bottom edge on the area's top", 0, -116, 0, 1, 0, false},
        {"top edge on the area's bottom", 0, 3300, 0, 1, 0, false},
        {"the area follows the world", 5399.5f, 0, 1000, 1, 1, true, K::Rotated, 4399},
        {"left of the scrolled area", 868, 0, 1000, 1, 1, false},
        {"quad modes cull by X and Y alone", -200, 0, 0, 1, 3, false},
        {"culled but in the zoomed view", 5000, 0, 0, 0.5f, 1, true, K::Scaled, 2500},
        {"out of the zoomed view too", 9000, 0, 0, 0.5f, 1, false},
        {"no zoomed fallback for a mode above 5", 5000, 0, 0, 0.5f, 6, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SpriteRig rig;
        ProbeSprite* s = rig.Make("s");
        s->X = c.x;
        s->Y = c.y;
        s->DrawMode = c.mode;
        rig.engine.WorldX = c.worldX;
        rig.engine.ZoomX = rig.engine.ZoomY = c.zoom;
        rig.engine.Draw();
        if (!c.drawn) {
            EXPECT_TRUE(rig.canvas.calls.empty());
            continue;
        }
        ASSERT_EQ(rig.canvas.calls.size(), 1u);
        EXPECT_EQ(rig.canvas.calls[0].kind, c.kind);
        EXPECT_EQ(rig.canvas.calls[0].x, c.drawnX);
        if (c.zoom != 1) {
            EXPECT_EQ(rig.canvas.calls[0].scaleX, c.zoom);
            EXPECT_EQ(rig.canvas.calls[0].centerScale, 0);
        }
    }
}

TEST(SpriteTest, SetDrawModeTurnsModesAboveFiveIntoZero) {
    const std::pair<int, int> cases[] = {{7, 0}, {6, 0}, {5, 5}, {1, 1}, {-1, -1}};
    SpriteRig rig;
    ProbeSprite* s = rig.Make("s");
    for (auto [given, stored] : cases) {
        s->SetDrawMode(given);
        EXPECT_EQ(s->DrawMode, stored) << given;
    }
}

// ---- animation

TEST(SpriteAnimationTest, StepsAndEndsPerPlayMode) {
    struct Case {
        const char* what;
        uint8_t playMode;
        bool looped;
        int start, count;
        float speed, pos;
        int steps; // of Delta 1
        float endPos;
        bool doAnimate, ended;
        float endSpeed;
        bool doMove = true;
    } cases[] = {
        // 1.5, 3, 4.5: past the end onto the pattern after it.
        {"forward, stops on the last", 0, false, 0, 4, 1.5f, 0, 3, 3, false, true, 1.5f},
        {"forward, wraps to the start", 0, true, 0, 4, 1.5f, 0, 3, 0, true, true, 1.5f},
        {"forward from a later start", 0, true, 2, 3, 1.25f, 2, 3, 2, true, true, 1.25f},
        // 5.5 skips the pattern just past the end, so the end goes unnoticed.
        {"forward, jumping well past", 0, false, 0, 4, 5.5f, 0, 1, 3, false, false, 5.5f},
        // Landing exactly on the end is not past it.
        {"forward, at the end", 0, false, 0, 4, 1, 0, 4, 4, true, false, 1},
        {"backward, stops on the start", 1, false, 2, 3, 1, 4.5f, 3, 2, false, false, 1},
        {"backward, wraps to the last", 1, true, 2, 3, 1, 4.5f, 3, 4, true, false, 1},
        // 1, 2, 3, 4 (past the last pattern: turns), 3, 2, 1, 0, -1 (turns).
        {"ping-pong looped bounces", 2, true, 0, 4, 1, 0, 9, -1, true, false, 1},
        {"unknown play mode holds", 3, true, 0, 4, 1, 2.5f, 2, 2.5f, true, false, 1},
        {"DoMove off holds", 0, true, 0, 4, 1, 2.5f, 2, 2.5f, true, false, 1, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SpriteRig rig;
        auto* s = new TAnimatedSprite(&rig.engine);
        s->SetAnim("ball", c.start, c.count, c.speed, c.looped, c.playMode);
        s->AnimPos = c.pos;
        s->DoMove = c.doMove;
        for (int i = 0; i < c.steps; ++i)
            s->Move(1);
        EXPECT_EQ(s->AnimPos, c.endPos);
        EXPECT_EQ(s->DoAnimate, c.doAnimate);
        EXPECT_EQ(s->AnimEnded, c.ended);
        EXPECT_EQ(s->AnimSpeed, c.endSpeed);
        const int shown = c.doMove ? static_cast<int>(c.endPos) : 0;
        EXPECT_EQ(s->PatternIndex, shown);
        EXPECT_EQ(s->FrameNumber, shown);
    }
}

TEST(SpriteAnimationTest, PingPongNotLoopedPlaysOnceUpAndDownThenCanRunAgain) {
    SpriteRig rig;
    auto* s = new TAnimatedSprite(&rig.engine);
    s->SetAnim("ball", 0, 3, 1, false, 2);
    std::vector<std::string> shown;
    for (int i = 0; i < 20 && s->DoAnimate; ++i) {
        s->Move(1);
        shown.push_back(std::to_string(s->PatternIndex));
    }
    EXPECT_EQ(Joined(shown), "1 2 3 4 3 2 1 0");
    EXPECT_FALSE(s->DoAnimate);

    // The progress flags were cleared, so a restart does not stop at once.
    s->DoAnimate = true;
    s->Move(1);
    s->Move(1);
    EXPECT_TRUE(s->DoAnimate);
    EXPECT_EQ(s->AnimPos, 0);
}

TEST(SpriteAnimationTest, SetAnimKeepsAnimPosAndSetAnimStartMovesItOnlyOnChange) {
    SpriteRig rig;
    auto* s = new TAnimatedSprite(&rig.engine);
    s->AnimPos = 2.5f;
    s->SetAnim("walk", 4, 6, 0.5f, false, true, false, 2);
    EXPECT_EQ(s->ImageName, "walk");
    EXPECT_EQ(s->AnimStart, 4);
    EXPECT_EQ(s->AnimCount, 6);
    EXPECT_EQ(s->AnimSpeed, 0.5f);
    EXPECT_FALSE(s->AnimLooped);
    EXPECT_TRUE(s->MirrorX);
    EXPECT_FALSE(s->DoAnimate);
    EXPECT_EQ(s->PlayMode, 2);
    EXPECT_EQ(s->AnimPos, 2.5f);

    // The short form leaves mirroring and the running flag alone.
    s->SetAnim("run", 1, 2, 3, true, 1);
    EXPECT_EQ(s->ImageName, "run");
    EXPECT_EQ(s->AnimStart, 1);
    EXPECT_EQ(s->PlayMode, 1);
    EXPECT_TRUE(s->MirrorX);
    EXPECT_FALSE(s->DoAnimate);
    EXPECT_EQ(s->AnimPos, 2.5f);

    s->SetAnimStart(1);
    EXPECT_EQ(s->AnimPos, 2.5f);
    s->SetAnimStart(3);
    EXPECT_EQ(s->AnimStart, 3);
    EXPECT_EQ(s->AnimPos, 3);
}

// ---- collision

namespace {

struct Shape {
    uint8_t mode = 0;
    float x = 0, y = 0;
    int radius = 0;
    TIntRect rect;
    TPoint4 quad;
};

Shape Circle(float x, float y, int radius) {
    return {0, x, y, radius, {}, {}};
}
Shape Rect(TIntRect rect) {
    return {1, 0, 0, 0, rect, {}};
}
Shape Quad(TPoint4 quad) {
    return {2, 0, 0, 0, {}, quad};
}
Shape Unknown() {
    return {3, 0, 0, 10, {}, {}};
} // would hit as a circle

void Apply(TSprite& s, const Shape& shape) {
    s.CanCollide = true;
    s.CollideMode = shape.mode;
    s.CollideX = shape.x;
    s.CollideY = shape.y;
    s.CollideRadius = shape.radius;
    s.CollideRect = shape.rect;
    s.CollideQuad = shape.quad;
}

const TPoint4 kSquare{{{0, 0}, {10, 0}, {10, 10}, {0, 10}}};
const TPoint4 kSquareOtherWay{{{0, 0}, {0, 10}, {10, 10}, {10, 0}}};
const TPoint4 kEnclosing{{{-5, -5}, {15, -5}, {15, 15}, {-5, 15}}};

// One corner at p, the other three far outside the square.
Shape Corner(TPoint2 p) {
    return Quad({{p, {50, 50}, {60, 50}, {60, 60}}});
}

} // namespace

TEST(SpriteCollisionTest, EachShapeHitsOnlyOnARealOverlap) {
    enum Spoil { kNone, kOtherOff, kOtherDead, kTesterDead };
    struct Case {
        const char* what;
        Shape tester, other;
        bool hit;
        Spoil spoil = kNone;
    } cases[] = {
        {"circles just touching", Circle(0, 0, 10), Circle(20, 0, 10), false},
        {"touching on a diagonal", Circle(0, 0, 10), Circle(12, 16, 10), false},
        {"circles overlapping", Circle(0, 0, 10), Circle(19.5f, 0, 10), true},
        {"rectangles touching on the right", Rect({0, 0, 10, 10}), Rect({10, 0, 20, 10}), false},
        {"rectangles touching on the left", Rect({0, 0, 10, 10}), Rect({-10, 0, 0, 10}), false},
        {"rectangles touching below", Rect({0, 0, 10, 10}), Rect({0, 10, 10, 20}), false},
        {"rectangles touching above", Rect({0, 0, 10, 10}), Rect({0, -10, 10, 0}), false},
        {"rectangles overlapping a pixel", Rect({0, 0, 10, 10}), Rect({9, 9, 20, 20}), true},
        {"quad corner on an edge", Quad(kSquare), Corner({10, 5}), true},
        {"quad corner on a corner", Quad(kSquare), Corner({10, 10}), true},
        {"quad corner just outside", Quad(kSquare), Corner({10.5f, 5}), false},
        {"quad given the other way round", Quad(kSquareOtherWay), Corner({5, 0}), true},
        // The other encloses this one, but none of its corners lies inside.
        {"only the other's corners count", Quad(kSquare), Quad(kEnclosing), false},
        {"unknown mode", Unknown(), Circle(0, 0, 10), false},
        {"other cannot collide", Circle(0, 0, 10), Circle(0, 0, 10), false, kOtherOff},
        {"other is dead", Circle(0, 0, 10), Circle(0, 0, 10), false, kOtherDead},
        {"tester is dead", Circle(0, 0, 10), Circle(0, 0, 10), false, kTesterDead},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SpriteRig rig;
        ProbeSprite* tester = rig.Make("a");
        ProbeSprite* other = rig.Make("b");
        Apply(*tester, c.tester);
        Apply(*other, c.other);
        if (c.spoil == kOtherOff) other->CanCollide = false;
        if (c.spoil == kOtherDead) other->Dead();
        if (c.spoil == kTesterDead) tester->Dead();
        // Stale flags: the tester's must be overwritten, the other's left alone.
        tester->Collided = true;
        other->Collided = true;

        EXPECT_EQ(tester->Overlaps(*other), c.hit);
        EXPECT_TRUE(rig.log.events.empty());
        tester->Collided = true;
        EXPECT_EQ(tester->CollideWith(*other), c.hit);
        EXPECT_EQ(tester->Collided, c.hit);
        EXPECT_TRUE(other->Collided);
        EXPECT_EQ(Joined(rig.log.events), c.hit ? "test a>b hit a<b hit b<a" : "test a>b");
    }
}

TEST(SpriteCollisionTest, PassTestsEachPairOnceWithTheLowerPositionDeciding) {
    SpriteRig rig;
    ProbeSprite* a = rig.Make("a", 1);
    ProbeSprite* b = rig.Make("b", 2);
    ProbeSprite* off = rig.Make("off", 3);
    ProbeSprite* c = rig.Make("c", 4);
    for (ProbeSprite* s : {a, b, off, c})
        Apply(*s, Circle(0, 0, 5));
    off->CanCollide = false;
    a->CollideMode = 3; // a never hits as the tester, and it always is against b and c

    rig.engine.Collision();
    EXPECT_EQ(Joined(rig.log.events), "test a>b test a>c test b>c hit b<c hit c<b");

    // CollideAll goes from the last position to the first and leaves no one out but itself.
    rig.log.events.clear();
    b->CollideAll();
    EXPECT_EQ(Joined(rig.log.events),
              "test b>c hit b<c hit c<b test b>off test b>a hit b<a hit a<b");
}

// ---- Assign

namespace {

// Every copied field away from its default and from the target's.
void FillDistinct(TSprite& s) {
    s.SetName("source");
    s.SetImageName("ball");
    s.SingleImage = 0;
    s.SetX(1), s.SetY(2);
    s.SetZ(7);
    s.X1 = 3, s.Y1 = 4, s.X2 = 5, s.Y2 = 6, s.X3 = 7, s.Y3 = 8, s.X4 = 9, s.Y4 = 10;
    s.OffsetX = 11, s.OffsetY = 12, s.ShiftX = 13, s.ShiftY = 14;
    s.MirrorX = s.MirrorY = true;
    s.ScaleX = 15, s.ScaleY = 16;
    s.CenterScale = false;
    s.Red = 17, s.Green = 18, s.Blue = 19, s.Alpha = 20;
    s.Color1 = 21, s.Color2 = 22, s.Color3 = 23, s.Color4 = 24;
    s.PatternIndex = 25, s.FrameNumber = 26;
    s.CollideMode = 2;
    s.CanCollide = s.Collided = true;
    s.CollideX = 27, s.CollideY = 28, s.CollideRadius = 29;
    s.CollideRect = {30, 31, 32, 33};
    s.CollideQuad = {{{34, 35}, {36, 37}, {38, 39}, {40, 41}}};
    s.Angle = 42;
    s.DoMove = false;
    s.IsDead = true;
    s.DrawFx = 43;
    s.DrawMode = 4;
    s.Visible = false;
    s.VisibleArea = {44, 45, 46, 47};
}

// std::tie compares field by field; the groups keep a failure readable.
void ExpectSameSprite(const TSprite& got, const TSprite& want) {
    auto naming = [](const TSprite& s) {
        return std::tie(s.Name, s.ImageName, s.SingleImage, s.PatternIndex, s.FrameNumber);
    };
    auto place = [](const TSprite& s) {
        return std::tie(s.X, s.Y, s.Z, s.X1, s.Y1, s.X2, s.Y2, s.X3, s.Y3, s.X4, s.Y4, s.OffsetX,
                        s.OffsetY, s.ShiftX, s.ShiftY);
    };
    auto look = [](const TSprite& s) {
        return std::tie(s.MirrorX, s.MirrorY, s.ScaleX, s.ScaleY, s.CenterScale, s.Angle, s.DrawFx,
                        s.DrawMode, s.Visible, s.VisibleArea);
    };
    auto colour = [](const TSprite& s) {
        return std::tie(s.Red, s.Green, s.Blue, s.Alpha, s.Color1, s.Color2, s.Color3, s.Color4);
    };
    auto collision = [](const TSprite& s) {
        return std::tie(s.CollideMode, s.CanCollide, s.Collided, s.CollideX, s.CollideY,
                        s.CollideRadius, s.CollideRect, s.CollideQuad);
    };
    auto state = [](const TSprite& s) { return std::tie(s.DoMove, s.IsDead); };
    EXPECT_EQ(naming(got), naming(want));
    EXPECT_EQ(place(got), place(want));
    EXPECT_EQ(look(got), look(want));
    EXPECT_EQ(colour(got), colour(want));
    EXPECT_EQ(collision(got), collision(want));
    EXPECT_EQ(state(got), state(want));
}

} // namespace

TEST(SpriteTest, AssignCopiesTheStateButKeepsTheListPosition) {
    SpriteRig rig;
    ProbeSprite* source = rig.Make("source");
    FillDistinct(*source);
    ProbeSprite* middle = rig.Make("middle", 3);
    ProbeSprite* target = rig.Make("target", -3);

    target->Assign(*source);
    ExpectSameSprite(*target, *source);
    EXPECT_EQ(target->Engine, &rig.engine);
    EXPECT_EQ(rig.engine.Items(0), target);
    EXPECT_EQ(rig.engine.Items(1), middle);
    EXPECT_EQ(rig.engine.Items(2), source);
}

TEST(SpriteAnimationTest, AssignTakesTheAnimationOnlyFromAnAnimatedSource) {
    SpriteRig rig;
    auto* source = new TAnimatedSprite(&rig.engine);
    FillDistinct(*source);
    source->SetAnim("ball", 3, 5, 2, false, false, false, 2);
    source->AnimPos = 6.5f;

    auto* target = new TAnimatedSprite(&rig.engine);
    target->AnimPos = 1;
    target->Assign(*source);
    ExpectSameSprite(*target, *source);
    EXPECT_FALSE(target->DoAnimate);
    EXPECT_EQ(target->AnimStart, 3);
    EXPECT_EQ(target->AnimPos, 3); // the start moved, and AnimPos with it
    EXPECT_EQ(target->AnimCount, 5);
    EXPECT_EQ(target->AnimSpeed, 2);
    EXPECT_FALSE(target->AnimLooped);

    auto* fromPlain = new TAnimatedSprite(&rig.engine);
    fromPlain->SetAnim("ball", 1, 2, 0.5f, true, 0);
    fromPlain->Assign(*rig.Make("plain"));
    EXPECT_EQ(fromPlain->Name, "plain");
    EXPECT_EQ(fromPlain->AnimStart, 1);
    EXPECT_EQ(fromPlain->AnimCount, 2);
    EXPECT_EQ(fromPlain->AnimSpeed, 0.5f);
    EXPECT_TRUE(fromPlain->DoAnimate);
}
