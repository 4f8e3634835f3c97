#include "engine/GuiControls.h"
#include "engine/GuiEdit.h"
#include "engine/GuiLabel.h"
#include "engine/TextUtil.h"
#include "objects/Cursor.h"
#include "objects/MenuSprite.h"
#include "platform/VirtualKeys.h"
#include "screens/ProfileScreens.h"
#include "shell/Unit1.h"
#include <algorithm>

namespace {

constexpr int kEsc = 27, kEnter = 13, kF1 = 112, kP = 80, kConsoleKey = 192;

void Call(const std::function<void()>& hook) {
    if (hook) hook();
}

} // namespace

void TForm1::DefineStates() {
    DefineMenuStates();
    DefinePlayStates();
}

void TForm1::DefineMenuStates() {
    using H = TStateMachine::THandlers;
    // A screen that shows its form, lets Escape act as its back button and draws its frame.
    auto screen = [this](uint8_t state, const char* form, const char* escButton) {
        States.Define(state, H{[this, form] { ShowForm(form); },
                               [this, escButton] {
                                   if (escButton && Released(kEsc)) Click(escButton);
                                   Frame();
                               },
                               [this, form] { HideForm(form); }});
    };

    // 3: the intro logo fades in and out, then the menu or the first-player screen.
    States.Define(3, H{[this] {
                           StateTicks = 0;
                           logo_ = SpriteEngine ? new TMenuSprite(SpriteEngine.get(), 270, 250, "logo")
                                                : nullptr;
                           if (logo_) logo_->SetAlpha(0);
                       },
                       [this] {
                           if (logo_) {
                               if (StateTicks > 30 && StateTicks <= 80 && logo_->Alpha < 250)
                                   logo_->SetAlpha(logo_->Alpha + 5);
                               if (StateTicks > 220 && StateTicks <= 270 && logo_->Alpha > 5)
                                   logo_->SetAlpha(logo_->Alpha - 5);
                           }
                           ++StateTicks;
                           RenderAndPresent();
                           if (StateTicks >= 280) {
                               States.LeaveState(3);
                               if (Game.ProfileCount > 0) {
                                   States.EnterState(4);
                               } else {
                                   States.EnterState(1);
                                   HideForm("scr_mainmenu");
                               }
                           }
                       },
                       [this] {
                           if (logo_) logo_->Dead();
                           logo_ = nullptr;
                           Game.AdvanceRequested = 0;
                           Call(Hooks.CreateTitleDoctor);
                       }});

    // 1: the first player's name.
    States.Define(1, H{[this] {
                           ShowForm("scr_entername");
                           if (auto* edit = dynamic_cast<TGuiEdit*>(Control("edit_name1"))) {
                               edit->SetText("");
                               edit->SetFocus();
                           }
                       },
                       [this] {
                           Call(Hooks.EnterNameTick);
                           Frame();
                       },
                       [this] { HideForm("scr_entername"); }});

    States.Define(4, H{[this] {
                           Game.AdvanceRequested = 0;
                           ShowForm("scr_mainmenu");
                           SetLabel("hello", "Hello, " + Game.PlayerName + "!");
                       },
                       [this] {
                           Keyboard.Update();
                           if (Released(kEsc)) Click("b_mainmenu_exit");
                           Frame();
                       },
                       [this] {
                           Game.ScreenState = 2;
                           HideForm("scr_mainmenu");
                       }});

    States.Define(7, H{[this] {
                           Game.HelpPage = 0;
                           Game.HelpPageCount = 13;
                           ShowForm("scr_help");
                       },
                       [this] {
                           if (Released(kEsc)) Click("b_help_back");
                           Frame();
                       },
                       [this] { HideForm("scr_help"); }});
    States.Define(8, H{[this] {
                           ShowForm("scr_options");
                           UpdateOptionFrames();
                       },
                       [this] {
                           if (Released(kEsc)) Click("b_options_back");
                           Frame();
                       },
                       [this] {
                           HideForm("scr_options");
                           Call(Hooks.SaveSettings);
                       }});
    States.Define(9, H{[this] {
                           ShowForm("scr_highscore");
                           Call(Hooks.FillHighScores);
                       },
                       [this] {
                           if (Released(kEsc)) Click("b_highscore_back");
                           Frame();
                       },
                       [this] { HideForm("scr_highscore"); }});
    screen(10, "scr_clear", "b_clear_no");
    screen(11, "scr_exitgame", "b_exit_no");
    States.Define(15, H{[this] { ShowForm("scr_choosedif"); },
                        [this] {
                            if (Game.AdvanceRequested == 0 && Released(kEsc))
                                Click("b_choosedif_back");
                            Frame();
                        },
                        [this] { HideForm("scr_choosedif"); }});
    States.Define(19, H{[this] {
                            ShowForm("scr_create");
                            if (auto* edit = dynamic_cast<TGuiEdit*>(Control("edit_name"))) {
                                edit->SetText("");
                                edit->SetFocus();
                            }
                        },
                        [this] {
                            Call(Hooks.CreateNameTick);
                            if (Released(kEsc)) {
                                States.LeaveState(19);
                                States.EnterState(20);
                            }
                            Frame();
                        },
                        [this] { HideForm("scr_create"); }});
    States.Define(20, H{[this] {
                            ShowForm("scr_change");
                            if (GuiBase) FillPlayerList(GuiBase->Root(), Game);
                        },
                        [this] {
                            if (Game.ProfileCount > 0 && Released(kEsc)) Click("b_change_back");
                            Frame();
                        },
                        [this] {
                            HideForm("scr_change");
                            if (GuiBase) TakeChosenPlayer(GuiBase->Root(), Game);
                        }});
    States.Define(21, H{[this] {
                            if (GuiBase) ShowDeleteName(GuiBase->Root(), Game);
                            ShowForm("scr_delete");
                        },
                        [this] {
                            if (Released(kEsc)) Click("b_delete_no");
                            Frame();
                        },
                        [this] { HideForm("scr_delete"); }});
    States.Define(26, H{[this] {
                            ShowForm("scr_sound");
                            UpdateSoundControls();
                        },
                        [this] {
                            if (Released(kEsc)) Click("b_sound_back");
                            Frame();
                        },
                        [this] { HideForm("scr_sound"); }});
    States.Define(27, H{[this] {
                            ShowForm("scr_graphics");
                            UpdateGraphicsControls();
                        },
                        [this] {
                            if (Released(kEsc)) Click("b_graphics_back");
                            Frame();
                        },
                        [this] { HideForm("scr_graphics"); }});
    States.Define(28, H{[this] {
                            ShowForm("scr_controls");
                            LoadKeyEdits();
                        },
                        [this] {
                            Keyboard.Update();
                            if (Released(kEsc)) Click("b_controls_back");
                            Frame();
                        },
                        [this] {
                            StoreKeyEdits();
                            HideForm("scr_controls");
                        }});

    // 32: the exit screen; the window closes once its countdown is over.
    States.Define(32, H{[this] { Call(Hooks.EnterExitScreen); },
                        [this] {
                            if (Released(kEsc) && FormCloseQuery()) {
                                Call(Hooks.OpenExitLink);
                                loop_.Terminate();
                            }
                            Frame();
                        },
                        nullptr});
}

