#include "engine/GuiButton.h"
#include "engine/GuiControls.h"
#include "engine/GuiEdit.h"
#include "engine/GuiGauge.h"
#include "engine/GuiLabel.h"
#include "engine/GuiTypes.h"
#include "objects/Cursor.h"
#include "platform/Platform.h"
#include "shell/Unit1.h"
#include <cmath>

namespace {

void SetFrames(TGuiControl* control, int normal, int hover, int pressed) {
    if (auto* b = dynamic_cast<TGuiButton*>(control)) {
        b->NormalGlyph = normal;
        b->DisabledGlyph = hover;
        b->ClickedGlyph = pressed;
    }
}

// The buttons whose caption lights up under the mouse.
constexpr const char* kHoverButtons[] = {
    "b_stagecomplete_next", "b_exitmm_yes", "b_exitmm_no",     "b_yourscore_next",
    "b_sendscore_yes",      "b_sendscore_no", "b_ycountry_next", "b_howtoplay_ok",
    "b_howtoplay_left",     "b_howtoplay_right"};

} // namespace

TGuiEdit* TForm1::KeyEdit(int i) const {
    // The controls screen's three key-capture boxes are named "spec1".."spec3".
    return dynamic_cast<TGuiEdit*>(Control("spec" + std::to_string(i + 1)));
}

void TForm1::OnButton(std::string_view name, std::function<void()> action) {
    if (TGuiControl* c = Control(name)) c->OnClick = [action](TGuiObject*) { action(); };
}

void TForm1::Click(std::string_view name) {
    TGuiControl* c = Control(name);
    if (c && c->Enabled() && c->OnClick) c->OnClick(c);
}

void TForm1::Go(uint8_t from, uint8_t to) {
    States.LeaveState(from);
    States.EnterState(to);
}

void TForm1::UpdateOptionFrames() {
    // Ticked when on.
    auto frames = [this](const char* name, bool on) {
        if (on) SetFrames(Control(name), 1, 3, 3);
        else SetFrames(Control(name), 0, 2, 2);
    };
    frames("b_options_tips", Game.ShowHowToPlay != 0);
    frames("b_options_story", Game.ShowStory != 0);
}

void TForm1::SetCheckFrames(std::string_view name, bool on) {
    // Ticked when the screen is not to be shown again.
    if (on) SetFrames(Control(name), 0, 2, 2);
    else SetFrames(Control(name), 1, 3, 3);
}

void TForm1::UpdateSoundControls() {
    if (auto* bar = dynamic_cast<TGuiGauge*>(Control("bar_music"))) bar->Theta = Game.MusicVolume;
    if (auto* bar = dynamic_cast<TGuiGauge*>(Control("bar_fx"))) bar->Theta = Game.SoundVolume;
    auto enable = [this](const char* name, bool on) {
        if (TGuiControl* c = Control(name)) c->SetEnabled(on);
    };
    enable("b_sound_musicmax", Game.MusicVolume < 250);
    enable("b_sound_musicmin", Game.MusicVolume > 0);
    enable("b_sound_fxmax", Game.SoundVolume < 250);
    enable("b_sound_fxmin", Game.SoundVolume > 0);
}

void TForm1::UpdateGraphicsControls() {
    if (!Game.DisplayModes.empty()) {
        const int i = std::clamp(Game.DisplayModeIndex, 0, int(Game.DisplayModes.size()) - 1);
        SetLabel("resolution", Game.DisplayModes[size_t(i)].text);
    }
    auto frames = [this](const char* name, bool on) {
        const int f = on ? 0 : 1;
        SetFrames(Control(name), f, f, f);
    };
    frames("b_graphics_fullscreen", Game.FullScreen != 0);
    frames("b_graphics_antialias", Game.Antialias != 0);
    frames("b_graphics_vsync", Game.VSync != 0);
}

void TForm1::LoadKeyEdits() {
    for (int i = 0; i < 3; ++i)
        if (auto* edit = KeyEdit(i)) {
            const int code = i < int(Game.KeyBindings.size()) ? Game.KeyBindings[size_t(i)] : 0;
            edit->SetKeyCode(code);
            edit->SetText(GuiKeyName(code));
        }
    KeySets.FreeLetterKeys = Game.FreeLetterKeys;
    KeySets.FreeSpecialKeys = Game.FreeSpecialKeys;
}

void TForm1::StoreKeyEdits() {
    for (int i = 0; i < 3; ++i)
        if (auto* edit = KeyEdit(i)) {
            edit->Hide();
            edit->Show();
            if (i < int(Game.KeyBindings.size())) Game.KeyBindings[size_t(i)] = edit->KeyCode();
        }
    Game.FreeLetterKeys = KeySets.FreeLetterKeys;
    Game.FreeSpecialKeys = KeySets.FreeSpecialKeys;
}

bool TForm1::CountUp(std::string_view label, int score) {
    auto* l = dynamic_cast<TGuiLabel*>(Control(label));
    if (!l) return true;
    long long v = 0;
    try {
        v = std::stoll(l->Text());
    } catch (...) {
        v = 0; // a label that is not a number counts from 0
    }
    if (v >= score) return true;
    const long long gap = score - v;
    v += gap > 1000 ? 100 : gap > 100 ? 10 : 1;
    l->SetText(std::to_string(v));
    return false;
}

