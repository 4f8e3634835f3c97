#pragma once
#include "engine/GfxSprite.h"
#include "objects/DoctorFace.h"

struct TGameWorld;
class tspeakingwindow;

// The speech window beside the story doctor. It fades in, then shows the story screen's
// text labels ("Label11".."Label35"), the check box text and its two buttons; when the
// player moves on (AdvanceRequested) they are hidden and it fades out. It goes with the
// story screen (state 34).
class tspeakingwindow : public TSprite {
public:
    tspeakingwindow(const TGameWorld& world, float x, float y);
    void Move(float Delta) override;

    double Fade() const { return fade_; }

private:
    void ShowControls(bool visible);

    const TGameWorld& world_;
    double fade_ = 0;
};

// The doctor of the story screen (state 34) before the first level: he fades in over his
// lab, opens the speech window and talks until the player moves on (AdvanceRequested); then
// he fades out, leaves state 34 and enters the level intro (36) through TGameWorld's
// LeaveState/EnterState. The story screen's enter handler creates him at (10, 150).
class tlabdoctor1 : public TSprite {
public:
    tlabdoctor1(const TGameWorld& world, float x, float y);
    void Move(float Delta) override;

    const TDoctorFace& Face() const { return face_; }
    TSprite* Backdrop() const { return backdrop_; }
    tspeakingwindow* Window() const { return window_; }
    double Fade() const { return fade_; }

private:
    const TGameWorld& world_;
    TDoctorFace face_;
    TSprite* backdrop_;
    tspeakingwindow* window_ = nullptr;
    double fade_ = 0;
};