void TForm1::DefinePlayStates() {
    using H = TStateMachine::THandlers;

    // 0: leave the game for the main menu?
    States.Define(0, H{[this] {
                           // The enter handler has made 0 current; the interrupted state is the
                           // one the machine was in before.
                           Game.PreviousState = States.PreviousState;
                           // From the pause the field stays hidden too, so "no" returns to
                           // the pause as it was.
                           if (Game.PreviousState == 13 || Game.PreviousState == 18)
                               HideForm("L_form");
                           SetCursorVisible(true);
                           ShowForm("scr_exittomm");
                       },
                       [this] {
                           if (Released(kEsc)) Click("b_exitmm_no");
                           Frame();
                       },
                       [this] { HideForm("scr_exittomm"); }});

    States.Define(13, H{[this] { LevelStart(); }, [this] { PlayTick(); },
                        [this] {
                            if (!SpriteEngine) return;
                            for (int i = 0; i < SpriteEngine->Count(); ++i) {
                                TSprite* s = SpriteEngine->Items(i);
                                if (s && s->Name != "cursor" && s != Cursor) s->Dead();
                            }
                            SpriteEngine->Dead();
                        }});

    States.Define(14, H{[this] {
                            HideForm("L_form");
                            StateTicks = 0;
                            Sound.StopSong(2);
                            Sound.PlaySong(3);
                            PlayEffect("gameover");
                            Timer1.SetEnabled(false);
                        },
                        [this] {
                            if (StateTicks == 60) ShowForm("scr_gameover");
                            Frame();
                            ++StateTicks;
                            if (StateTicks == 250) {
                                States.LeaveState(14);
                                States.EnterState(23);
                            }
                        },
                        [this] { HideForm("scr_gameover"); }});

    States.Define(16, H{[this] {
                            ResetCursor();
                            HideForm("L_form");
                            PlayEffect("stagecomplete");
                            Game.LevelDone = 0;
                            StateTicks = 0;
                            SetLabel("sc_score", "0");
                        },
                        [this] { StageCompleteTick(); },
                        [this] {
                            HideForm("b_stagecomplete_next");
                            HideForm("scr_stagecomplete");
                        }});

    States.Define(18, H{[this] {
                            Game.GamePaused = 1;
                            HideForm("L_form");
                            SetCursorVisible(true);
                        },
                        [this] {
                            Frame();
                            if (Released(kF1) || Released(kP)) {
                                PlayEffect("check");
                                States.LeaveState(18);
                                Game.ScreenState = 13;
                                Game.GamePaused = 0;
                            }
                        },
                        [this] { ShowForm("L_form"); }});

    States.Define(23, H{[this] {
                            SetCursorVisible(true);
                            StateTicks = 0;
                            SetLabel("yourscore", "0");
                            HideForm("b_yourscore_next");
                            ShowForm("scr_yourscoreis");
                        },
                        [this] {
                            Call(Hooks.ScoreCountTick);
                            Frame();
                        },
                        [this] { HideForm("scr_yourscoreis"); }});

    States.Define(24, H{[this] { ShowForm("scr_sendscore"); },
                        [this] {
                            if (Released(kEsc)) Click("b_sendscore_no");
                            Frame();
                        },
                        [this] { HideForm("scr_sendscore"); }});

    States.Define(29, H{[this] { StateTicks = 0; },
                        [this] {
                            RenderAndPresent();
                            StateTicks += 2;
                            if (StateTicks == 20) Game.ScreenState = 13;
                        },
                        nullptr});

    States.Define(31, H{[this] {
                            ShowForm("scr_ycountry");
                            if (auto* edit = dynamic_cast<TGuiEdit*>(Control("e_ycountry"))) {
                                edit->SetText(Game.Country);
                                edit->SetFocus();
                            }
                            if (TGuiControl* next = Control("b_ycountry_next")) {
                                next->SetEnabled(false);
                                next->Show();
                            }
                        },
                        [this] {
                            Call(Hooks.CountryTick);
                            Keyboard.Update();
                            Frame();
                        },
                        [this] {
                            if (auto* edit = dynamic_cast<TGuiEdit*>(Control("e_ycountry")))
                                Game.Country = edit->Text();
                            HideForm("scr_ycountry");
                        }});

    States.Define(33, H{[this] {
                            SetCursorVisible(true);
                            HideForm("L_form");
                            ShowForm("scr_howtoplay");
                            Game.HowToPlayPage = 0;
                            if (TGuiControl* left = Control("b_howtoplay_left")) left->Hide();
                            if (TGuiControl* right = Control("b_howtoplay_right")) right->Show();
                            SetCheckFrames("b_howtoplay_tips", Game.ShowHowToPlay != 0);
                        },
                        [this] {
                            Call(Hooks.HowToPlayTick);
                            if (Released(kEnter) || Released(kEsc)) Click("b_howtoplay_ok");
                            Frame();
                        },
                        [this] {
                            HideForm("scr_howtoplay");
                            ShowForm("L_form");
                        }});

    States.Define(34, H{[this] {
                            SetCursorVisible(true);
                            Game.ScreenState = 34;
                            ShowForm("scr_story");
                            Call(Hooks.EnterStory);
                        },
                        [this] {
                            if (Released(kEnter)) Click("b_story_next");
                            else if (Released(kEsc)) Click("b_story_skip");
                            Frame();
                        },
                        [this] {
                            Game.AdvanceRequested = 1;
                            HideForm("scr_story");
                        }});

    States.Define(35, H{[this] { Call(Hooks.EnterConsole); },
                        [this] {
                            if (Hooks.TickConsole) Hooks.TickConsole();
                            else Frame();
                        },
                        [this] { HideForm("scr_console"); }});

    States.Define(36, H{[this] {
                            Game.ScreenState = 36;
                            Game.AdvanceRequested = 0;
                            ShowForm("G_history");
                            Call(Hooks.EnterLevelIntro);
                        },
                        [this] {
                            if (Game.AdvanceRequested == 0 && Released(kEsc)) {
                                Game.AdvanceRequested = 1;
                                PlayEffect("check");
                                PlayEffect("gotabl2");
                            }
                            Frame();
                        },
                        [this] { HideForm("G_history"); }});

    States.Define(37, H{[this] {
                            HideForm("L_form");
                            if (TGuiControl* shop = Control("Shop_form")) shop->BringToFront();
                            Call(Hooks.CreateShop);
                        },
                        [this] { Frame(); }, [this] { HideForm("Shop_form"); }});
}

