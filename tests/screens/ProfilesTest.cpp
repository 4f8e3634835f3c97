#include "screens/Profiles.h"
#include "engine/GuiButton.h"
#include "engine/GuiEdit.h"
#include "engine/GuiLabel.h"
#include "engine/GuiListBox.h"
#include "screens/ProfileScreens.h"
#include "shell/GameState.h"
#include <gtest/gtest.h>

namespace {

TGameState WithProfiles(std::initializer_list<const char*> names, int current) {
    TGameState s;
    for (const char* n : names) EXPECT_TRUE(CreateProfile(s, n));
    SelectProfile(s, current);
    return s;
}

std::vector<std::string> Used(const TGameState& s) {
    return {s.Profiles.begin(), s.Profiles.begin() + s.ProfileCount};
}

} // namespace

TEST(ProfilesTest, TrimmingTakesOnlySpacesOffTheEnds) {
    EXPECT_EQ(TrimSpaces("  Ann Lee  "), "Ann Lee");
    EXPECT_EQ(TrimSpaces("\tAnn\t"), "\tAnn\t");
    EXPECT_EQ(TrimSpaces("   "), "");
    TGameState s;
    ASSERT_TRUE(CreateProfile(s, "  Ann Lee  "));
    EXPECT_EQ(s.Profiles[0], "Ann Lee");
    EXPECT_EQ(s.PlayerName, "Ann Lee");
    EXPECT_EQ(s.ProfileCount, 1);
    EXPECT_EQ(s.ProfileIndex, 0);
}

TEST(ProfilesTest, CreationRefusesBlankNamesAndAnEleventhProfile) {
    TGameState s;
    EXPECT_FALSE(CreateProfile(s, ""));
    EXPECT_FALSE(CreateProfile(s, "    "));
    EXPECT_EQ(s.ProfileCount, 0);
    for (int i = 0; i < 10; ++i) ASSERT_TRUE(CreateProfile(s, "Same")); // duplicates are fine
    EXPECT_EQ(s.ProfileIndex, 9);
    EXPECT_FALSE(CreateProfile(s, "Eleventh"));
    EXPECT_EQ(s.ProfileCount, 10);
    EXPECT_EQ(s.ProfileIndex, 9);
}

