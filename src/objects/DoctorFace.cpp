#include "objects/DoctorFace.h"
#include "objects/ObjectSprites.h"
#include "objects/ObjectSupport.h"

void TDoctorFace::Blink(double step) {
    BlinkTimer += step;
    if (BlinkTimer > 1200) BlinkTimer = 0;
    if (Eyelids) Eyelids->Visible = BlinkTimer >= 1000 && BlinkTimer < 1200;
}

void TDoctorFace::Talk(const TGameWorld& world) {
    TalkTimer -= 1;
    if (TalkTimer > 0) return;
    TalkTimer = 100 + RandomInt(world, 100);
    if (Mouth) Mouth->AnimSpeed = float(RandomInt(world, 100));
}

void TDoctorFace::SetAlpha(int alpha) {
    for (TSprite* part : {Eyelids, Eyepiece, static_cast<TSprite*>(Mouth)})
        if (part) part->SetAlpha(alpha);
}

void TDoctorFace::Kill() {
    KillPart(Eyelids);
    KillPart(Eyepiece);
    KillPart(Mouth);
}