void TForm1::LevelStart() {
    // 1.
    Game.LeavingPlay = Game.PlayFadedOut = Game.AdvanceRequested = 0;
    Game.GamePaused = 0;
    Game.ScreenState = 13;
    Game.FlaskGrown = 0;
    Game.FlaskTimer = 0;
    // 2.
    for (const char* mix : {"G_mix1", "G_mix2", "G_mix3"})
        if (TGuiControl* c = Control(mix)) c->Show();
    // 3-4.
    Game.ChainCount = Game.ShownChain = 0;
    Game.ChainBannerPos = 0;
    if (Game.LevelNumber == 1) {
        Game.HowToPlayDelay = 3.0;
        Game.FinalPictureDone = 0;
        Game.Coins = 0;
    }
    // 5.
    Timer1.SetEnabled(true);
    States.EnterState(29);
    // 6-7: the board fields, the origin (260, 50) and the level time.
    Game.ResetForLevelStart();
    Game.StartLevelTime();
    ShowForm("L_form");
    // 8.
    Call(Hooks.BuildLevel);
}

void TForm1::PlayTick() {
    // 1.
    RenderAndPresent();
    // 2. A carried super-bonus goes back to stock.
    const std::string image = CursorImage();
    if (!SameText(image, "cursor") && (Released(kEsc) || Game.RightButtonHeld)) {
        Game.RightButtonHeld = 0;
        for (int n = 1; n <= 8; ++n)
            if (SameText(image, "itemz" + std::to_string(n))) ++Game.SuperBonusCount[size_t(n)];
        ResetCursor();
    } else {
        // 3.
        if (Game.HowToPlayDelay > 0) {
            if (Game.HowToPlayDelay > 1 && Game.HowToPlayDelay <= 2 && FormVisible("L_form")) {
                if (Game.ShowHowToPlay) States.EnterState(33);
                Game.HowToPlayDelay = 0;
            } else {
                Game.HowToPlayDelay -= Game.SpeedFactor * 0.005;
            }
        }
        if (Game.ScreenState == 13 && FormVisible("L_form") && Released(kEsc)) {
            PlayEffect("check");
            States.EnterState(0);
        }
    }
    if (Game.ScreenState != 13) return;
    // 4.
    if (Released(kF1) || Released(kP)) {
        PlayEffect("check");
        States.EnterState(18);
        return;
    }
    // 5.
    if (Released(kConsoleKey) && ConsoleEnabled) {
        PlayEffect("check");
        States.EnterState(35);
        return;
    }
    // 6.
    if (Game.LevelDone) {
        States.EnterState(16);
        return;
    }
    // 7.
    if (Game.ChainCount > 0 && Game.BoardPhase == PhaseWaiting) {
        Game.ShownChain = Game.ChainCount;
        Game.ChainCount = 0;
        Game.ChainBannerPos = 1020.0;
    }
}

void TForm1::StageCompleteTick() {
    if (Game.FinalPictureDone) {
        States.LeaveState(13);
        States.EnterState(23);
        return;
    }
    if (Game.PlayFadedOut) {
        States.LeaveState(16);
        Game.LeavingPlay = 0;
        Game.LevelDone = 0;
        if (Game.LevelNumber < 16) {
            States.LeaveState(13);
            ++Game.LevelNumber;
            States.EnterState(37);
        } else {
            Call(Hooks.CreateFinalPicture);
            Game.PlayFadedOut = 0;
        }
        return;
    }
    if (StateTicks == 50) {
        ShowForm("scr_stagecomplete");
        SetCursorVisible(true);
    }
    const int score = Game.GetScore();
    bool finished = score == 0;
    if (StateTicks > 200) finished = CountUp("sc_score", score) || finished;
    if (finished)
        if (TGuiControl* next = Control("b_stagecomplete_next")) next->Show();
    if (StateTicks < score + 200) ++StateTicks;
    Frame();
}
