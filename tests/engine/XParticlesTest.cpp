#include "engine/XParticles.h"
#include "engine/GfxDb.h"
#include "engine/GfxImage.h"
#include "engine/GfxTypes.h"
#include "engine/Random.h"
#include "engine/ResDbWriter.h"
#include "engine/SpriteCanvas.h"
#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <set>
#include <unistd.h>

namespace {

struct DrawCall {
    TGfxImage* image;
    int pattern;
    float x, y, angle, scaleX, scaleY;
    bool mirrorX, mirrorY;
    TGfxColor color;
    uint32_t drawFx;
};

// Effects must draw through DrawRotated only.
class ParticleCanvas : public TSpriteCanvas {
  public:
    std::vector<DrawCall> calls;

    void DrawRotated(TGfxImage* image, int pattern, float x, float y, float angle, float scaleX,
                     float scaleY, bool mirrorX, bool mirrorY, TGfxColor color,
                     uint32_t drawFx) override {
        calls.push_back(
            {image, pattern, x, y, angle, scaleX, scaleY, mirrorX, mirrorY, color, drawFx});
    }
    void DrawScaled(TGfxImage*, int, float, float, float, float, int, bool, bool, uint8_t, uint8_t,
                    uint8_t, uint8_t, uint32_t) override {
        ADD_FAILURE() << "DrawScaled";
    }
    void DrawScaled4(TGfxImage*, int, float, float, float, float, int, bool, bool, const TColor4&,
                     uint32_t) override {
        ADD_FAILURE() << "DrawScaled4";
    }
    void DrawQuad(TGfxImage*, int, const TPoint4&, bool, bool, const TColor4&, uint32_t) override {
        ADD_FAILURE() << "DrawQuad";
    }
};

// Long-lived, still, white particles; each test changes what it looks at.
TParticleScript StillScript() {
    TParticleScript s;
    s.SystemLife = 1000;
    s.LifeMin = s.LifeMax = 1000;
    s.SizeStart = s.SizeMiddle = s.SizeEnd = 1;
    s.ColorStart = s.ColorMiddle = s.ColorEnd = 0xFFFFFFFF;
    s.MiddleTime = 0.5f;
    s.DrawFx = fxBlend;
    return s;
}

struct Rig {
    TRandom random{7};
    TParticleRandom rng;
    TGfxImage image;
    ParticleCanvas canvas;

    Rig() {
        image.PatternWidth = 20;
        image.PatternHeight = 10;
    }
    std::unique_ptr<TXParticleSystem> Make(const TParticleScript& script) {
        auto effect = std::make_unique<TXParticleSystem>(script, &image, rng, random);
        effect->Start();
        return effect;
    }
    // An effect holding exactly one particle, just born, no longer emitting.
    std::unique_ptr<TXParticleSystem> MakeOne(TParticleScript script) {
        script.EmitRate = 1;
        auto effect = Make(script);
        effect->Update(1.0);
        effect->Stop(false);
        EXPECT_EQ(effect->ParticleCount(), 1);
        return effect;
    }
};

std::vector<uint8_t> Bytes(const TParticleScript& script) {
    return SerializeParticleScript(script);
}

} // namespace

TEST(ParticleRandomTest, LcgStartsFromZeroWithTheKnownSequence) {
    TParticleRandom rng;
    EXPECT_EQ(rng.Seed, 0u);
    for (uint32_t expected : {2531011u, 505908858u, 3539360597u, 159719620u})
        EXPECT_EQ(rng.Next(), expected);

    TParticleRandom fresh;
    EXPECT_DOUBLE_EQ(fresh.ParticleRandom(0, 1), 38.0 / 65535.0);
    EXPECT_DOUBLE_EQ(fresh.ParticleRandom(0, 10), 7719.0 * 10 / 65535.0);
}

