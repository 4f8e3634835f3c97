// The window's hooks: which screen and level behaviour runs at each point of its states.
#include "board/tfing.h"
#include "board/tkombobar.h"
#include "board/tzadnik.h"
#include "objects/FinalPicture.h"
#include "objects/LevelClock.h"
#include "objects/LevelIntro.h"
#include "objects/Shop.h"
#include "objects/StoryDoctor.h"
#include "objects/StoryText.h"
#include "objects/TitleDoctor.h"
#include "engine/GuiButton.h"
#include "engine/GuiLabel.h"
#include "shell/ShellHooks.h"
#include "engine/GuiControls.h"
#include "engine/GuiEdit.h"
#include "platform/Platform.h"
#include "screens/Console.h"
#include "screens/HighScores.h"
#include "screens/HowToPlayPages.h"
#include "screens/OnlineScores.h"
#include "screens/ProfileScreens.h"
#include "screens/Profiles.h"
#include "screens/ScoreServer.h"
#include "screens/SettingsFile.h"
#include "screens/ShareScreen.h"
#include "shell/Unit1.h"

#include <cmath>

namespace {
constexpr int kEsc = 27, kEnter = 13;
}

void TForm1::WireHooks() {
    shellHooks_ = std::make_unique<TShellHooks>(*this, World);
    World.Hooks = shellHooks_.get();

    Hooks.BuildLevel = [this] { BuildLevelBoard(World); };
    Hooks.DrawBonusCounts = [this] { tkombobar::DrawCounts(World); };
    Hooks.CreateShop = [this] {
        shellHooks_->CreateShop([this] { Go(37, 36); });
    };
    World.OnEnterState = [this](uint8_t state) { States.EnterState(state); };
    World.OnLeaveState = [this](uint8_t state) { States.LeaveState(state); };
    Hooks.CreateTitleDoctor = [this] {
        if (SpriteEngine) new Ttitledoctor(World, 10, 150);
    };
    Hooks.CreateFinalPicture = [this] {
        if (SpriteEngine) new tfinal(World, 0, 0);
    };
    Hooks.EnterStory = [this] {
        if (SpriteEngine) new tlabdoctor1(World, 10, 150);
        for (int i = 1; i <= 5; ++i) SetLabel("story" + std::to_string(i), "");
        // The speech window shows these later; they are centred on its middle now.
        TGfxFont* font = Fonts.Items(11);
        for (int i = 11; i <= 35; ++i)
            if (auto* l = dynamic_cast<TGuiLabel*>(Control("Label" + std::to_string(i)))) {
                l->Hide();
                if (font) l->SetLeft(int(std::lround(533 - font->TextWidth(l->Text()) / 2)));
            }
        for (const char* name : {"l_story_dontshow", "b_story_next", "b_story_check", "b_story_skip"})
            if (TGuiControl* c = Control(name)) c->Hide();
        if (auto* next = dynamic_cast<TGuiButton*>(Control("b_story_next"))) next->Caption = "Start";
        SetCheckFrames("b_story_check", Game.ShowStory != 0);
    };
    Hooks.EnterLevelIntro = [this] {
        if (SpriteEngine) {
            new trazvertka(World, 250);
            new tlabdoctor2(World, 5, 150);
        }
        SetLabel("Label7", "");
        TGfxFont* font = Fonts.Items(1);
        for (int i = 1; i <= 5; ++i) {
            const std::string name = "story" + std::to_string(i);
            SetLabel(name, "");
            if (TGuiControl* c = Control(name); c && font) {
                const std::string line(StoryLine(Game.LevelNumber, i));
                c->SetLeft(int(std::lround(512 - font->TextWidth(line) / 2)));
            }
        }
    };
    WireScreens();
    auto bind = Hooks.BindScreens;
    Hooks.BindScreens = [this, bind] {
        OnButton("G_help", [this] { HintButtonClick(World); });
        OnButton("NG_level", [this] { shellHooks_->ShopOk(); });
        OnButton("Cancel_buy", [this] { shellHooks_->ShopCancelPurchases(); });
        BindPersistenceButtons();
        if (bind) bind();
    };
}

