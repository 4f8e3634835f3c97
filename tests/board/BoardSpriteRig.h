#pragma once
// A level's board sprites on an engine without a canvas: the game's own cursor on a scripted
// window, images that carry only their sizes, and hooks that record what the board asks the
// other parts of the level to create.
#include "board/BoardModel.h"
#include "board/BoardPicture.h"
#include "board/GameWorld.h"
#include "board/TFishka.h"
#include "board/podlarray.h"
#include "board/tkombobar.h"
#include "engine/GfxDevice.h"
#include "engine/GfxImages.h"
#include "engine/GfxSprite.h"
#include "objects/Cursor.h"
#include "platform/headless/HeadlessPlatform.h"
#include "platform/headless/RecordingRenderer.h"
#include <gtest/gtest.h>
#include <memory>
#include <vector>

struct RecordingHooks : TGameHooks {
    struct TPlaced {
        int n;
        float x, y;
        bool operator==(const TPlaced&) const = default;
    };
    std::vector<TPlaced> bonusObjects, superBonuses, money, molecules, explosions;
    int levelObjects = 0, gameOvers = 0;

    void CreateBonusObject(int kind, float x, float y) override {
        bonusObjects.push_back({kind, x, y});
    }
    void CreateSuperBonus(int item, float x, float y) override {
        superBonuses.push_back({item, x, y});
    }
    void CreateMoney(float x, float y, int points) override { money.push_back({points, x, y}); }
    void CreateMoleculePart(float x, float y) override { molecules.push_back({0, x, y}); }
    void CreateExplosion(float x, float y) override { explosions.push_back({0, x, y}); }
    void CreateLevelObjects() override { ++levelObjects; }
    void EnterGameOver() override { ++gameOvers; }
};

struct BoardRig {
    platform::headless::RecordingRenderer renderer;
    platform::headless::ScriptedWindow window;
    TGfxDevice device{renderer};
    TGfxImages images;
    TGameState state;
    TRandom rng{7};
    RecordingHooks hooks;
    TGameWorld world;
    // Last, so its sprites go before everything they point at.
    std::unique_ptr<TSpriteEngine> engine = std::make_unique<TSpriteEngine>();
    TCursor* cursor = nullptr;

    explicit BoardRig(int level = 1) {
        device.SetWidth(800);
        device.SetHeight(600);
        EXPECT_TRUE(device.Initialize());
        // The combo bar measures its item pictures and itself.
        for (int n = 1; n <= 8; ++n) AddImage("itemz" + std::to_string(n), 96, 80);
        AddImage("combobar", 230, 240);
        engine->Images = &images;
        state.StartNewGame();
        state.LevelNumber = level;
        state.ResetForLevelStart();
        state.ScreenState = 13;
        // One step of a swap is then exactly 2 pixels: a chip lands on its target exactly.
        state.SpeedFactor = 1.0;
        cursor = new TCursor(engine.get(), window, device);
        world.State = &state;
        world.Engine = engine.get();
        world.Images = &images;
        world.Rng = &rng;
        world.Cursor = cursor;
        world.Hooks = &hooks;
    }

    void AddImage(const std::string& name, int width, int height) {
        TGfxImage* image = images.Add();
        image->Name = name;
        image->PatternWidth = width;
        image->PatternHeight = height;
    }

    // One frame of the playing screen's sprite passes that matter without a canvas.
    void Frame() {
        engine->Dead();
        engine->Move(0.001f);
    }
    void Frames(int n) {
        for (int i = 0; i < n; ++i) Frame();
    }
    // Frames until done() holds; the number of frames, or -1 after the limit.
    template <typename F> int RunUntil(F done, int limit = 10000) {
        for (int i = 0; i < limit; ++i) {
            if (done()) return i;
            Frame();
        }
        return done() ? limit : -1;
    }

    // The mouse over the middle of a cell (the board tests the plain pointer 20 pixels below
    // and right of the cursor's corner); the cursor follows in the next frame.
    void PointAt(int c, int r) {
        window.mouseX = int(CellX(state, c)) + 12;
        window.mouseY = int(CellY(state, r)) + 12;
        Frame();
    }
    // A press as the window reports it, then the frame that reads it.
    void Press(int c, int r) {
        PointAt(c, r);
        state.MouseHeld = 1;
        Frame();
    }

    // Chips for the board picture, grown in, with the underlay and (unless told) the combo bar.
    void Board(const TPicture& colours, bool comboBar = true) {
        SetColours(state, colours);
        std::vector<TNewChip> chips;
        for (int r = 1; r <= BoardSize; ++r)
            for (int c = 1; c <= BoardSize; ++c)
                chips.push_back({{c, r}, state.ColourGrid[c][r], state.BonusGrid[c][r]});
        TFishka::CreateChips(world, chips);
        TUnderlay underlay = BuildUnderlay(state.LevelNumber);
        state.UnderlayCount = underlay.CellsWithTiles();
        underlay_ = new podlarray(engine.get(), world, underlay);
        if (comboBar) bar_ = new tkombobar(engine.get(), world, 15, 360);
        EXPECT_GE(RunUntil([&] { return state.GrowingCount == 0; }), 0);
    }
    podlarray* underlay() const { return underlay_; }
    tkombobar* bar() const { return bar_; }

    template <typename T> std::vector<T*> Live() const {
        std::vector<T*> found;
        for (TSprite* sprite : engine->Sprites)
            if (auto* t = dynamic_cast<T*>(sprite); t && !t->IsDead) found.push_back(t);
        return found;
    }
    std::vector<TFishka*> Chips() const { return Live<TFishka>(); }
    TFishka* ChipAt(int c, int r) const {
        for (TFishka* chip : Chips())
            if (chip->X == CellX(state, c) && chip->Y == CellY(state, r)) return chip;
        return nullptr;
    }

private:
    podlarray* underlay_ = nullptr;
    tkombobar* bar_ = nullptr;
};