TEST(ParticleRandomTest, BothBoundsOccurWhicheverWayTheyAreGiven) {
    // Seeds whose successor has an upper half of 0 and of 0xFFFF.
    constexpr uint32_t kToLowest = 2708534849u, kToHighest = 1880880705u;
    struct Case {
        uint32_t seed;
        double a, b, expected;
    } cases[] = {
        {kToLowest, 0, 1, 0},  {kToHighest, 0, 1, 1},    {kToLowest, 5, 1, 1},
        {kToHighest, 5, 1, 5}, {kToHighest, -2, -2, -2}, {kToHighest, -3, 3, 3},
    };
    for (const Case& c : cases) {
        TParticleRandom rng;
        rng.Seed = c.seed;
        EXPECT_DOUBLE_EQ(rng.ParticleRandom(c.a, c.b), c.expected) << c.a << ".." << c.b;
    }
}

TEST(XParticleSystemTest, EmissionCarriesTheRemainderAndRoundsHalvesToEven) {
    Rig rig;
    TParticleScript script = StillScript();
    script.EmitRate = 25;
    auto effect = rig.Make(script);
    const int counts[] = {0, 0, 1, 1, 1, 1, 2, 2, 2};
    const double remainders[] = {0.25, 0.5, -0.25, 0, 0.25, 0.5, -0.25, 0, 0.25};
    for (int step = 0; step < 9; ++step) {
        effect->Update(0.01);
        EXPECT_EQ(effect->ParticleCount(), counts[step]) << "step " << step;
        EXPECT_DOUBLE_EQ(effect->Remainder(), remainders[step]) << "step " << step;
    }
}

TEST(XParticleSystemTest, EmitterStopsInTheStepItsLifeRunsOut) {
    Rig rig;
    TParticleScript script = StillScript();
    script.SystemLife = 0.5f;
    script.EmitRate = 4;
    auto effect = rig.Make(script);
    effect->Update(0.25);
    EXPECT_TRUE(effect->Emitting());
    EXPECT_EQ(effect->ParticleCount(), 1);
    effect->Update(0.25);
    EXPECT_FALSE(effect->Emitting());
    EXPECT_EQ(effect->EmitterAge(), -1);
    EXPECT_EQ(effect->ParticleCount(), 1); // no birth in the step that ended emission

    for (float life : {0.0f, -1.0f, NAN}) {
        script.SystemLife = life;
        auto never = rig.Make(script);
        EXPECT_FALSE(never->Emitting()) << life;
        never->Update(1);
        EXPECT_EQ(never->ParticleCount(), 0) << life;
    }
}

TEST(XParticleSystemTest, BirthStopsAtFiveThousandParticles) {
    Rig rig;
    TParticleScript script = StillScript();
    script.EmitRate = 12000;
    auto effect = rig.Make(script);
    effect->Update(1);
    EXPECT_EQ(effect->ParticleCount(), TXParticleSystem::kMaxParticles);
    EXPECT_DOUBLE_EQ(effect->Remainder(), 0); // the excess is dropped, not saved up
    effect->Update(1);
    EXPECT_EQ(effect->ParticleCount(), TXParticleSystem::kMaxParticles);
}

TEST(XParticleSystemTest, ParticlesDieAtTheirLifeAndSurvivorsKeepBirthOrder) {
    Rig rig;
    TParticleScript script = StillScript();
    script.LifeMin = script.LifeMax = 1.5f;
    script.EmitRate = 2;
    auto effect = rig.Make(script);
    for (int step = 0; step < 4; ++step)
        effect->Update(0.5);
    // The first particle reached 1.5 and died; a swap with the last would put 0.5 first.
    std::vector<double> ages;
    for (const TParticle& p : effect->Particles())
        ages.push_back(p.Age);
    EXPECT_EQ(ages, (std::vector<double>{1.0, 0.5, 0.0}));
}

