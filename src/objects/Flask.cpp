#include "objects/Flask.h"
#include "board/GameWorld.h"
#include "objects/ObjectSprites.h"
#include <cmath>
#include <string>

tcolba::tcolba(const TGameWorld& world, float x, float y) : TSprite(world.Engine), world_(world) {
    X = x;
    Y = y;
    SetImageName("colba");

    molecule_ = new TAnimatedSprite(Engine);
    molecule_->SetAnim("molecula" + std::to_string(world.State->LevelNumber), 0, 13, 100, true,
                       false, true, 0);
    molecule_->X = x + 65;
    molecule_->Y = y + 85;
    molecule_->SetDrawMode(1);
    molecule_->SetAlpha(0);

    mixture_ = MakePartSprite(Engine, "mikstura", x, y, -4);
    glare_ = MakePartSprite(Engine, "colbablic", x, y, 1);

    int w = 0, h = 0;
    ImageSize(world, "colba", w, h);
    bubbles_.Start(world, "puzyri.pss", x + w / 2.0, y + h / 2.0 - 1);
    smoke_.Start(world, "dym.pss", x + w / 2.0, y + 40);
}

void tcolba::Move(float Delta) {
    TGameState& s = *world_.State;
    if (s.LeavingPlay) {
        Visible = false;
        molecule_->Visible = false;
        mixture_->Visible = false;
        glare_->Visible = false;
        bubbles_.Stop();
        smoke_.Stop();
    } else if (s.UnderlayCleared) {
        molecule_->Angle = 0;
        molecule_->SetZ(19);
        if (s.PartsDelivered) {
            molecule_->SetAlpha(255);
            if (molecule_->ScaleX >= 1.5f) {
                s.FlaskGrown = 1;
            } else {
                molecule_->ScaleX += float(0.03 * s.SpeedFactor);
                molecule_->ScaleY += float(0.03 * s.SpeedFactor);
            }
        }
        if (s.FlaskGrown && s.FlaskTimer == 30) s.LevelDone = 1;
        // Moving the timer on makes the reward happen once, however many frames see 20.
        if (s.FlaskTimer == 20) {
            s.FlaskTimer = 21;
            StartEffect(world_, "vzryvmolekuly.pss", 180, 180);
            ++s.Coins;
        }
    } else {
        molecule_->Angle += 0.01f;
        // A level always starts with tiles; guard anyway rather than divide by zero.
        const double initial = s.FlaskFillStep * 120.0;
        const double alpha = initial > 0 ? (initial - s.UnderlayCount) / initial * 120.0 : 0.0;
        molecule_->SetAlpha(int(std::lround(alpha)));
    }
}

void tcolba::Draw() {
    if (Visible) bubbles_.Draw(Engine->Canvas);
    smoke_.Draw(Engine->Canvas);
    glare_->Draw();
    TSprite::Draw();
}

void tcolba::Dead() {
    bubbles_.Stop();
    TSprite::Dead();
}
