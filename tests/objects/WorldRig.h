#pragma once
// A game world for the flask, clock and story objects without a window or sound card: the images
// the objects measure, particle scripts that run, a recorded canvas and audio, a GUI tree
// for the labels they fill, and state changes that only record themselves.
#include "board/GameWorld.h"
#include "engine/GfxImages.h"
#include "engine/GfxSprite.h"
#include "engine/GuiBase.h"
#include "engine/GuiLabel.h"
#include "engine/ParticleScript.h"
#include "engine/Random.h"
#include "engine/RecordingSpriteCanvas.h"
#include "engine/TextUtil.h"
#include "engine/XParticles.h"
#include "platform/headless/RecordingAudio.h"
#include "sound/SoundSystem.h"
#include <string>
#include <string_view>
#include <vector>

struct WorldRig {
    // The board's hook for the game-over state, recorded with the other transitions.
    struct Hooks : TGameHooks {
        WorldRig* rig = nullptr;
        void EnterGameOver() override { rig->world.OnEnterState(14); }
    };

    TGameState state;
    TGfxImages images;
    RecordingSpriteCanvas canvas;
    TRandom rng{5};
    TXParticleManager particles{&canvas, rng};
    platform::headless::RecordingAudio audio;
    TSoundSystem sound{audio};
    TGuiOwner owner;
    TGuiBase gui{&owner};
    TSpriteEngine engine;
    TGameWorld world;
    Hooks hooks;
    // "leave N" and "enter N", in order.
    std::vector<std::string> transitions;

    WorldRig() {
        struct TSize {
            const char* name;
            int w, h;
        };
        for (const TSize& s : std::initializer_list<TSize>{{"colba", 130, 140},
                                                           {"mikstura", 130, 140},
                                                           {"colbablic", 130, 140},
                                                           {"clocks", 90, 150},
                                                           {"sand1", 70, 46},
                                                           {"sand2", 70, 32},
                                                           {"blic", 20, 108},
                                                           {"razvertka", 524, 580},
                                                           {"tubus", 524, 42},
                                                           {"doctor1", 260, 450},
                                                           {"doctor2", 260, 450},
                                                           {"finalpicture", 800, 600}}) {
            TGfxImage* image = images.Add();
            image->Name = s.name;
            image->PatternWidth = s.w;
            image->PatternHeight = s.h;
        }
        for (const char* script : {"puzyri.pss", "dym.pss", "shleif1.pss", "vzryvmolekuly.pss",
                                   "gosand.pss", "exampel.pss", "vdfvd.pss"})
            particles.AddScript(script, SerializeParticleScript(Running()));
        sound.Start();
        sound.LoadMusic(250);
        sound.LoadEffects();
        audio.log.clear();

        engine.Images = &images;
        engine.SetCanvas(&canvas);
        world.State = &state;
        world.Engine = &engine;
        world.Images = &images;
        world.Particles = &particles;
        world.Rng = &rng;
        world.Sound = &sound;
        world.Gui = &gui;
        hooks.rig = this;
        world.Hooks = &hooks;
        world.OnEnterState = [this](uint8_t s) {
            transitions.push_back("enter " + std::to_string(s));
            state.ScreenState = s;
        };
        world.OnLeaveState = [this](uint8_t s) {
            transitions.push_back("leave " + std::to_string(s));
        };
        state.SpeedFactor = 1.0;
    }

    // An effect that emits for a long while, so a started one is still there to look at.
    static TParticleScript Running() {
        TParticleScript s;
        s.EmitRate = 10;
        s.SystemLife = 1000;
        s.LifeMin = s.LifeMax = 1;
        return s;
    }

    // One frame as the playing screens run it: dead, draw, move.
    void Frame() {
        engine.Dead();
        engine.Draw();
        engine.Move(0.001f);
    }

    TGuiLabel* AddLabel(const std::string& name) {
        auto* label = new TGuiLabel(&gui.Root());
        label->Name = name;
        return label;
    }

    // Running effects of that name: the script's for the ones the manager draws, "dontpaint"
    // for those an object draws itself.
    std::vector<TXParticleSystem*> Effects(std::string_view name) const {
        std::vector<TXParticleSystem*> found;
        for (int i = 0; i < particles.Count(); ++i)
            if (SameText(particles.Items(i)->Name, name)) found.push_back(particles.Items(i));
        return found;
    }

    int Alive() const {
        int n = 0;
        for (int i = 0; i < engine.Count(); ++i) n += engine.Items(i)->IsDead ? 0 : 1;
        return n;
    }
};