TEST(XParticleSystemTest, ColourChannelsClampIncludingAlpha) {
    // The second phase takes 0.5 but runs two steps of 0.3 past the change: it overshoots.
    struct Case {
        uint32_t startAndMiddle, end;
        double expected;
    } cases[] = {{0xC8C8C8C8, 0xFFFFFFFF, 255}, {0x37373737, 0x00000000, 0}};
    for (const Case& c : cases) {
        Rig rig;
        TParticleScript script = StillScript();
        script.LifeMin = script.LifeMax = 1;
        script.ColorStart = script.ColorMiddle = c.startAndMiddle;
        script.ColorEnd = c.end;
        auto effect = rig.MakeOne(script);
        for (int step = 0; step < 3; ++step)
            effect->Update(0.3);
        ASSERT_EQ(effect->ParticleCount(), 1);
        for (int channel = 0; channel < 4; ++channel)
            EXPECT_EQ(effect->Particles()[0].Color[channel], c.expected) << channel;
        effect->Draw(rig.canvas, 0, 0);
        ASSERT_EQ(rig.canvas.calls.size(), 1u);
        EXPECT_EQ(rig.canvas.calls[0].color, c.expected ? 0xFFFFFFFFu : 0u);
    }
}

TEST(XParticleSystemTest, PatternRunsFromStartToEndUnlessEndIsNegativeOrTheSame) {
    struct Case {
        int end;
        double pattern; // after 0.45 of a life of 1
        int drawn;
    } cases[] = {{-1, 3, 3}, {3, 3, 3}, {7, 4.8, 4}, {1, 2.1, 2}};
    for (const Case& c : cases) {
        Rig rig;
        TParticleScript script = StillScript();
        script.LifeMin = script.LifeMax = 1;
        script.PatternStart = 3;
        script.PatternEnd = c.end;
        auto effect = rig.MakeOne(script);
        effect->Update(0.45);
        EXPECT_NEAR(effect->Particles()[0].Pattern, c.pattern, 1e-9) << c.end;
        effect->Draw(rig.canvas, 0, 0);
        ASSERT_EQ(rig.canvas.calls.size(), 1u);
        EXPECT_EQ(rig.canvas.calls[0].pattern, c.drawn) << c.end; // truncated, not rounded
    }
}

TEST(XParticleSystemTest, PhaseChangeAimsSpinSizeAndColourAtTheirEnd) {
    Rig rig;
    TParticleScript script = StillScript();
    script.LifeMin = script.LifeMax = 2;
    script.MiddleTime = 0.5f; // change at 1
    script.SpinStart = 0;
    script.SpinMiddle = 1;
    script.SpinEnd = 3;
    script.SizeStart = 1;
    script.SizeMiddle = 2;
    script.SizeEnd = 0;
    script.ColorStart = script.ColorEnd = 0;
    script.ColorMiddle = MakeColor(100, 100, 100, 100);
    auto effect = rig.MakeOne(script);
    const TParticle& born = effect->Particles()[0];
    EXPECT_DOUBLE_EQ(born.AngleSpeed, 1);
    EXPECT_DOUBLE_EQ(born.ScaleSpeed, 1);
    EXPECT_DOUBLE_EQ(born.ColorSpeed[3], 100);

    effect->Update(0.6);
    effect->Update(0.6); // crosses the change: speeds from 0.6, 1.6, 60 over the last 1
    const TParticle& p = effect->Particles()[0];
    EXPECT_NEAR(p.AngleSpeed, 2.4, 1e-9);
    EXPECT_NEAR(p.ScaleSpeed, -1.6, 1e-9);
    for (int channel = 0; channel < 4; ++channel)
        EXPECT_NEAR(p.ColorSpeed[channel], -60, 1e-9);
    EXPECT_NEAR(p.Angle, 0.6 + 2.4 * 0.6, 1e-9);
    EXPECT_NEAR(p.Scale, 1.6 - 1.6 * 0.6, 1e-9);
    EXPECT_NEAR(p.Color[0], 60 - 60 * 0.6, 1e-9);

    effect->Update(0.6); // the change happens once
    EXPECT_NEAR(effect->Particles()[0].AngleSpeed, 2.4, 1e-9);
}

