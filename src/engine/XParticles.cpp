#include "engine/XParticles.h"
#include "engine/GfxDb.h"
#include "engine/GfxImage.h"
#include "engine/GfxTypes.h"
#include "engine/Random.h"
#include "engine/SpriteCanvas.h"
#include "engine/TextUtil.h"
#include <algorithm>
#include <climits>
#include <cmath>

namespace {

constexpr double kScreenWidth = 800, kScreenHeight = 600;

// A zero span of time leaves a value where it is; a damaged script must not turn speeds
// into infinities or NaNs.
double PerTime(double change, double time) {
    return time != 0 ? change / time : 0;
}

// NaN becomes 0 as well, so nothing undefined reaches the byte conversion.
double ClampChannel(double v) {
    if (!(v > 0)) return 0;
    return v > 255 ? 255 : v;
}

double Channel(uint32_t color, int index) {
    return double((color >> (8 * index)) & 0xFF);
}

uint32_t ChannelByte(double v) {
    return uint32_t(std::nearbyint(ClampChannel(v)));
}

double Lerp(double from, double to, double share) {
    return from + share * (to - from);
}

// Out-of-range patterns are the image's to clamp; only the conversion must stay defined.
int PatternIndex(double pattern) {
    if (std::isnan(pattern)) return 0;
    if (pattern <= double(INT_MIN)) return INT_MIN;
    if (pattern >= double(INT_MAX)) return INT_MAX;
    return int(std::trunc(pattern));
}

} // namespace

double TParticleRandom::ParticleRandom(double a, double b) {
    const double lo = std::min(a, b), hi = std::max(a, b);
    // The full upper half over 65535, so both bounds can come out.
    return lo + (double(Next() >> 16) / 65535.0) * (hi - lo);
}

TXParticleSystem::TXParticleSystem(const TParticleScript& script, TGfxImage* image,
                                   TParticleRandom& rng, TRandom& random)
    : Image(image), script_(script), rng_(rng), random_(random) {}

void TXParticleSystem::Start() {
    emitterAge_ = script_.SystemLife > 0 ? 0 : -1;
    remainder_ = 0;
}

void TXParticleSystem::Update(double dt) {
    if (emitterAge_ >= 0) {
        emitterAge_ += dt;
        if (emitterAge_ >= script_.SystemLife) emitterAge_ = -1;
    }

    // Dead particles are dropped by shifting the survivors down, so the drawing order stays
    // the order of birth.
    size_t kept = 0;
    for (size_t i = 0; i < particles_.size(); ++i) {
        TParticle& p = particles_[i];
        p.Age += dt;
        if (!(p.Age < p.Life)) continue; // a NaN life dies too

        if (p.Age - dt < p.PhaseTime && p.PhaseTime <= p.Age) {
            const double rest = p.Life - p.PhaseTime;
            p.AngleSpeed = PerTime(script_.SpinEnd - p.Angle, rest);
            p.ScaleSpeed = PerTime(script_.SizeEnd - p.Scale, rest);
            for (int c = 0; c < 4; ++c)
                p.ColorSpeed[c] = PerTime(Channel(script_.ColorEnd, c) - p.Color[c], rest);
        }

        const double rx = p.X - (X + p.SpawnOffsetX), ry = p.Y - (Y + p.SpawnOffsetY);
        const double length = std::hypot(rx, ry);
        const double nx = length > 0 ? rx / length : 0, ny = length > 0 ? ry / length : 0;
        p.VX += (nx * p.Radial - ny * p.Tangential) * 10 * dt;
        p.VY += (ny * p.Radial + nx * p.Tangential) * 10 * dt + p.Gravity * 10 * dt;

        p.X += p.VX * dt;
        p.Y += p.VY * dt;
        p.Angle += p.AngleSpeed * dt;
        p.Scale += p.ScaleSpeed * dt;
        p.Pattern += p.PatternSpeed * dt;
        for (int c = 0; c < 4; ++c)
            p.Color[c] = ClampChannel(p.Color[c] + p.ColorSpeed[c] * dt);

        if (kept != i) particles_[kept] = p;
        ++kept;
    }
    particles_.resize(kept);

    if (emitterAge_ >= 0) {
        remainder_ += script_.EmitRate * dt;
        // Halves go to the even neighbour (default rounding mode); what rounds away is
        // carried, so a rate below one particle per step still emits on average.
        const double n = std::nearbyint(remainder_);
        remainder_ -= n;
        const int births = !(n > 0) ? 0 : n >= kMaxParticles ? kMaxParticles : int(n);
        for (int i = 0; i < births && particles_.size() < size_t(kMaxParticles); ++i)
            Birth();
    }

    prevX_ = X;
    prevY_ = Y;
}

