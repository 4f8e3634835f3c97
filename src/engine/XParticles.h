#pragma once
#include "engine/ParticleScript.h"
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

class TGfxImage;
class TRandom;
class TResDb;
class TSpriteCanvas;

// The particle generator: a 32-bit LCG of its own, apart from the game's TRandom, so that
// effects draw the same numbers the scripts were tuned with. One per manager, shared by its
// effects; it starts from seed 0.
class TParticleRandom {
  public:
    uint32_t Seed = 0;

    uint32_t Next() {
        Seed = Seed * 214013u + 2531011u;
        return Seed;
    }
    // Uniform between the smaller and the larger of a and b, both bounds included.
    double ParticleRandom(double a, double b);
};

// Anything the particle code places on the screen. The game names an effect "dontpaint"
// when a sprite draws it itself instead of the frame's general particle pass.
class TXObject {
  public:
    virtual ~TXObject() = default;
    virtual void Update(double dt) {}
    virtual void Draw(TSpriteCanvas& canvas, float offsetX, float offsetY) {}

    std::string Name;
    double X = 0, Y = 0;
    double Angle = 0;
};

struct TParticle {
    double Pattern = 0, PatternSpeed = 0;
    double X = 0, Y = 0;
    // Emitter position minus the particle's position at birth; the radial push is measured
    // from the emitter's current position plus this.
    double SpawnOffsetX = 0, SpawnOffsetY = 0;
    double VX = 0, VY = 0;
    double Gravity = 0, Radial = 0, Tangential = 0;
    double Angle = 0, AngleSpeed = 0;
    double Scale = 0, ScaleSpeed = 0;
    double Color[4] = {}, ColorSpeed[4] = {}; // red, green, blue, alpha; 0..255
    double Age = 0, PhaseTime = 0, Life = 0;
};

struct TEmitterPoint {
    int X = 0, Y = 0;
    friend bool operator==(const TEmitterPoint&, const TEmitterPoint&) = default;
};

// One running effect. Its emitter is X, Y; the game may set them directly every frame, and
// particles are then born along the path from the position of the previous Update.
// The generators are borrowed and must outlive the effect; the image is borrowed too.
class TXParticleSystem : public TXObject {
  public:
    static constexpr int kMaxParticles = 5000;

    TXParticleSystem(const TParticleScript& script, TGfxImage* image, TParticleRandom& rng,
                     TRandom& random);

    // Emits from now on for SystemLife; a script without a positive SystemLife never emits.
    void Start();
    // Ages the emitter, moves and retires particles, then emits (see the .cpp for the order).
    void Update(double dt) override;
    // Draws on-screen particles at their position plus the offset; nothing without an image.
    void Draw(TSpriteCanvas& canvas, float offsetX, float offsetY) override;

    // Moving particles along keeps the effect's shape; otherwise an emitting effect leaves a
    // trail from the old position and a stopped one simply jumps.
    void MoveTo(double x, double y, bool moveParticles);
    void MoveBy(double dx, double dy, bool moveParticles);
    void Stop(bool clearParticles);

    void AddEmitterPoint(int x, int y) { emitterPoints_.push_back({x, y}); }
    void ClearEmitterPoints() { emitterPoints_.clear(); }
    const std::vector<TEmitterPoint>& EmitterPoints() const { return emitterPoints_; }

    bool Emitting() const { return emitterAge_ >= 0; }
    double EmitterAge() const { return emitterAge_; } // -1 when not emitting
    double Remainder() const { return remainder_; }
    double PrevX() const { return prevX_; }
    double PrevY() const { return prevY_; }
    int ParticleCount() const { return int(particles_.size()); }
    std::span<const TParticle> Particles() const { return particles_; }
    const TParticleScript& Script() const { return script_; }

    // Identifies the effect for TXParticleManager::Find; 0 for one not made by a manager.
    uint64_t Id() const { return id_; }

    TGfxImage* Image = nullptr;
    double Rotation = 0; // added to the script's Direction

  private:
    friend class TXParticleManager;

    void Birth();
    void MoveEmitter(double x, double y, double dx, double dy, bool moveParticles);

    TParticleScript script_;
    TParticleRandom& rng_;
    TRandom& random_;
    std::vector<TParticle> particles_;
    std::vector<TEmitterPoint> emitterPoints_{{0, 0}};
    double emitterAge_ = -1;
    double remainder_ = 0;
    double prevX_ = 0, prevY_ = 0;
    uint64_t id_ = 0;
};

// Holds the scripts by name and owns every running effect.
//
// Ownership: an effect lives until the manager's Update finds it neither emitting nor
// holding particles, or until the manager is destroyed. That can happen without Stop, once a
// finite SystemLife has run out and the last particle has died. A sprite that keeps an
// effect only borrows it: keep its Id and fetch it with Find when needed (null once freed)
// rather than holding the pointer across Updates.
class TXParticleManager {
  public:
    static constexpr int kMaxEffects = 100;

    // The canvas and the general generator (used to pick emitter points) are borrowed and
    // must outlive the manager. The canvas may be null when nothing is drawn.
    TXParticleManager(TSpriteCanvas* canvas, TRandom& random);
    ~TXParticleManager();
    TXParticleManager(const TXParticleManager&) = delete;
    TXParticleManager& operator=(const TXParticleManager&) = delete;

    // Adds every record whose key ends in ".pss" in exactly those small letters; a record
    // that cannot be read gives an all-zero script. Returns the number of scripts added.
    int LoadFromResDb(TResDb& db);
    // Stores the script under the key in small letters; only the first 136 bytes count.
    // Names may repeat (one per archive); lookups find the first.
    void AddScript(std::string_view key, std::span<const uint8_t> bytes);
    int ScriptCount() const { return int(scripts_.size()); }
    const TParticleScript* FindScript(std::string_view name) const;

    // Starts the named script (ignoring case) at x, y. Null when the name is unknown or
    // kMaxEffects are running. The effect is named after its script.
    TXParticleSystem* Spawn(std::string_view name, double x, double y);

    // Updates every effect in list order and frees the finished ones; a freed effect's place
    // is taken by the last one, so the order changes. Every effect is updated once.
    void Update(double dt);

    int Count() const { return int(effects_.size()); }
    TXParticleSystem* Items(int index) const;  // null outside 0..Count-1
    TXParticleSystem* Find(uint64_t id) const; // null once that effect has been freed

    TSpriteCanvas* Canvas() const { return canvas_; }
    TGfxImage* Image() const { return image_; }
    // Running effects switch too, so a reloaded image list leaves no effect pointing at
    // the old image.
    void SetImage(TGfxImage* image);

    TParticleRandom& ParticleRand() { return rng_; }

  private:
    struct TScriptEntry {
        std::string Name; // small letters
        TParticleScript Script;
    };

    TSpriteCanvas* canvas_;
    TRandom& random_;
    TGfxImage* image_ = nullptr;
    TParticleRandom rng_;
    std::vector<TScriptEntry> scripts_;
    std::vector<std::unique_ptr<TXParticleSystem>> effects_;
    uint64_t nextId_ = 1;
};