TEST(XParticleSystemTest, FlightDirectionFollowsDirectionRotationAndMovement) {
    const double kHalfPi = std::acos(0.0);
    struct Case {
        uint8_t relative;
        double rotation, moveX;
        double vx, vy;
    } cases[] = {
        {0, 0, 0, 0, 10},       // 0 points down the screen
        {0, kHalfPi, 0, 10, 0}, // rotation adds to Direction
        {0, 0, 50, 0, 10},      // movement alone changes nothing
        {1, 0, 50, -10, 0},     // relative: back along the way the emitter went
        {1, 0, 0, 0, 10},       // relative but still
    };
    for (const Case& c : cases) {
        Rig rig;
        TParticleScript script = StillScript();
        script.SpeedMin = script.SpeedMax = 10;
        script.Relative = c.relative;
        script.EmitRate = 1;
        auto effect = rig.Make(script);
        effect->Rotation = c.rotation;
        effect->X = c.moveX; // the previous position stays at the origin
        effect->Update(1);
        ASSERT_EQ(effect->ParticleCount(), 1);
        const TParticle& p = effect->Particles()[0];
        EXPECT_NEAR(p.VX, c.vx, 1e-6) << int(c.relative) << " " << c.rotation << " " << c.moveX;
        EXPECT_NEAR(p.VY, c.vy, 1e-6) << int(c.relative) << " " << c.rotation << " " << c.moveX;
    }
}

// Radial pushes along the line from the emitter's reference point through the particle,
// tangential across it (turned a quarter clockwise on screen), gravity down; all times 10.
TEST(XParticleSystemTest, AccelerationsPushOutwardAcrossAndDown) {
    struct Case {
        float gravity, radial, tangential;
    } cases[] = {{0, 2, 0}, {0, 0, 2}, {3, 0, 0}, {1, -2, 2}};
    for (const Case& c : cases) {
        Rig rig;
        TParticleScript script = StillScript();
        script.GravityMin = script.GravityMax = c.gravity;
        script.RadialMin = script.RadialMax = c.radial;
        script.TangentialMin = script.TangentialMax = c.tangential;
        auto effect = rig.MakeOne(script);
        const TParticle born = effect->Particles()[0];
        // Emitter plus spawn offset is the birth point mirrored through the emitter.
        const double rx = 2 * (born.X - effect->X), ry = 2 * (born.Y - effect->Y);
        const double length = std::hypot(rx, ry);
        ASSERT_GT(length, 0);
        const double nx = rx / length, ny = ry / length;
        const double dt = 0.5;
        effect->Update(dt);
        const TParticle& p = effect->Particles()[0];
        const double vx = (nx * c.radial - ny * c.tangential) * 10 * dt;
        const double vy = (ny * c.radial + nx * c.tangential) * 10 * dt + c.gravity * 10 * dt;
        EXPECT_NEAR(p.VX, vx, 1e-9);
        EXPECT_NEAR(p.VY, vy, 1e-9);
        EXPECT_NEAR(p.X, born.X + vx * dt, 1e-9);
        EXPECT_NEAR(p.Y, born.Y + vy * dt, 1e-9);
    }
}

