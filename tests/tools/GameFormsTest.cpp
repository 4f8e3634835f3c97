// The screens of the game's form file, as the build assembles it: every control the screen code
// finds by name is there, in its screen, of the class the code expects.
#include "engine/GuiButton.h"
#include "engine/GuiControls.h"
#include "engine/GuiEdit.h"
#include "engine/GuiForm.h"
#include "tools/FormCompiler.h"
#include "tools/ImageManifest.h"
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <set>

namespace fs = std::filesystem;

namespace {

struct Row {
    const char* form;
    std::string control;
    const char* cls;
};

void Add(std::vector<Row>& rows, const char* form, const char* cls,
         std::initializer_list<const char*> names) {
    for (const char* name : names) rows.push_back({form, name, cls});
}

// "prefix1" .. "prefixN"
void AddNumbered(std::vector<Row>& rows, const char* form, const char* cls, const char* prefix,
                 int first, int last) {
    for (int i = first; i <= last; ++i) rows.push_back({form, prefix + std::to_string(i), cls});
}

std::vector<Row> Expected() {
    const char *B = "TGuiButton", *L = "TGuiLabel", *E = "TGuiEdit";
    std::vector<Row> r;
    Add(r, "scr_exittomm", B, {"b_exitmm_yes", "b_exitmm_no"});
    Add(r, "scr_entername", E, {"edit_name1"});
    Add(r, "scr_entername", B, {"b_entername_create"});
    Add(r, "scr_mainmenu", B,
        {"b_mainmenu_startgame", "b_mainmenu_highscore", "b_mainmenu_options", "b_mainmenu_help",
         "b_mainmenu_exit", "b_mainmenu_presshere", "b_mainmenu_logo"});
    Add(r, "scr_mainmenu", L, {"hello"});
    Add(r, "scr_help", B, {"b_help_back", "b_help_previous", "b_help_next"});
    Add(r, "scr_options", B,
        {"b_options_back", "b_options_graphics", "b_options_sound", "b_options_controls",
         "b_options_tips", "b_options_story"});
    AddNumbered(r, "scr_highscore", L, "n", 1, 10);
    AddNumbered(r, "scr_highscore", L, "name", 1, 10);
    AddNumbered(r, "scr_highscore", L, "score", 1, 10);
    Add(r, "scr_highscore", L, {"l_highscore_place", "l_highscore_name", "l_highscore_score"});
    Add(r, "scr_highscore", B,
        {"b_highscore_easy", "b_highscore_medium", "b_highscore_hard", "b_highscore_back",
         "b_highscore_clear", "b_highscore_view"});
    Add(r, "scr_clear", B, {"b_clear_yes", "b_clear_no"});
    Add(r, "scr_exitgame", B, {"b_exit_yes", "b_exit_no"});
    Add(r, "L_form", B, {"G_mix1", "G_mix2", "G_mix3", "G_help"});
    Add(r, "scr_choosedif", B,
        {"b_choosedif_easy", "b_choosedif_medium", "b_choosedif_hard", "b_choosedif_back"});
    Add(r, "scr_stagecomplete", L, {"sc_score"});
    Add(r, "scr_stagecomplete", B, {"b_stagecomplete_next"});
    Add(r, "scr_create", E, {"edit_name"});
    Add(r, "scr_create", B, {"b_create_create"});
    Add(r, "scr_change", "TGuiListBox", {"players"});
    Add(r, "scr_change", B, {"b_change_back", "b_change_delete", "b_change_create"});
    Add(r, "scr_delete", L, {"delete_name"});
    Add(r, "scr_delete", B, {"b_delete_yes", "b_delete_no"});
    Add(r, "scr_yourscoreis", L, {"yourscore"});
    Add(r, "scr_yourscoreis", B, {"b_yourscore_next"});
    Add(r, "scr_sendscore", B, {"b_sendscore_yes", "b_sendscore_no"});
    Add(r, "scr_sound", "TGuiGauge", {"bar_music", "bar_fx"});
    Add(r, "scr_sound", B,
        {"b_sound_back", "b_sound_musicmin", "b_sound_musicmax", "b_sound_fxmin", "b_sound_fxmax"});
    Add(r, "scr_graphics", L, {"resolution"});
    Add(r, "scr_graphics", B,
        {"b_graphics_back", "b_graphics_fullscreen", "b_graphics_antialias", "b_graphics_vsync",
         "b_graphics_resolution_prev", "b_graphics_resolution_next"});
    AddNumbered(r, "scr_controls", E, "spec", 1, 3);
    Add(r, "scr_controls", B, {"b_controls_back", "b_controls_default"});
    Add(r, "scr_ycountry", E, {"e_ycountry"});
    Add(r, "scr_ycountry", B, {"b_ycountry_next"});
    AddNumbered(r, "scr_howtoplay", L, "Label", 3, 5);
    Add(r, "scr_howtoplay", B,
        {"b_howtoplay_ok", "b_howtoplay_left", "b_howtoplay_right", "b_howtoplay_tips"});
    AddNumbered(r, "scr_story", L, "Label", 11, 35);
    Add(r, "scr_story", L, {"l_story_dontshow"});
    Add(r, "scr_story", B, {"b_story_next", "b_story_skip", "b_story_check"});
    AddNumbered(r, "scr_console", L, "con_label", 1, 5);
    Add(r, "scr_console", E, {"con_edit"});
    Add(r, "G_history", L, {"Label7"});
    AddNumbered(r, "G_history", L, "story", 1, 5);
    Add(r, "G_history", B, {"G_NextLevel"});
    Add(r, "Shop_form", L, {"Label1", "Label10", "Label2"});
    AddNumbered(r, "Shop_form", L, "SC", 1, 8);
    Add(r, "Shop_form", B, {"NG_level", "Cancel_buy"});
    return r;
}

const char* const kScreens[] = {
    "scr_exittomm",    "scr_entername",     "scr_mainmenu", "scr_help",     "scr_options",
    "scr_highscore",   "scr_clear",         "scr_exitgame", "L_form",       "scr_gameover",
    "scr_choosedif",   "scr_stagecomplete", "scr_create",   "scr_change",   "scr_delete",
    "scr_yourscoreis", "scr_sendscore",     "scr_sound",    "scr_graphics", "scr_controls",
    "scr_ycountry",    "scr_howtoplay",     "scr_story",    "scr_console",  "G_history",
    "Shop_form"};

void Walk(TGuiControl* c, const std::function<void(TGuiControl*)>& f) {
    f(c);
    for (int i = 0; i < c->ChildCount(); ++i) Walk(c->Child(i), f);
}

bool Overlap(const TIntRect& a, const TIntRect& b) {
    return a.Left < b.Right && b.Left < a.Right && a.Top < b.Bottom && b.Top < a.Bottom;
}

class GameFormsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(
            root.LoadFromFile((fs::path(KELVORA_RUNTIME_DIR) / "Data" / "gfx.fgg").string()));
        root.SetBounds({0, 0, 800, 600});
    }
    TGuiTaskbar root;
};

} // namespace

