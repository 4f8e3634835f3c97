#pragma once
#include "engine/GfxSprite.h"
#include "objects/DoctorFace.h"

struct TGameWorld;
class tvetki;

// The doctor at his microscope in the title hall (main menu, state 4): he blinks, the hall
// sparkles, and the branches sway. When a new game is chosen (AdvanceRequested) the hall
// fades; then the music changes from the menu song to the game song, and the story (34) or,
// with the story switched off, the level intro (36) is entered through TGameWorld::EnterState.
// The shell creates him at (10, 150) when the intro logo ends and after a game's closing
// screens.
class Ttitledoctor : public TSprite {
public:
    Ttitledoctor(const TGameWorld& world, float x, float y);
    void Move(float Delta) override;

    const TDoctorFace& Face() const { return face_; }
    TSprite* Backdrop() const { return backdrop_; }
    tvetki* Branches() const { return branches_; }
    double Fade() const { return fade_; }

private:
    const TGameWorld& world_;
    TDoctorFace face_;
    TSprite* backdrop_;
    tvetki* branches_;
    double fade_ = 0;
    bool fading_ = false;
};