TEST(XParticleSystemTest, MovingTheEmitterSetsThePreviousPositionByCase) {
    enum class How { To, By };
    struct Case {
        How how;
        bool emitting, moveParticles;
        double prevX, prevY; // expected; the last update left it at (100, 100)
        double particleShift;
    } cases[] = {
        // The emitter was set to (110, 100) by hand since; the move ends at (150, 120).
        {How::To, true, true, 140, 120, 40},  {How::By, true, true, 140, 120, 40},
        {How::To, true, false, 110, 100, 0},  {How::By, true, false, 110, 100, 0},
        {How::To, false, false, 150, 120, 0}, {How::By, false, false, 150, 120, 0},
        {How::To, false, true, 140, 120, 40},
    };
    for (const Case& c : cases) {
        Rig rig;
        TParticleScript script = StillScript();
        script.EmitRate = 3;
        auto effect = rig.Make(script);
        effect->MoveTo(100, 100, true);
        effect->Update(1);
        ASSERT_EQ(effect->ParticleCount(), 3);
        if (!c.emitting) effect->Stop(false);
        const std::vector<TParticle> before(effect->Particles().begin(), effect->Particles().end());
        effect->X = 110;
        if (c.how == How::To)
            effect->MoveTo(150, 120, c.moveParticles);
        else
            effect->MoveBy(40, 20, c.moveParticles);

        const std::string label = std::string(c.how == How::To ? "MoveTo" : "MoveBy") +
                                  (c.emitting ? " emitting" : " stopped") +
                                  (c.moveParticles ? " moving particles" : "");
        EXPECT_EQ(effect->X, 150) << label;
        EXPECT_EQ(effect->Y, 120) << label;
        EXPECT_EQ(effect->PrevX(), c.prevX) << label;
        EXPECT_EQ(effect->PrevY(), c.prevY) << label;
        for (size_t i = 0; i < before.size(); ++i) {
            EXPECT_DOUBLE_EQ(effect->Particles()[i].X, before[i].X + c.particleShift) << label;
            EXPECT_DOUBLE_EQ(effect->Particles()[i].Y, before[i].Y + c.particleShift / 2) << label;
        }
    }
}

TEST(XParticleSystemTest, ParticlesAreBornAlongThePathSinceTheLastUpdate) {
    Rig rig;
    TParticleScript script = StillScript();
    script.EmitRate = 200;
    auto effect = rig.Make(script);
    effect->AddEmitterPoint(0, 30); // alongside the default point (0, 0)
    effect->Update(1);
    effect->Stop(true);
    effect->Start();
    effect->X = 300; // set directly, as sprites do
    effect->Update(1);
    ASSERT_EQ(effect->ParticleCount(), 200);
    double minX = 1e9, maxX = -1e9;
    std::set<int> rows;
    for (const TParticle& p : effect->Particles()) {
        EXPECT_GE(p.X, -1);
        EXPECT_LE(p.X, 301);
        minX = std::min(minX, p.X);
        maxX = std::max(maxX, p.X);
        rows.insert(int(std::lround(p.Y / 30)));
        EXPECT_DOUBLE_EQ(p.SpawnOffsetX, 300 - p.X);
    }
    EXPECT_LT(minX, 50);
    EXPECT_GT(maxX, 250);
    EXPECT_EQ(rows, (std::set<int>{0, 1})); // both emitter points are used
}

TEST(XParticleSystemTest, StopWithClearRemovesEveryParticleAtOnce) {
    Rig rig;
    TParticleScript script = StillScript();
    script.EmitRate = 50;
    auto effect = rig.Make(script);
    effect->Update(1);
    effect->Stop(false);
    EXPECT_FALSE(effect->Emitting());
    EXPECT_EQ(effect->ParticleCount(), 50);
    effect->Update(1);
    EXPECT_EQ(effect->ParticleCount(), 50); // no more births, the old ones live on
    effect->Stop(true);
    EXPECT_EQ(effect->ParticleCount(), 0);
    effect->Draw(rig.canvas, 0, 0);
    EXPECT_TRUE(rig.canvas.calls.empty());
}

// The image's patterns are 20 by 10 and the particle is drawn four times larger: culling
// still uses the unscaled size.
TEST(XParticleSystemTest, DrawSkipsParticlesWhollyOffTheScreen) {
    struct Case {
        double x, y;
        bool drawn;
    } cases[] = {
        {-10.5, 300, false}, {-9.5, 300, true}, {810.5, 300, false}, {809.5, 300, true},
        {400, -5.5, false},  {400, -4.5, true}, {400, 605.5, false}, {400, 604.5, true},
        {400, 300, true},    {NAN, 300, false},
    };
    for (const Case& c : cases) {
        Rig rig;
        TParticleScript script = StillScript();
        script.SizeStart = script.SizeMiddle = script.SizeEnd = 4;
        auto effect = rig.MakeOne(script);
        const TParticle& p = effect->Particles()[0];
        // The offset carries the particle to the place under test.
        effect->Draw(rig.canvas, float(c.x - p.X), float(c.y - p.Y));
        EXPECT_EQ(rig.canvas.calls.size(), c.drawn ? 1u : 0u) << c.x << ", " << c.y;
    }
}