TEST_F(GameFormsTest, EveryScreenIsAHiddenFullScreenWindow) {
    for (const char* name : kScreens) {
        TGuiControl* screen = root.FindControl(name);
        ASSERT_NE(screen, nullptr) << name;
        EXPECT_EQ(screen->Parent(), &root) << name;
        EXPECT_EQ(screen->ClassName(), "TGuiForm") << name;
        EXPECT_EQ(screen->Bounds(), (TIntRect{0, 0, 800, 600})) << name;
        EXPECT_FALSE(screen->Visible()) << name << " shows before its state does";
        // A caption bar would let the player drag the screen away.
        EXPECT_EQ(dynamic_cast<TGuiForm*>(screen)->CaptSize, 0) << name;
    }
}

TEST_F(GameFormsTest, EveryNamedControlIsInItsScreenWithItsClass) {
    for (const Row& row : Expected()) {
        TGuiControl* screen = root.FindControl(row.form);
        ASSERT_NE(screen, nullptr) << row.form;
        TGuiControl* found = root.FindControl(row.control);
        ASSERT_NE(found, nullptr) << row.control;
        // The game searches from the root: the first control of that name must be this one.
        EXPECT_EQ(found, screen->FindControl(row.control))
            << row.control << " is found in another screen first";
        EXPECT_EQ(found->ClassName(), row.cls) << row.control;
    }
}

TEST_F(GameFormsTest, NamesAreUniqueAndEverythingFitsTheScreen) {
    std::map<std::string, int> names;
    Walk(&root, [&](TGuiControl* c) {
        if (c == &root) return;
        std::string key = c->Name;
        for (char& ch : key) ch = char(std::tolower(uint8_t(ch)));
        EXPECT_FALSE(key.empty()) << "a control of class " << c->ClassName() << " has no name";
        ++names[key];
        const TIntRect r = c->ScreenRect();
        EXPECT_TRUE(r.Left >= 0 && r.Top >= 0 && r.Right <= 800 && r.Bottom <= 600)
            << c->Name << " reaches off the screen";
        if (c->Parent() != &root) {
            const TIntRect p = c->Parent()->ScreenRect();
            EXPECT_TRUE(r.Left >= p.Left && r.Top >= p.Top && r.Right <= p.Right &&
                        r.Bottom <= p.Bottom)
                << c->Name << " is clipped by " << c->Parent()->Name;
        }
    });
    for (const auto& [name, count] : names) EXPECT_EQ(count, 1) << name;
}