void TXParticleSystem::Birth() {
    const TParticleScript& s = script_;
    TParticle p;
    p.Life = rng_.ParticleRandom(s.LifeMin, s.LifeMax);
    p.PhaseTime = p.Life * s.MiddleTime;
    p.Age = 0;

    // The draws below are sequenced one by one: the order of the numbers is part of how a
    // script looks.
    const double along = rng_.ParticleRandom(0, 1);
    double x = prevX_ + (X - prevX_) * along;
    double y = prevY_ + (Y - prevY_) * along;
    if (!emitterPoints_.empty()) {
        const TEmitterPoint& point = emitterPoints_[random_.Random(int(emitterPoints_.size()))];
        x += point.X;
        y += point.Y;
    }
    x += rng_.ParticleRandom(-1, 1);
    y += rng_.ParticleRandom(-1, 1);
    p.X = x;
    p.Y = y;
    p.SpawnOffsetX = X - x;
    p.SpawnOffsetY = Y - y;

    double angle = s.Direction + Rotation - s.Spread / 2.0 + rng_.ParticleRandom(0, s.Spread);
    if (s.Relative) angle += std::atan2(prevX_ - X, prevY_ - Y);
    const double speed = rng_.ParticleRandom(s.SpeedMin, s.SpeedMax);
    p.VX = std::sin(angle) * speed;
    p.VY = std::cos(angle) * speed;

    p.Gravity = rng_.ParticleRandom(s.GravityMin, s.GravityMax);
    p.Radial = rng_.ParticleRandom(s.RadialMin, s.RadialMax);
    p.Tangential = rng_.ParticleRandom(s.TangentialMin, s.TangentialMax);

    p.Scale = rng_.ParticleRandom(s.SizeStart, Lerp(s.SizeStart, s.SizeMiddle, s.SizeVar));
    p.ScaleSpeed = PerTime(s.SizeMiddle - p.Scale, p.PhaseTime);
    p.Angle = rng_.ParticleRandom(s.SpinStart, Lerp(s.SpinStart, s.SpinMiddle, s.SpinVar));
    p.AngleSpeed = PerTime(s.SpinMiddle - p.Angle, p.PhaseTime);

    p.Pattern = s.PatternStart;
    const bool patternStays = s.PatternEnd < 0 || s.PatternEnd == s.PatternStart;
    p.PatternSpeed =
        patternStays ? 0 : PerTime(double(s.PatternEnd) - double(s.PatternStart), p.Life);

    const double colorShare = rng_.ParticleRandom(0, s.ColorVar);
    const double alphaShare = rng_.ParticleRandom(0, s.AlphaVar);
    for (int c = 0; c < 4; ++c) {
        const double start = Channel(s.ColorStart, c), middle = Channel(s.ColorMiddle, c);
        const double share = c < 3 ? colorShare : alphaShare;
        p.Color[c] = ClampChannel(Lerp(start, middle, share));
        p.ColorSpeed[c] = PerTime(middle - p.Color[c], p.PhaseTime);
    }

    particles_.push_back(p);
}

void TXParticleSystem::Draw(TSpriteCanvas& canvas, float offsetX, float offsetY) {
    if (!Image) return;
    // Culling uses the unscaled pattern: cheap, and it never drops a visible particle of
    // scale 1 or less.
    const double halfW = Image->PatternWidth / 2.0, halfH = Image->PatternHeight / 2.0;
    auto drawOne = [&](const TParticle& p) {
        const double x = p.X + offsetX, y = p.Y + offsetY;
        // Written as "on screen" so that a NaN position is skipped as well.
        const bool onScreen = x + halfW >= 0 && y + halfH >= 0 && x - halfW <= kScreenWidth &&
                              y - halfH <= kScreenHeight;
        if (!onScreen) return;
        const TGfxColor color = MakeColor(ChannelByte(p.Color[0]), ChannelByte(p.Color[1]),
                                          ChannelByte(p.Color[2]), ChannelByte(p.Color[3]));
        canvas.DrawRotated(Image, PatternIndex(p.Pattern), float(x), float(y), float(p.Angle),
                           float(p.Scale), float(p.Scale), false, false, color, script_.DrawFx);
    };
    if (script_.DrawReverse)
        std::for_each(particles_.rbegin(), particles_.rend(), drawOne);
    else
        std::for_each(particles_.begin(), particles_.end(), drawOne);
}

