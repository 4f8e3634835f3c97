#include "tools/runner/GameRunner.h"
#include "tools/runner/AutoPlay.h"
#include "engine/GuiControls.h"
#include "engine/Screenshot.h"
#include "platform/sdl/SdlRenderer.h"
#include "platform/VirtualKeys.h"
#include "platform/headless/RecordingRenderer.h"
#include "shell/Unit1.h"
#include <nlohmann/json.hpp>
#include <fstream>

namespace fs = std::filesystem;
using platform::Event;

TGameRunner::TGameRunner(fs::path workDir, uint64_t seed, bool pixels)
    : workDir_(fs::absolute(workDir)), seed_(seed) {
    if (pixels) {
        renderer_ = platform::sdl::CreateSoftwareRenderer();
    } else {
        auto recording = std::make_unique<platform::headless::RecordingRenderer>();
        recording->keepBatches = false;
        renderer_ = std::move(recording);
    }
}

TGameRunner::~TGameRunner() {
    form_.reset();
    if (!previousDir_.empty()) {
        std::error_code ec;
        fs::current_path(previousDir_, ec);
    }
}

bool TGameRunner::Start() {
    std::error_code ec;
    previousDir_ = fs::current_path(ec);
    fs::current_path(workDir_, ec);
    if (ec || !renderer_) return false;
    form_ = std::make_unique<TForm1>(platform_, *renderer_, audio_);
    form_->FixedSeed = true;
    form_->Random.Seed(seed_);
    if (!form_->FormCreate()) return false;
    form_->Random.Seed(seed_);
    return true;
}

void TGameRunner::RunFrames(int frames) {
    for (int i = 0; i < frames && !form_->Closed(); ++i) {
        form_->Run(1);
        ++frame_;
        // The fake clock notes every sleep for the timer tests; a long run would keep them all.
        platform_.fakeClock.sleeps.clear();
    }
}

bool TGameRunner::Screenshot(const fs::path& png) {
    const fs::path out = OutputDir.empty() ? png : OutputDir / png;
    return SaveScreenshot(form_->Device, out.string());
}

bool TGameRunner::Execute(const std::vector<TScenarioStep>& steps, std::string& error) {
    using K = TScenarioStep::Kind;
    auto& w = platform_.scriptedWindow;
    auto button = [](const TScenarioStep& s) {
        return s.right ? platform::MouseButton::Right : platform::MouseButton::Left;
    };
    for (const TScenarioStep& s : steps) {
        if (form_->Closed()) break;
        switch (s.kind) {
        case K::Wait: RunFrames(s.a); break;
        case K::Move: w.PushMouse(Event::Type::MouseMove, s.a, s.b); RunFrames(1); break;
        case K::Press: w.PushMouse(Event::Type::MouseDown, w.mouseX, w.mouseY, button(s)); RunFrames(1); break;
        case K::Release: w.PushMouse(Event::Type::MouseUp, w.mouseX, w.mouseY, button(s)); RunFrames(1); break;
        case K::Click:
            w.PushMouse(Event::Type::MouseMove, s.a, s.b);
            RunFrames(1);
            w.PushMouse(Event::Type::MouseDown, s.a, s.b);
            RunFrames(1);
            w.PushMouse(Event::Type::MouseUp, s.a, s.b);
            RunFrames(1);
            break;
        case K::KeyDown: w.PushKey(s.a, true); RunFrames(1); break;
        case K::KeyUp: w.PushKey(s.a, false); RunFrames(1); break;
        case K::Key:
            w.PushKey(s.a, true);
            RunFrames(1);
            w.PushKey(s.a, false);
            RunFrames(1);
            break;
        case K::Text:
            for (unsigned char c : s.text) {
                Event e;
                e.type = Event::Type::Char;
                e.ch = c;
                w.Push(e);
            }
            RunFrames(1);
            break;
        case K::Close: {
            Event e;
            e.type = Event::Type::CloseRequest;
            w.Push(e);
            RunFrames(1);
            break;
        }
        case K::Minimize: {
            Event e;
            e.type = Event::Type::Minimized;
            w.Push(e);
            RunFrames(1);
            break;
        }
        case K::Goto: form_->States.Go(uint8_t(s.a)); RunFrames(1); break;
        case K::Level: form_->Game.LevelNumber = s.a; break;
        case K::Autoplay: {
            TAutoPlayer player(*this);
            for (int i = 0; i < s.a; ++i)
                if (const TAutoPlayResult r = player.PlayMove();
                    r != TAutoPlayResult::Moved && r != TAutoPlayResult::Shuffled)
                    break;
            break;
        }
        case K::Hint:
            if (TGuiControl* help = form_->Control("G_help")) {
                TAutoPlayer(*this).PressControl(*help);
            }
            break;
        case K::Item: {
            int& stock = form_->Game.SuperBonusCount[size_t(s.a)];
            if (stock == 0) stock = 1;
            TAutoPlayer(*this).PickUpSuperBonus(s.a);
            break;
        }
        case K::Shot:
            if (!Screenshot(s.text)) {
                error = "line " + std::to_string(s.line) + ": cannot write " + s.text;
                return false;
            }
            break;
        case K::Dump: {
            const fs::path out = OutputDir.empty() ? fs::path(s.text) : OutputDir / s.text;
            std::ofstream file(out);
            file << StateJson() << "\n";
            if (!file) {
                error = "line " + std::to_string(s.line) + ": cannot write " + s.text;
                return false;
            }
            break;
        }
        }
    }
    return true;
}

std::string TGameRunner::StateJson() const {
    const TGameState& g = form_->Game;
    nlohmann::ordered_json j;
    j["frame"] = frame_;
    j["ScreenState"] = int(g.ScreenState);
    j["score"] = g.GetScore();
    j["level"] = g.LevelNumber;
    j["lives"] = g.GetLives();
    j["coins"] = g.Coins;
    j["BoardPhase"] = g.BoardPhase;
    j["LevelTimeLeft"] = g.LevelTimeLeft;
    j["StateTicks"] = form_->StateTicks;
    j["AdvanceRequested"] = int(g.AdvanceRequested);
    j["ScrollDone"] = int(g.ScrollDone);
    j["UnderlayCount"] = g.UnderlayCount;
    j["UnderlayCleared"] = int(g.UnderlayCleared);
    j["LevelDone"] = int(g.LevelDone);
    j["sprites"] = form_->SpriteEngine ? form_->SpriteEngine->Count() : 0;
    j["closed"] = form_->Closed();
    nlohmann::json grid = nlohmann::json::array();
    for (int r = 1; r <= BoardSize; ++r) {
        // One text per row, a digit per cell: the board reads as it looks.
        std::string row;
        for (int c = 1; c <= BoardSize; ++c) row += char('0' + g.ColourGrid[c][r] % 10);
        grid.push_back(row);
    }
    j["ColourGrid"] = grid;
    nlohmann::json forms = nlohmann::json::array();
    if (form_->GuiBase) {
        TGuiTaskbar& root = form_->GuiBase->Root();
        for (int i = 0; i < root.ChildCount(); ++i)
            if (TGuiControl* c = root.Child(i); c && c->Visible()) forms.push_back(c->Name);
    }
    j["forms"] = forms;
    j["timer1"] = form_->Timer1.Enabled();
    j["audio"] = audio_.log;
    return j.dump(1);
}