TEST(XParticleSystemTest, DrawPassesTheParticleStateAndRoundsColours) {
    Rig rig;
    TParticleScript script = StillScript();
    script.LifeMin = script.LifeMax = 2;
    script.PatternStart = script.PatternEnd = 2;
    script.SizeStart = script.SizeMiddle = script.SizeEnd = 1.5f;
    script.SpinStart = script.SpinMiddle = script.SpinEnd = 0.75f;
    script.ColorStart = MakeColor(0, 255, 10, 255);
    script.ColorMiddle = MakeColor(255, 0, 10, 0);
    auto effect = rig.MakeOne(script);
    effect->Update(0.25); // 63.75, 191.25, 10, 191.25
    effect->Draw(rig.canvas, 5, 7);
    ASSERT_EQ(rig.canvas.calls.size(), 1u);
    const DrawCall& call = rig.canvas.calls[0];
    const TParticle& p = effect->Particles()[0];
    EXPECT_EQ(call.image, &rig.image);
    EXPECT_EQ(call.pattern, 2);
    EXPECT_FLOAT_EQ(call.x, float(p.X + 5));
    EXPECT_FLOAT_EQ(call.y, float(p.Y + 7));
    EXPECT_FLOAT_EQ(call.angle, 0.75f);
    EXPECT_FLOAT_EQ(call.scaleX, 1.5f);
    EXPECT_FLOAT_EQ(call.scaleY, 1.5f);
    EXPECT_FALSE(call.mirrorX || call.mirrorY);
    EXPECT_EQ(call.color, MakeColor(64, 191, 10, 191));
    EXPECT_EQ(call.drawFx, fxBlend);

    effect->Image = nullptr;
    effect->Draw(rig.canvas, 0, 0);
    EXPECT_EQ(rig.canvas.calls.size(), 1u);
}

TEST(XParticleSystemTest, DrawReverseDrawsNewestFirst) {
    for (uint8_t reverse : {0, 1}) {
        Rig rig;
        TParticleScript script = StillScript();
        script.EmitRate = 1;
        script.DrawReverse = reverse;
        auto effect = rig.Make(script);
        effect->MoveTo(100, 100, false);
        for (int step = 0; step < 3; ++step)
            effect->Update(1);
        ASSERT_EQ(effect->ParticleCount(), 3);
        effect->Draw(rig.canvas, 0, 0);
        std::vector<float> drawn, born;
        for (const DrawCall& call : rig.canvas.calls)
            drawn.push_back(call.x);
        for (const TParticle& p : effect->Particles())
            born.push_back(float(p.X));
        if (reverse) std::reverse(born.begin(), born.end());
        EXPECT_EQ(drawn, born) << int(reverse);
    }
}

namespace {

struct ManagerRig {
    TRandom random{3};
    TGfxImage image;
    ParticleCanvas canvas;
    TXParticleManager manager{&canvas, random};

    ManagerRig() {
        TParticleScript script = StillScript();
        script.EmitRate = 10;
        manager.AddScript("Sparks.PSS", Bytes(script));
        manager.SetImage(&image);
    }
};

} // namespace

