#pragma once
// A level's world without a window: the session state, a sprite engine, a seeded generator,
// fonts that measure every character 8 pixels wide, the effect scripts the objects start,
// recorded sounds, a cursor on a scripted mouse and, on request, the playing screen's
// shuffle buttons and a small "Shop_form".
#include "board/GameWorld.h"
#include "engine/GfxCanvas.h"
#include "engine/GfxDevice.h"
#include "engine/GfxFonts.h"
#include "engine/GfxImages.h"
#include "engine/GfxSprite.h"
#include "engine/GuiBase.h"
#include "engine/GuiButton.h"
#include "engine/GuiForm.h"
#include "engine/GuiLabel.h"
#include "engine/ParticleScript.h"
#include "engine/Random.h"
#include "engine/XParticles.h"
#include "objects/Cursor.h"
#include "objects/LevelObjects.h"
#include "platform/headless/HeadlessPlatform.h"
#include "platform/headless/RecordingAudio.h"
#include "platform/headless/RecordingRenderer.h"
#include "sound/SoundSystem.h"
#include <algorithm>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

struct ObjectsRig {
    platform::headless::RecordingRenderer renderer;
    platform::headless::ScriptedWindow window;
    TGfxDevice device{renderer};
    TGfxCanvas canvas{&device};
    TGfxImages images{&device};
    TGfxFonts fonts{&device, &canvas};
    platform::headless::RecordingAudio audio;
    TSoundSystem sound{audio};
    TGameState state;
    TRandom rng;
    TSpriteEngine engine;
    TXParticleManager particles{nullptr, rng};
    TGuiOwner owner;
    TGuiBase gui{&owner};
    TCursor* cursor = nullptr;
    TGameWorld world;
    TLevelObjects objects{world};

    explicit ObjectsRig(uint64_t seed = 1) : rng(seed) {
        EXPECT_TRUE(device.Initialize());
        for (int i = 0; i < 12; ++i) {
            TGfxFont* font = fonts.Add();
            font->FirstChar = 32;
            font->GlyphSizes.assign(224, {8, 16});
            TGfxImage& glyphs = font->Image;
            glyphs.TextureWidth = glyphs.TextureHeight = 256;
            glyphs.PatternWidth = 8;
            glyphs.PatternHeight = 16;
            glyphs.PatternCount = 224;
            EXPECT_TRUE(glyphs.Prepare());
            glyphs.Textures = {900};
        }
        AddImage("fillcombo", 44, 100);
        AddImage("staticmoneta", 40, 40);
        TParticleScript script;
        script.SystemLife = 100;
        script.EmitRate = 10;
        script.LifeMin = script.LifeMax = 1;
        for (const char* name :
             {"vzryvmolekuly.pss", "bonus_dead.pss", "Exampel.pss", "klaksa.pss", "ugol.pss",
              "molnia.pss", "puzyrek.pss", "shleif1.pss", "as_laser.pss", "as_volna.pss"})
            particles.AddScript(name, SerializeParticleScript(script));
        sound.Start();
        sound.LoadEffects();
        cursor = new TCursor(&engine, window, device);
        engine.Images = &images;

        state.BoardOriginX = 260;
        state.BoardOriginY = 50;
        state.SpeedFactor = 1.0;
        state.ScreenState = 13;
        world.State = &state;
        world.Engine = &engine;
        world.Images = &images;
        world.Fonts = &fonts;
        world.Canvas = &canvas;
        world.Particles = &particles;
        world.Rng = &rng;
        world.Sound = &sound;
        world.Cursor = cursor;
        world.Gui = &gui;
        world.Hooks = &objects;
    }

    void AddImage(const char* name, int w, int h) {
        TGfxImage* image = images.Add();
        image->Name = name;
        image->PatternWidth = w;
        image->PatternHeight = h;
    }