TEST_F(GameFormsTest, ThePlayingFieldLeavesTheBoardAndTheComboBarFree) {
    TGuiControl* field = root.FindControl("L_form");
    ASSERT_NE(field, nullptr);
    const TIntRect board{260, 50, 772, 562}, comboBar{0, 360, 230, 600};
    int pieces = 0;
    Walk(field, [&](TGuiControl* c) {
        if (c == field) return;
        ++pieces;
        EXPECT_FALSE(Overlap(c->ScreenRect(), board)) << c->Name << " covers the board";
        EXPECT_FALSE(Overlap(c->ScreenRect(), comboBar)) << c->Name << " covers the combo bar";
    });
    EXPECT_GE(pieces, 4);
    const auto* form = dynamic_cast<TGuiForm*>(field);
    EXPECT_FALSE(form->Bkgrnd.Drawn) << "the field's window itself is see-through";
}

TEST_F(GameFormsTest, PagePicturesCoverNoControl) {
    // The game draws these pictures over the GUI; a control beneath could not be seen.
    const struct {
        const char* screen;
        TIntRect picture;
    } pages[] = {{"scr_help", {448, 273, 784, 573}}, {"scr_howtoplay", {393, 175, 777, 559}}};
    for (const auto& page : pages) {
        TGuiControl* screen = root.FindControl(page.screen);
        ASSERT_NE(screen, nullptr) << page.screen;
        Walk(screen, [&](TGuiControl* c) {
            if (dynamic_cast<TGuiForm*>(c)) return; // the panels frame the picture
            EXPECT_FALSE(Overlap(c->ScreenRect(), page.picture)) << c->Name;
        });
    }
}

TEST_F(GameFormsTest, ControlsTheGameConfiguresAreSetUpForIt) {
    // Key edits capture one key each; name edits take text and have a length limit.
    for (const char* name : {"spec1", "spec2", "spec3"}) {
        int32_t tag = -1;
        ASSERT_TRUE(root.FindControl(name)->Tag.ToInteger(tag)) << name;
        EXPECT_EQ(tag, 1) << name;
    }
    for (const char* name : {"edit_name1", "edit_name", "e_ycountry", "con_edit"}) {
        auto* edit = dynamic_cast<TGuiEdit*>(root.FindControl(name));
        ASSERT_NE(edit, nullptr) << name;
        int32_t tag = -1;
        ASSERT_TRUE(edit->Tag.ToInteger(tag));
        EXPECT_EQ(tag, 0) << name;
        EXPECT_GT(edit->MaxLength(), 0) << name;
    }
    // The high-score headers show the table's colour in their background.
    for (const char* name : {"l_highscore_place", "l_highscore_name", "l_highscore_score"})
        EXPECT_TRUE(root.FindControl(name)->Bkgrnd.Drawn) << name;

    // Picture buttons whose frames the game sets need that many patterns in their image.
    TAssetManifest manifest;
    std::string error;
    const fs::path assets = fs::path(__FILE__).parent_path().parent_path().parent_path() / "assets";
    ASSERT_TRUE(LoadAssetManifest((assets / "manifest.json").string(), manifest, error)) << error;
    std::vector<int> patterns; // per game image index
    for (const char* archive : {"data.fgg", "gdata.fgg", "data1.fgg"})
        for (const TImageEntry& e : manifest.images)
            if (e.archive == archive)
                patterns.push_back(e.frames.empty() ? e.count : int(e.frames.size()));
    const std::map<std::string, int> framesSet = {
        {"b_options_tips", 4},   {"b_options_story", 4},       {"b_howtoplay_tips", 4},
        {"b_story_check", 4},    {"b_graphics_fullscreen", 2}, {"b_graphics_antialias", 2},
        {"b_graphics_vsync", 2}, {"b_highscore_easy", 3},      {"b_highscore_medium", 3},
        {"b_highscore_hard", 3}};
    Walk(&root, [&](TGuiControl* c) {
        auto* button = dynamic_cast<TGuiButton*>(c);
        if (!button || button->ImageIndex < 0) return;
        ASSERT_LT(button->ImageIndex, int(patterns.size())) << c->Name;
        const int count = patterns[size_t(button->ImageIndex)];
        for (int frame : {button->NormalGlyph, button->DisabledGlyph, button->ClickedGlyph})
            EXPECT_LT(frame, count) << c->Name;
        if (auto it = framesSet.find(c->Name); it != framesSet.end()) {
            EXPECT_GE(count, it->second) << c->Name;
        }
    });
    for (const auto& [name, count] : framesSet) {
        auto* button = dynamic_cast<TGuiButton*>(root.FindControl(name));
        ASSERT_NE(button, nullptr) << name;
        EXPECT_GE(button->ImageIndex, 0) << name << " shows its state by its picture";
    }
}