TEST(ProfilesTest, DeletionFollowsTheIndexRules) {
    struct Case {
        const char* what;
        std::initializer_list<const char*> names;
        int current;
        std::vector<std::string> left;
        int index;
        std::string name;
    };
    const Case cases[] = {
        {"second of four: the rest move down", {"A", "B", "C", "D"}, 1, {"A", "C", "D"}, 1, "C"},
        {"the last: the one before it", {"A", "B", "C"}, 2, {"A", "B"}, 1, "B"},
        {"the first", {"A", "B"}, 0, {"B"}, 0, "B"},
        {"the only one", {"A"}, 0, {}, 0, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TGameState s = WithProfiles(c.names, c.current);
        DeleteProfile(s);
        EXPECT_EQ(Used(s), c.left);
        EXPECT_EQ(s.ProfileIndex, c.index);
        EXPECT_EQ(s.PlayerName, c.name);
        for (int i = s.ProfileCount; i < TGameState::MaxProfiles; ++i) EXPECT_EQ(s.Profiles[i], "");
    }
    TGameState none;
    DeleteProfile(none); // nothing to delete: nothing happens
    EXPECT_EQ(none.ProfileCount, 0);
}

TEST(ProfilesTest, SelectingOutsideTheListIsSafe) {
    TGameState s = WithProfiles({"A", "B", "C"}, 1);
    SelectProfile(s, -1); // a list with no selection keeps the current profile
    EXPECT_EQ(s.ProfileIndex, 1);
    EXPECT_EQ(s.PlayerName, "B");
    SelectProfile(s, 7);
    EXPECT_EQ(s.PlayerName, "B");
    SelectProfile(s, 2);
    EXPECT_EQ(s.PlayerName, "C");

    TGameState empty;
    empty.ProfileIndex = 4; // as a damaged state might have it
    SelectProfile(empty, -1);
    EXPECT_EQ(empty.ProfileIndex, 0);
    EXPECT_EQ(empty.PlayerName, "");
}

namespace {

// The controls of the profile screens, as the form file gives them.
struct ProfileForms {
    TGuiControl root{nullptr};
    TGuiEdit* edit = new TGuiEdit(&root);
    TGuiButton* create = new TGuiButton(&root);
    TGuiListBox* players = new TGuiListBox(&root);
    TGuiButton* back = new TGuiButton(&root);
    TGuiButton* remove = new TGuiButton(&root);
    TGuiButton* add = new TGuiButton(&root);
    TGuiLabel* deleteName = new TGuiLabel(&root);
    TGuiLabel* hello = new TGuiLabel(&root);
    ProfileForms() {
        edit->Name = "edit_name";
        create->Name = "b_create_create";
        players->Name = "players";
        back->Name = "b_change_back";
        remove->Name = "b_change_delete";
        add->Name = "b_change_create";
        deleteName->Name = "delete_name";
        hello->Name = "hello";
    }
};

} // namespace

TEST(ProfileScreensTest, NameScreenEnablesCreateOnlyForARealName) {
    ProfileForms f;
    f.edit->SetText("old");
    EnterNameScreen(f.root, "edit_name");
    EXPECT_EQ(f.edit->Text(), "");
    EXPECT_TRUE(f.edit->IsFocused());
    for (auto [typed, named] : {std::pair{"", false}, {"   ", false}, {" a ", true}}) {
        f.edit->SetText(typed);
        EXPECT_EQ(UpdateNameScreen(f.root, "edit_name", "b_create_create"), named) << typed;
        EXPECT_EQ(f.create->Enabled(), named) << typed;
        EXPECT_EQ(f.edit->Text(), typed); // the edit itself keeps what was typed
    }
    TGameState s;
    f.edit->SetText("  Bo  ");
    EXPECT_TRUE(CreateProfileFromEdit(f.root, s, "edit_name"));
    EXPECT_EQ(s.PlayerName, "Bo");
    GreetPlayer(f.root, s);
    EXPECT_EQ(f.hello->Text(), "Hello, Bo!");
}

TEST(ProfileScreensTest, ChoosePlayerListAndButtons) {
    ProfileForms f;
    TGameState s = WithProfiles({"A", "B", "C"}, 1);
    FillPlayerList(f.root, s);
    EXPECT_EQ(f.players->Items, (std::vector<std::string>{"A", "B", "C"}));
    EXPECT_EQ(f.players->ItemIndex(), 1);
    EXPECT_TRUE(f.back->Enabled() && f.remove->Enabled() && f.add->Enabled());

    f.players->SetItemIndex(2);
    TakeChosenPlayer(f.root, s);
    EXPECT_EQ(s.PlayerName, "C");
    ShowDeleteName(f.root, s);
    EXPECT_EQ(f.deleteName->Text(), "C");

    // The only profile deleted: only create is offered, and leaving keeps a safe state.
    TGameState one = WithProfiles({"A"}, 0);
    DeleteProfile(one);
    FillPlayerList(f.root, one);
    EXPECT_TRUE(f.players->Items.empty());
    EXPECT_FALSE(f.back->Enabled());
    EXPECT_FALSE(f.remove->Enabled());
    EXPECT_TRUE(f.add->Enabled());
    TakeChosenPlayer(f.root, one);
    EXPECT_EQ(one.ProfileIndex, 0);
    EXPECT_EQ(one.PlayerName, "");

    TGameState full;
    for (int i = 0; i < 10; ++i) CreateProfile(full, "P" + std::to_string(i));
    FillPlayerList(f.root, full);
    EXPECT_FALSE(f.add->Enabled());
}