void TForm1::WireScreens() {
    Hooks.ResetHighScores = [this] { ResetHighScores(Game); };
    Hooks.LoadSettings = [this] {
        LoadSettings(Game);
        SyncPlayerName(Game);
    };
    Hooks.SaveSettings = [this] { SaveSettings(Game); };
    Hooks.OfferScore = [this] {
        return InsertHighScore(Game, Game.Difficulty, Game.PlayerName, Game.GetScore());
    };
    Hooks.SubmitScore = [this] {
        OnlineScores::SubmitScore(Platform.http(), Platform.messageBox(), LoadScoreServer(), Game);
    };
    Hooks.HowToPlayTick = [this] {
        if (GuiBase) ShowHowToPlayPage(GuiBase->Root(), Game.HowToPlayPage);
    };
    Hooks.FillHighScores = [this] {
        if (GuiBase) ShowHighScoreTable(GuiBase->Root(), Game, true);
    };

    // Name screens: the create button only for a name that is not all spaces.
    auto nameTick = [this](const char* edit, const char* button) {
        if (!GuiBase) return;
        if (UpdateNameScreen(GuiBase->Root(), edit, button) && Released(kEnter)) Click(button);
    };
    Hooks.EnterNameTick = [nameTick] { nameTick("edit_name1", "b_entername_create"); };
    Hooks.CreateNameTick = [nameTick] { nameTick("edit_name", "b_create_create"); };
    Hooks.CountryTick = [this] {
        auto* edit = Control("e_ycountry");
        auto* next = Control("b_ycountry_next");
        if (!GuiBase || !edit || !next) return;
        std::string text;
        if (auto* e = dynamic_cast<TGuiEdit*>(edit)) text = e->Text();
        const bool ok = !TrimSpaces(text).empty();
        next->SetEnabled(ok);
        if (ok && Released(kEnter)) Click("b_ycountry_next");
    };
    Hooks.ScoreCountTick = [this] {
        const int score = Game.GetScore();
        const bool finished = StateTicks > 40 ? CountUp("yourscore", score) : score == 0;
        if (StateTicks > 100 && finished) {
            ShowForm("b_yourscore_next");
            if (Released(kEnter)) Click("b_yourscore_next");
        }
        if (StateTicks < score + 120) ++StateTicks;
    };

    // The developer console.
    Hooks.EnterConsole = [this] {
        Game.ScreenState = 35;
        StateTicks = 0;
        if (GuiBase) EnterConsole(GuiBase->Root(), Game);
    };
    Hooks.TickConsole = [this] {
        if (!GuiBase) return Frame();
        SlideConsole(GuiBase->Root(), StateTicks);
        if (Released(kEsc) || Released(ConsoleKey)) {
            CloseConsole(GuiBase->Root());
            States.LeaveState(35);
            Game.ScreenState = 13;
            return;
        }
        Frame();
        if (!Released(kEnter) || Game.ScreenState != 35) return;
        const TConsoleReply reply = SubmitConsoleLine(GuiBase->Root(), Game, Timer.FrameRate());
        if (reply.Exit) {
            Game.ScreenState = 32;
            if (ShareScreen) ShareScreen->SwitchOff();
            ExitCountdown = 0;
            TShareScreen::OpenLink(Platform.shell()); // as every closing of the window does
            Terminate();
            return;
        }
        const int action = TakeConsoleAction(Game);
        const uint8_t next[] = {16, 14, 18, 33};
        if (action >= 0 && action <= 3) Go(35, next[action]);
    };

    // The exit screen.
    Hooks.EnterExitScreen = [this] {
        Game.ScreenState = 32;
        if (!ShareScreen || !ShareScreen->Enter()) {
            TShareScreen::OpenLink(Platform.shell());
            Terminate();
        } else Timer1.SetEnabled(true); // the countdown runs on the level clock's timer
    };
    Hooks.DrawExitScreen = [this] {
        if (!ShareScreen) return;
        int mx = 0, my = 0;
        Platform.window().GetMousePosition(mx, my);
        ShareScreen->UpdateHover(mx, my, Device.Width(), Device.Height());
        ShareScreen->DrawScreen(MyCanvas, &Fonts);
    };
    Hooks.ExitScreenPress = [this](int, int) {
        if (ShareScreen && ShareScreen->Click(Platform.shell()) && FormCloseQuery()) {
            TShareScreen::OpenLink(Platform.shell());
            Terminate();
        }
    };
    Hooks.OpenExitLink = [this] { TShareScreen::OpenLink(Platform.shell()); };
}

void TForm1::BindPersistenceButtons() {
    auto check = [this] { PlayEffect("check"); };
    auto root = [this]() -> TGuiControl& { return GuiBase->Root(); };
    OnButton("b_entername_create", [this, root] {
        if (CreateProfileFromEdit(root(), Game, "edit_name1")) {
            PlayEffect("check");
            Go(1, 4);
        }
    });
    OnButton("b_create_create", [this, root] {
        if (CreateProfileFromEdit(root(), Game, "edit_name")) {
            PlayEffect("check");
            Go(19, 4);
        }
    });
    OnButton("b_change_back", [this, check] { check(), Go(20, 4); });
    OnButton("b_change_delete", [this, check] { check(), Go(20, 21); });
    OnButton("b_change_create", [this, check] { check(), Go(20, 19); });
    OnButton("b_delete_yes", [this, check] {
        check();
        DeleteProfile(Game);
        Go(21, 20);
    });
    OnButton("b_delete_no", [this, check] { check(), Go(21, 20); });

    OnButton("b_highscore_back", [this, check] { check(), Go(9, 4); });
    OnButton("b_highscore_clear", [this, check] { check(), Go(9, 10); });
    OnButton("b_highscore_view", [this, check] {
        check();
        OnlineScores::OpenOnlineTable(Platform.shell(), LoadScoreServer(), Game.HighScoreView);
    });
    const char* tabs[] = {"b_highscore_easy", "b_highscore_medium", "b_highscore_hard"};
    for (int d = 0; d < 3; ++d)
        OnButton(tabs[d], [this, check, root, d] {
            check();
            Game.HighScoreView = d;
            ShowHighScoreTable(root(), Game, false, d == 0);
        });
    OnButton("b_clear_yes", [this, check] {
        check();
        ResetHighScores(Game);
        Go(10, 9);
    });
    OnButton("b_clear_no", [this, check] { check(), Go(10, 9); });
}