void TForm1::BindButtons() {
    auto check = [this] { PlayEffect("check"); };

    // Main menu.
    OnButton("b_mainmenu_startgame", [this, check] {
        Game.SetScore(0);
        Game.LevelNumber = 1;
        Game.FinalPictureShown = 0;
        Game.SetLives(3);
        check();
        Go(4, 15);
    });
    OnButton("b_mainmenu_highscore", [this, check] {
        check();
        Game.HighScoreView = 0;
        Go(4, 9);
    });
    OnButton("b_mainmenu_options", [this, check] { check(), Go(4, 8); });
    OnButton("b_mainmenu_help", [this, check] { check(), Go(4, 7); });
    OnButton("b_mainmenu_exit", [this, check] { check(), Go(4, 11); });
    OnButton("b_mainmenu_presshere", [this, check] { check(), Go(4, 20); });
    OnButton("b_mainmenu_logo", [this] { Platform.shell().Open("play.url"); });

    // Quit.
    OnButton("b_exit_yes", [this] {
        States.LeaveState(11);
        if (Hooks.SaveSettings) Hooks.SaveSettings();
        States.EnterState(32);
    });
    OnButton("b_exit_no", [this, check] { check(), Go(11, 4); });

    // Help.
    OnButton("b_help_back", [this, check] { check(), Go(7, 4); });
    OnButton("b_help_previous", [this, check] {
        check();
        if (Game.HelpPage > 0) --Game.HelpPage;
    });
    OnButton("b_help_next", [this, check] {
        check();
        if (Game.HelpPage < Game.HelpPageCount - 1) ++Game.HelpPage;
    });

    // Options.
    OnButton("b_options_back", [this, check] { check(), Go(8, 4); });
    OnButton("b_options_graphics", [this, check] { check(), Go(8, 27); });
    OnButton("b_options_sound", [this, check] { check(), Go(8, 26); });
    OnButton("b_options_controls", [this, check] { check(), Go(8, 28); });
    OnButton("b_options_tips", [this] {
        Game.ShowHowToPlay = Game.ShowHowToPlay ? 0 : 1;
        UpdateOptionFrames();
    });
    OnButton("b_options_story", [this] {
        Game.ShowStory = Game.ShowStory ? 0 : 1;
        UpdateOptionFrames();
    });

    // Sound: steps of 25 within 0..250.
    auto volume = [this, check](int& value, int step) {
        value = std::clamp(value + step, 0, 250);
        Sound.SetMusicVolume(Game.MusicVolume);
        UpdateSoundControls();
        check();
    };
    OnButton("b_sound_back", [this, check] { check(), Go(26, 8); });
    OnButton("b_sound_musicmin", [this, volume] { volume(Game.MusicVolume, -25); });
    OnButton("b_sound_musicmax", [this, volume] { volume(Game.MusicVolume, 25); });
    OnButton("b_sound_fxmin", [this, volume] { volume(Game.SoundVolume, -25); });
    OnButton("b_sound_fxmax", [this, volume] { volume(Game.SoundVolume, 25); });

    // Graphics: the toggles act at once, the resolution on leaving.
    OnButton("b_graphics_back", [this, check] {
        if (!ApplyDisplaySettings()) return;
        check();
        Go(27, 8);
    });
    OnButton("b_graphics_fullscreen", [this, check] {
        check();
        Device.SetWindowed(!Device.Windowed());
        PlaceWindow();
        Game.FullScreen = Device.Windowed() ? 0 : 1;
        UpdateGraphicsControls();
    });
    OnButton("b_graphics_antialias", [this, check] {
        check();
        MyCanvas.Antialias = !MyCanvas.Antialias;
        Game.Antialias = MyCanvas.Antialias ? 1 : 0;
        UpdateGraphicsControls();
    });
    OnButton("b_graphics_vsync", [this] {
        Game.VSync = Game.VSync ? 0 : 1;
        Device.SetVSync(Game.VSync != 0);
        UpdateGraphicsControls();
    });
    auto resolution = [this, check](int step) {
        check();
        const int n = int(Game.DisplayModes.size());
        if (n == 0) return;
        Game.DisplayModeIndex = ((Game.DisplayModeIndex + step) % n + n) % n;
        SetLabel("resolution", Game.DisplayModes[size_t(Game.DisplayModeIndex)].text);
    };
    OnButton("b_graphics_resolution_prev", [resolution] { resolution(-1); });
    OnButton("b_graphics_resolution_next", [resolution] { resolution(1); });

    // Controls.
    OnButton("b_controls_back", [this, check] { check(), Go(28, 8); });
    OnButton("b_controls_default", [this, check] {
        check();
        for (int i = 0; i < 3; ++i)
            if (auto* edit = KeyEdit(i)) {
                const int code = edit->KeyCode();
                const int upper = code >= 'a' && code <= 'z' ? code - 32 : code;
                if (upper >= 0 && upper < 256 && IsLetterKeyCode(upper))
                    KeySets.FreeLetterKeys.set(size_t(upper));
                else if (IsSpecialKeyCode(code))
                    KeySets.FreeSpecialKeys.set(size_t(code));
            }
        Game.KeyBindings = Game.DefaultKeyBindings;
        for (int i = 0; i < 3; ++i)
            if (auto* edit = KeyEdit(i)) {
                const int code = i < int(Game.KeyBindings.size()) ? Game.KeyBindings[size_t(i)] : 0;
                edit->SetKeyCode(code);
                edit->SetText(GuiKeyName(code));
            }
    });

    // Difficulty: the title doctor runs out and starts the game.
    OnButton("b_choosedif_back", [this, check] { check(), Go(15, 4); });
    const char* difficulties[] = {"b_choosedif_easy", "b_choosedif_medium", "b_choosedif_hard"};
    for (int d = 0; d < 3; ++d)
        OnButton(difficulties[d], [this, check, d] {
            Game.AdvanceRequested = 1;
            Game.Difficulty = uint8_t(d);
            check();
            States.LeaveState(15);
        });

    // Leaving a game.
    OnButton("b_exitmm_yes", [this, check] {
        Sound.StopSong(2);
        Sound.PlaySong(1);
        check();
        Go(0, 23);
        for (const char* form : {"G_history", "L_form", "Shop_form"})
            if (TGuiControl* c = Control(form)) c->SendToBack();
    });
    OnButton("b_exitmm_no", [this, check] {
        check();
        States.LeaveState(0);
        if (Game.PreviousState == 13) ShowForm("L_form");
        Game.ScreenState = Game.PreviousState;
    });

    // Game flow.
    OnButton("b_stagecomplete_next", [this] {
        HideForm("b_stagecomplete_next");
        HideForm("scr_stagecomplete");
        Game.LeavingPlay = 1;
    });
    OnButton("b_yourscore_next", [this, check] { check(), Go(23, 31); });
    OnButton("b_ycountry_next", [this, check] { check(), Go(31, 24); });
    auto closing = [this, check](bool send) {
        HideForm("L_form");
        Sound.StopSong(3);
        Sound.PlaySong(1);
        check();
        States.LeaveState(24);
        States.LeaveState(13);
        const bool placed = Hooks.OfferScore && Hooks.OfferScore();
        if (placed) {
            Game.HighScoreView = Game.Difficulty;
            States.EnterState(9);
        } else {
            States.EnterState(4);
        }
        if (send && Hooks.SubmitScore) Hooks.SubmitScore();
        if (Hooks.CreateTitleDoctor) Hooks.CreateTitleDoctor();
    };
    OnButton("b_sendscore_yes", [closing] { closing(true); });
    OnButton("b_sendscore_no", [closing] { closing(false); });

    OnButton("b_howtoplay_ok", [this, check] {
        check();
        States.LeaveState(33);
        Game.ScreenState = 13;
    });
    auto page = [this, check](int step) {
        check();
        if (step < 0 && Game.HowToPlayPage > 0) --Game.HowToPlayPage;
        if (step > 0 && Game.HowToPlayPage < 3) ++Game.HowToPlayPage;
        if (TGuiControl* r = Control("b_howtoplay_right")) r->SetVisible(Game.HowToPlayPage != 3);
        if (TGuiControl* l = Control("b_howtoplay_left")) l->SetVisible(Game.HowToPlayPage != 0);
    };
    OnButton("b_howtoplay_left", [page] { page(-1); });
    OnButton("b_howtoplay_right", [page] { page(1); });
    OnButton("b_howtoplay_tips", [this] {
        SetCheckFrames("b_howtoplay_tips", Game.ShowHowToPlay == 0);
        Game.ShowHowToPlay = Game.ShowHowToPlay ? 0 : 1;
    });
    OnButton("b_story_skip", [this, check] {
        check();
        Game.AdvanceRequested = 1;
    });
    OnButton("b_story_next", [this, check] {
        check();
        Click("b_story_skip");
    });
    OnButton("b_story_check", [this] {
        SetCheckFrames("b_story_check", Game.ShowStory == 0);
        Game.ShowStory = Game.ShowStory ? 0 : 1;
    });
    OnButton("G_NextLevel", [this] {
        Game.AdvanceRequested = 1;
        PlayEffect("check");
        PlayEffect("gotabl2");
    });
    for (const char* mix : {"G_mix1", "G_mix2", "G_mix3"})
        OnButton(mix, [this, mix] {
            PlayEffect("mixgo");
            if (Game.BoardPhase != PhaseWaiting) return;
            HideForm(mix);
            Game.BoardPhase = PhaseShuffle;
            Game.ShuffleCount = 64;
            Game.MouseHeld = 0;
        });

    for (const char* name : kHoverButtons)
        if (TGuiControl* c = Control(name)) {
            c->OnMouseEnter = [c](TGuiObject*) { c->Font.SetColor(0xFF0084FF); };
            c->OnMouseLeave = [c](TGuiObject*) { c->Font.SetColor(0xF7ACECF2); };
        }

    if (Hooks.BindScreens) Hooks.BindScreens();
}