    // One frame of the playing screen's sprite passes.
    void Tick() {
        engine.Dead();
        engine.Move(0.001f);
    }
    // Frames until `done` holds, at most `limit`; the number run, or -1 when it never held.
    template <typename F> int TickUntil(F done, int limit = 5000) {
        for (int i = 1; i <= limit; ++i) {
            Tick();
            if (done()) return i;
        }
        return -1;
    }
    bool Alive(const TSprite* s) const {
        return std::find(engine.Sprites.begin(), engine.Sprites.end(), s) != engine.Sprites.end() &&
               !s->IsDead;
    }
    template <typename T> int CountOf() const {
        int n = 0;
        for (TSprite* s : engine.Sprites) n += dynamic_cast<T*>(s) != nullptr && !s->IsDead;
        return n;
    }
    // The pointer at a screen point; the cursor takes it on its next move.
    void PointAt(int x, int y, const char* image = "cursor") {
        cursor->SetImageName(image);
        window.mouseX = x + (std::string(image) == "cursor" ? 0 : 20);
        window.mouseY = y + (std::string(image) == "cursor" ? 0 : 20);
        cursor->Move(0);
    }
    // Effect files played since the last call, by name ("Sounds/clock.wav" -> "clock").
    std::vector<std::string> Sounds() {
        std::vector<std::string> names;
        const auto played = audio.SoundsPlayed();
        for (size_t i = soundsSeen_; i < played.size(); ++i) {
            std::string n = played[i];
            n = n.substr(n.rfind('/') + 1);
            names.push_back(n.substr(0, n.rfind('.')));
        }
        soundsSeen_ = played.size();
        return names;
    }
    // Whether the effect `name` was played since the last look at the sounds.
    bool Played(const std::string& name) {
        const char* known = TSoundSystem::EffectFile(TSoundSystem::EffectSlot(name));
        const std::string file = known ? known : "";
        const auto played = audio.SoundsPlayed();
        const bool found =
            std::find(played.begin() + soundsSeen_, played.end(), file) != played.end();
        soundsSeen_ = played.size();
        return found;
    }

    // The playing screen's three shuffle buttons; `shown` of them visible, from the first.
    void AddShuffleButtons(int shown) {
        for (int i = 1; i <= 3; ++i) {
            auto* b = new TGuiButton(&gui.Root());
            b->Name = "G_mix" + std::to_string(i);
            b->SetVisible(i <= shown);
        }
    }
    bool ButtonShown(const char* name) {
        TGuiControl* c = gui.FindControl(name);
        return c && c->Visible();
    }
    // "Shop_form", hidden, with its description, price and stock labels.
    TGuiForm* AddShopForm() {
        auto* form = new TGuiForm(&gui.Root());
        form->Name = "Shop_form";
        form->SetBounds({0, 0, 800, 600});
        form->Hide();
        std::vector<std::string> names = {"Label1", "Label10", "Label2"};
        for (int i = 1; i <= 8; ++i) names.push_back("SC" + std::to_string(i));
        for (const std::string& name : names) {
            auto* label = new TGuiLabel(form);
            label->Name = name;
            label->SetText("old");
        }
        return form;
    }
    std::string Label(const char* name) {
        auto* label = dynamic_cast<TGuiLabel*>(gui.FindControl(name));
        return label ? label->Text() : "<none>";
    }

    // A board of colours from a picture: one string per row, a digit 1..5 per column.
    void Board(const std::vector<std::string>& rows) {
        for (int r = 1; r <= 8; ++r)
            for (int c = 1; c <= 8; ++c)
                state.ColourGrid[c][r] = uint16_t(rows[r - 1][c - 1] - '0');
    }
    // The cells marked for clearing, as "c,r" in column order.
    std::vector<std::string> Marked() const {
        std::vector<std::string> cells;
        for (int c = 1; c <= 8; ++c)
            for (int r = 1; r <= 8; ++r)
                if (state.MatchMask[c][r] == 0)
                    cells.push_back(std::to_string(c) + "," + std::to_string(r));
        return cells;
    }
    float CellX(int c) const { return float(state.BoardOriginX + (c - 1) * 64); }
    float CellY(int r) const { return float(state.BoardOriginY + (r - 1) * 64); }

private:
    size_t soundsSeen_ = 0;
};
