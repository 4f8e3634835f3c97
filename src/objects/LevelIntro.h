#pragma once
#include "engine/GfxSprite.h"
#include "objects/DoctorFace.h"

struct TGameWorld;

// The scroll of the level intro (state 36): it rolls down from above the screen until its
// top reaches the tube (then ScrollDone is set) and rolls up again when the player moves on.
class trazvertka : public TSprite {
public:
    trazvertka(const TGameWorld& world, float x);
    void Move(float Delta) override;

    TSprite* Tube() const { return tube_; }

private:
    const TGameWorld& world_;
    TSprite* tube_;
};

// The doctor of the level intro: once the scroll is down he waves, talks and reads the
// level's five story lines into the "G_history" form, beside the level's molecule. When the
// player moves on (AdvanceRequested) he fades out, then leaves state 36 and starts the level
// (state 13) through TGameWorld's LeaveState/EnterState. Made with the scroll by the level
// intro's enter handler.
class tlabdoctor2 : public TSprite {
public:
    tlabdoctor2(const TGameWorld& world, float x, float y);
    void Move(float Delta) override;

    const TDoctorFace& Face() const { return face_; }
    TAnimatedSprite* Hand() const { return hand_; }
    TAnimatedSprite* Molecule() const { return molecule_; }

private:
    void Kill();

    const TGameWorld& world_;
    TDoctorFace face_;
    TAnimatedSprite* hand_;
    TAnimatedSprite* molecule_;
};
