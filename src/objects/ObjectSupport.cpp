#include "objects/ObjectSupport.h"
#include "engine/GfxFonts.h"
#include "engine/GfxImages.h"
#include "engine/GuiBase.h"
#include "engine/Random.h"
#include "engine/XParticles.h"
#include "objects/Cursor.h"
#include <algorithm>
#include <cmath>

void TOwnedEffect::Start(const TGameWorld& world, std::string_view script, double x, double y) {
    Stop();
    particles_ = world.Particles;
    if (!particles_) return;
    if (TXParticleSystem* system = particles_->Spawn(script, x, y)) {
        system->Name = "dontpaint";
        id_ = system->Id();
    }
}

TXParticleSystem* TOwnedEffect::System() const {
    return particles_ && id_ ? particles_->Find(id_) : nullptr;
}

void TOwnedEffect::MoveTo(double x, double y) const {
    if (TXParticleSystem* system = System()) {
        system->X = x;
        system->Y = y;
    }
}

void TOwnedEffect::Draw(TSpriteCanvas* canvas) const {
    if (TXParticleSystem* system = System(); system && canvas) system->Draw(*canvas, 0, 0);
}

void TOwnedEffect::Stop() {
    if (TXParticleSystem* system = System()) system->Stop(true);
    id_ = 0;
}

void StartEffect(const TGameWorld& world, std::string_view script, double x, double y) {
    if (world.Particles) world.Particles->Spawn(script, x, y);
}

namespace {

TGfxFont* GameFont(const TGameWorld& world, int font) {
    if (!world.Fonts) return nullptr;
    TGfxFont* f = world.Fonts->Items(font);
    return f && f->Owner && f->Owner->Canvas ? f : nullptr;
}

} // namespace

void DrawGameText(const TGameWorld& world, int font, std::string_view text, float x, float y,
                  TGfxColor colour) {
    if (TGfxFont* f = GameFont(world, font)) f->TextOut(text, x, y, colour);
}

float GameTextWidth(const TGameWorld& world, int font, std::string_view text) {
    TGfxFont* f = world.Fonts ? world.Fonts->Items(font) : nullptr;
    return f ? f->TextWidth(text) : 0.0f;
}

TGfxColor TextColour(uint32_t rgb, int alpha) {
    return (rgb & 0xFFFFFFu) | (uint32_t(std::clamp(alpha, 0, 255)) << 24);
}

TGuiControl* FindGameControl(const TGameWorld& world, std::string_view name) {
    return world.Gui ? world.Gui->FindControl(name) : nullptr;
}

void ImageSize(const TGameWorld& world, std::string_view name, int& width, int& height) {
    const TGfxImage* image = world.Images ? world.Images->Find(name) : nullptr;
    width = image ? image->PatternWidth : 0;
    height = image ? image->PatternHeight : 0;
}

int RandomInt(const TGameWorld& world, int n) { return world.Rng ? world.Rng->Random(n) : 0; }

void RunGoalCheck(TGameState& s) {
    if (s.UnderlayCount == 0 && s.LevelNumber < 16) s.UnderlayCleared = 1;
}

TCell CellUnder(const TGameState& s, double x, double y) {
    return {int(std::trunc((x - s.BoardOriginX) / 64)) + 1,
            int(std::trunc((y - s.BoardOriginY) / 64)) + 1};
}

TCell ClampToBoard(TCell cell) {
    return {std::clamp(cell.c, 1, BoardSize), std::clamp(cell.r, 1, BoardSize)};
}

void MarkCell(TGameState& s, TCell cell) {
    if (OnBoard(cell)) s.MatchMask[cell.c][cell.r] = 0;
}

void KeepAllCells(TGameState& s) {
    for (int c = 1; c <= BoardSize; ++c)
        for (int r = 1; r <= BoardSize; ++r) s.MatchMask[c][r] = 1;
}

void AimPoint(const TGameWorld& world, float chipX, float chipY, double& x, double& y) {
    const float baseX = world.Cursor ? world.Cursor->X : chipX;
    const float baseY = world.Cursor ? world.Cursor->Y : chipY;
    x = double(baseX) + 20;
    y = double(baseY) + 20;
}

TCell AimedCell(const TGameWorld& world, float chipX, float chipY) {
    double x, y;
    AimPoint(world, chipX, chipY, x, y);
    return ClampToBoard(CellUnder(*world.State, x, y));
}