TEST(XParticleManagerTest, SpawnFindsTheScriptIgnoringCaseAndStartsThere) {
    ManagerRig rig;
    EXPECT_EQ(rig.manager.Spawn("nothing.pss", 0, 0), nullptr);
    EXPECT_EQ(rig.manager.Count(), 0);

    TXParticleSystem* effect = rig.manager.Spawn("SPARKS.pss", 40, 60);
    ASSERT_NE(effect, nullptr);
    EXPECT_EQ(effect->Name, "sparks.pss");
    EXPECT_EQ(effect->Image, &rig.image);
    EXPECT_TRUE(effect->Emitting());
    EXPECT_EQ(effect->X, 40);
    EXPECT_EQ(effect->PrevX(), 40); // the first particles are born at the spawn point
    EXPECT_EQ(effect->PrevY(), 60);
    EXPECT_EQ(effect->EmitterPoints(), (std::vector<TEmitterPoint>{{0, 0}}));
    EXPECT_EQ(rig.manager.Items(0), effect);
    EXPECT_EQ(rig.manager.Items(1), nullptr);
    EXPECT_EQ(rig.manager.Items(-1), nullptr);
}

TEST(XParticleManagerTest, AtMostOneHundredEffectsRun) {
    ManagerRig rig;
    std::vector<TXParticleSystem*> effects;
    for (int i = 0; i < TXParticleManager::kMaxEffects; ++i)
        effects.push_back(rig.manager.Spawn("sparks.pss", i, 0));
    EXPECT_EQ(std::count(effects.begin(), effects.end(), nullptr), 0);
    EXPECT_EQ(rig.manager.Spawn("sparks.pss", 0, 0), nullptr);
    EXPECT_EQ(rig.manager.Count(), TXParticleManager::kMaxEffects);

    effects[10]->Stop(true);
    rig.manager.Update(0.1);
    EXPECT_EQ(rig.manager.Count(), TXParticleManager::kMaxEffects - 1);
    EXPECT_NE(rig.manager.Spawn("sparks.pss", 0, 0), nullptr);
}

// Each effect is updated once per pass even when it is moved into a freed place.
TEST(XParticleManagerTest, UpdateFreesFinishedEffectsAndMovesTheLastIntoTheirPlace) {
    struct Case {
        std::vector<int> finished;
        std::vector<int> order;
    } cases[] = {
        {{}, {0, 1, 2, 3}}, {{1}, {0, 3, 2}}, {{0}, {3, 1, 2}},   {{3}, {0, 1, 2}},
        {{1, 3}, {0, 2}},   {{0, 3}, {2, 1}}, {{0, 1, 2, 3}, {}},
    };
    for (const Case& c : cases) {
        ManagerRig rig;
        std::vector<uint64_t> ids;
        for (int i = 0; i < 4; ++i)
            ids.push_back(rig.manager.Spawn("sparks.pss", 0, 0)->Id());
        for (int i : c.finished)
            rig.manager.Find(ids[size_t(i)])->Stop(true);
        rig.manager.Update(0.25);

        std::vector<int> order;
        for (int i = 0; i < rig.manager.Count(); ++i) {
            TXParticleSystem* effect = rig.manager.Items(i);
            order.push_back(int(std::find(ids.begin(), ids.end(), effect->Id()) - ids.begin()));
            EXPECT_DOUBLE_EQ(effect->EmitterAge(), 0.25);
        }
        EXPECT_EQ(order, c.order);
        for (int i : c.finished)
            EXPECT_EQ(rig.manager.Find(ids[size_t(i)]), nullptr);
    }
}

TEST(XParticleManagerTest, AnEffectLivesUntilItsLastParticleDies) {
    ManagerRig rig;
    TParticleScript script = StillScript();
    script.SystemLife = 1;
    script.EmitRate = 2;
    script.LifeMin = script.LifeMax = 2;
    rig.manager.AddScript("short.pss", Bytes(script));
    const uint64_t id = rig.manager.Spawn("short.pss", 0, 0)->Id();
    rig.manager.Update(0.5); // one particle born
    rig.manager.Update(0.5); // the emitter ends; the particle is 0.5 old
    for (int step = 0; step < 2; ++step) {
        rig.manager.Update(0.5);
        EXPECT_NE(rig.manager.Find(id), nullptr) << step;
    }
    rig.manager.Update(0.5); // the particle reaches its life of 2
    EXPECT_EQ(rig.manager.Find(id), nullptr);
    EXPECT_EQ(rig.manager.Find(0), nullptr);
}