void TXParticleSystem::MoveEmitter(double x, double y, double dx, double dy, bool moveParticles) {
    if (moveParticles) {
        for (TParticle& p : particles_) {
            p.X += dx;
            p.Y += dy;
        }
        prevX_ += dx;
        prevY_ += dy;
    } else if (Emitting()) {
        prevX_ = X;
        prevY_ = Y;
    } else {
        prevX_ = x;
        prevY_ = y;
    }
    X = x;
    Y = y;
}

void TXParticleSystem::MoveTo(double x, double y, bool moveParticles) {
    MoveEmitter(x, y, x - X, y - Y, moveParticles);
}

void TXParticleSystem::MoveBy(double dx, double dy, bool moveParticles) {
    MoveEmitter(X + dx, Y + dy, dx, dy, moveParticles);
}

void TXParticleSystem::Stop(bool clearParticles) {
    emitterAge_ = -1;
    if (clearParticles) particles_.clear();
}

TXParticleManager::TXParticleManager(TSpriteCanvas* canvas, TRandom& random)
    : canvas_(canvas), random_(random) {}

TXParticleManager::~TXParticleManager() = default;

int TXParticleManager::LoadFromResDb(TResDb& db) {
    if (!db.Ensure()) return 0;
    int added = 0;
    const int count = db.RecordCount();
    for (int i = 0; i < count; ++i) {
        const std::string key = db.RecordKey(i);
        if (!key.ends_with(".pss")) continue;
        std::vector<uint8_t> bytes;
        // An unreadable record still makes an entry, all zero, which never emits.
        if (!db.ReadStream(key, bytes)) bytes.clear();
        AddScript(key, bytes);
        ++added;
    }
    return added;
}

void TXParticleManager::AddScript(std::string_view key, std::span<const uint8_t> bytes) {
    scripts_.push_back({LowerCase(key), ParseParticleScript(bytes)});
}

const TParticleScript* TXParticleManager::FindScript(std::string_view name) const {
    for (const TScriptEntry& entry : scripts_)
        if (SameText(entry.Name, name)) return &entry.Script;
    return nullptr;
}

TXParticleSystem* TXParticleManager::Spawn(std::string_view name, double x, double y) {
    if (Count() >= kMaxEffects) return nullptr;
    auto entry = std::find_if(scripts_.begin(), scripts_.end(),
                              [&](const TScriptEntry& e) { return SameText(e.Name, name); });
    if (entry == scripts_.end()) return nullptr;
    auto effect = std::make_unique<TXParticleSystem>(entry->Script, image_, rng_, random_);
    effect->Name = entry->Name;
    effect->id_ = nextId_++;
    // Not yet emitting, so the move sets the previous position too and the first particles
    // are born at x, y rather than along a path from the origin.
    effect->MoveTo(x, y, false);
    effect->Start();
    effects_.push_back(std::move(effect));
    return effects_.back().get();
}

void TXParticleManager::Update(double dt) {
    for (size_t i = 0; i < effects_.size();) {
        effects_[i]->Update(dt);
        if (!effects_[i]->Emitting() && effects_[i]->ParticleCount() == 0) {
            // The last effect has not been updated yet in this pass; it is at i next.
            std::swap(effects_[i], effects_.back());
            effects_.pop_back();
        } else {
            ++i;
        }
    }
}

TXParticleSystem* TXParticleManager::Items(int index) const {
    return index >= 0 && index < Count() ? effects_[size_t(index)].get() : nullptr;
}

TXParticleSystem* TXParticleManager::Find(uint64_t id) const {
    if (id == 0) return nullptr;
    for (const auto& effect : effects_)
        if (effect->Id() == id) return effect.get();
    return nullptr;
}

void TXParticleManager::SetImage(TGfxImage* image) {
    image_ = image;
    for (const auto& effect : effects_)
        effect->Image = image;
}