TEST(XParticleManagerTest, ShortOrEmptyScriptNeverEmitsAndIsFreedAtOnce) {
    ManagerRig rig;
    const std::vector<uint8_t> full = Bytes(StillScript());
    rig.manager.AddScript("empty.pss", {});
    rig.manager.AddScript("cut.pss", std::span(full.data(), 20)); // ends before SystemLife
    for (const char* name : {"empty.pss", "cut.pss"}) {
        TXParticleSystem* effect = rig.manager.Spawn(name, 0, 0);
        ASSERT_NE(effect, nullptr) << name;
        EXPECT_FALSE(effect->Emitting()) << name;
    }
    rig.manager.Update(1);
    EXPECT_EQ(rig.manager.Count(), 0);
}

TEST(XParticleManagerTest, EachManagerHasItsOwnGeneratorFromZero) {
    ManagerRig first, second;
    first.manager.Spawn("sparks.pss", 0, 0);
    first.manager.Update(1);
    EXPECT_NE(first.manager.ParticleRand().Seed, 0u);
    EXPECT_EQ(second.manager.ParticleRand().Seed, 0u);
    second.manager.Spawn("sparks.pss", 0, 0);
    second.manager.Update(1);
    ASSERT_EQ(second.manager.Items(0)->ParticleCount(), 10);
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(first.manager.Items(0)->Particles()[size_t(i)].Y,
                  second.manager.Items(0)->Particles()[size_t(i)].Y);
}

TEST(XParticleManagerTest, LoadsScriptRecordsByTheirExactExtension) {
    TParticleScript trail = StillScript();
    trail.EmitRate = 77;
    std::vector<uint8_t> longer = Bytes(trail);
    longer.resize(200, 0xAB);
    TResDbWriter writer;
    ASSERT_TRUE(writer.Add("broken.pss", 0, Bytes(trail))); // damaged below
    ASSERT_TRUE(writer.Add("Trail.pss", 0, Bytes(trail)));
    ASSERT_TRUE(writer.Add("longer.pss", 0, longer));
    ASSERT_TRUE(writer.Add("glow.PSS", 0, Bytes(trail)));
    ASSERT_TRUE(writer.Add("spark.pss.png", 1, Bytes(trail)));
    std::vector<uint8_t> archive = writer.Build();
    // The first record starts after the 12-byte header; spoil its zlib stream.
    archive.at(12 + TResDb::kRecordHeaderSize + 4) ^= 0xFF;

    const std::filesystem::path path = std::filesystem::temp_directory_path() /
                                       ("kelvora-particles-" + std::to_string(getpid()) + ".fgg");
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(archive.data()), std::streamsize(archive.size()));
    TResDb db;
    db.SetFileName(path.string());
    db.OpenMode = opReadOnly;

    ManagerRig rig;
    EXPECT_EQ(rig.manager.LoadFromResDb(db), 3);
    std::filesystem::remove(path);
    EXPECT_EQ(rig.manager.ScriptCount(), 4); // with the rig's own script

    ASSERT_NE(rig.manager.FindScript("TRAIL.PSS"), nullptr);
    EXPECT_EQ(*rig.manager.FindScript("trail.pss"), trail);
    EXPECT_EQ(rig.manager.Spawn("trail.pss", 0, 0)->Name, "trail.pss");
    ASSERT_NE(rig.manager.FindScript("longer.pss"), nullptr);
    EXPECT_EQ(*rig.manager.FindScript("longer.pss"), trail);
    EXPECT_EQ(rig.manager.FindScript("glow.pss"), nullptr);
    ASSERT_NE(rig.manager.FindScript("broken.pss"), nullptr);
    EXPECT_EQ(*rig.manager.FindScript("broken.pss"), TParticleScript{});

    TResDb missing;
    missing.SetFileName(path.string() + ".gone");
    missing.OpenMode = opReadOnly;
    EXPECT_EQ(rig.manager.LoadFromResDb(missing), 0);
}
