#include "engine/GuiEdit.h"
#include "GuiTestRig.h"
#include "engine/GuiForm.h"
#include "platform/VirtualKeys.h"
#include <algorithm>

namespace {

// An edit box in a window, focused, on the rig.
struct EditRig : GuiRig {
    TGuiForm* form = new TGuiForm(&root);
    TGuiEdit* edit = new TGuiEdit(form);
    int changes = 0;
    EditRig() {
        form->SetBounds({0, 0, 400, 300});
        edit->SetBounds({10, 40, 110, 60});
        edit->OnChange = [this](TGuiObject*) { ++changes; };
        edit->SetFocus();
    }
};

} // namespace

TEST(GuiEditTest, TypingAndEditingKeys) {
    EditRig rig;
    rig.Type("kelvra");
    rig.Key(vk::Left);
    rig.Type("o");
    EXPECT_EQ(rig.edit->Text(), "kelvroa");
    rig.Key(vk::Back);
    rig.Key(vk::Delete);
    EXPECT_EQ(rig.edit->Text(), "kelvr");
    rig.Key(vk::Home);
    rig.Key(vk::Left); // not past the start
    rig.Key(vk::Delete);
    rig.Key(vk::End);
    rig.Key(vk::Right); // not past the end
    rig.Type("a");
    EXPECT_EQ(rig.edit->Text(), "elvra");
    EXPECT_EQ(rig.edit->Caret(), 5u);
    rig.Type("\x7F\xE9\x01"); // outside 32..126
    EXPECT_EQ(rig.edit->Text(), "elvra");
    EXPECT_EQ(rig.changes, 6 + 1 + 2 + 1 + 1);
}

TEST(GuiEditTest, MaxLengthStopsTypingAndCutsPastes) {
    EditRig rig;
    rig.edit->SetMaxLength(5);
    rig.Type("abcdef");
    EXPECT_EQ(rig.edit->Text(), "abcde") << "the sixth character is ignored";

    rig.edit->SetMaxLength(4);
    EXPECT_EQ(rig.edit->Text(), "abcd") << "a shorter limit cuts the text";
    EXPECT_EQ(rig.edit->Caret(), 4u) << "and pulls the caret back";

    rig.edit->SetText("ab");
    rig.clipboard.text = "xyz";
    rig.Key('V', ssCtrl);
    EXPECT_EQ(rig.edit->Text(), "abxy");
    EXPECT_EQ(rig.edit->Caret(), 4u) << "after the pasted characters that were kept";
}

TEST(GuiEditTest, PasteTrimsAndDropsCharactersOutsideAscii) {
    EditRig rig;
    rig.edit->SetText("[]");
    rig.edit->SetCaret(1);
    rig.clipboard.text = " \t Dr.\xE9 Who\r\n ";
    rig.Key('V', ssCtrl);
    EXPECT_EQ(rig.edit->Text(), "[Dr. Who]");
    EXPECT_EQ(rig.edit->Caret(), 8u);
    rig.Key('V'); // without Ctrl: nothing
    EXPECT_EQ(rig.edit->Text(), "[Dr. Who]");
}

TEST(GuiEditTest, ReadOnlyKeepsTheTextButMovesTheCaret) {
    EditRig rig;
    rig.edit->SetText("fixed");
    rig.edit->ReadOnly = true;
    rig.clipboard.text = "more";
    rig.Key(vk::Back);
    rig.Key(vk::Home);
    rig.Key(vk::Delete);
    rig.Key('V', ssCtrl);
    rig.Type("x");
    EXPECT_EQ(rig.edit->Text(), "fixed");
    EXPECT_EQ(rig.edit->Caret(), 0u);
}

TEST(GuiEditTest, TabOrdersStayUnique) {
    TGuiForm form(nullptr);
    auto* a = new TGuiEdit(&form);
    auto* b = new TGuiEdit(&form);
    auto* c = new TGuiEdit(&form);
    a->SetTabOrder(1);
    b->SetTabOrder(3);
    c->SetTabOrder(1);
    EXPECT_EQ(a->TabOrder(), 2) << "the earlier one with 1 moves to 2";
    EXPECT_EQ(b->TabOrder(), 3);
    EXPECT_EQ(c->TabOrder(), 1);
    a->SetTabOrder(1); // 1 is c's: c moves to 2, which is free now
    EXPECT_EQ(c->TabOrder(), 2);
    b->SetTabOrder(1); // down the line: a to 2, c to 3
    EXPECT_EQ(a->TabOrder(), 2);
    EXPECT_EQ(c->TabOrder(), 3);
}

TEST(GuiEditTest, TabCyclesThroughTheSiblingEditBoxes) {
    EditRig rig;
    auto* second = new TGuiEdit(rig.form);
    auto* third = new TGuiEdit(rig.form);
    auto* hidden = new TGuiEdit(rig.form);
    rig.edit->SetTabOrder(5);
    second->SetTabOrder(9);
    third->SetTabOrder(7);
    hidden->SetTabOrder(6);
    hidden->Hide();
    rig.Type("\t");
    EXPECT_TRUE(third->IsFocused()) << "the next higher order, skipping the hidden box";
    rig.Type("\t");
    EXPECT_TRUE(second->IsFocused());
    rig.Type("\t");
    EXPECT_TRUE(rig.edit->IsFocused()) << "from the highest to the lowest";
    EXPECT_EQ(rig.edit->Text(), "") << "Tab is not typed";
}

TEST(GuiEditTest, APressPutsTheCaretAtTheClickedCharacter) {
    EditRig rig;
    rig.edit->SetText("abcdef");
    // Characters are 8 pixels wide from x = 10 + 2.
    struct Case {
        int x;
        size_t caret;
    };
    for (const Case& c : {Case{12, 0}, Case{15, 0}, Case{17, 1}, Case{29, 2}, Case{105, 6}}) {
        rig.Press(c.x, 50);
        rig.Release(c.x, 50);
        EXPECT_EQ(rig.edit->Caret(), c.caret) << c.x;
    }
}

TEST(GuiEditTest, TheCaretBlinksOnlyInAFocusedEnabledBox) {
    EditRig rig;
    rig.edit->SetText("ab");
    rig.edit->BlinkTicks = 2;
    const uint32_t caret = Dev(rig.edit->Selector.Colors(0));
    auto caretShown = [&] {
        for (const auto& q : rig.Quads(0))
            if (q.color == caret) return true;
        return false;
    };
    std::vector<bool> seen;
    for (int i = 0; i < 5; ++i) {
        rig.Draw(*rig.edit);
        seen.push_back(caretShown());
        rig.edit->Update();
    }
    EXPECT_EQ(seen, (std::vector<bool>{true, true, false, false, true}));
    rig.edit->SetEnabled(false);
    rig.Draw(*rig.edit);
    EXPECT_FALSE(caretShown());
    rig.edit->SetEnabled(true);
    rig.edit->BlinkTicks = 0;
    rig.edit->Update();
    rig.Draw(*rig.edit);
    EXPECT_TRUE(caretShown()) << "always on with BlinkTicks 0";
    new TGuiEdit(rig.form);
    rig.form->Child(1)->SetFocus();
    rig.Draw(*rig.edit);
    EXPECT_FALSE(caretShown()) << "not focused";
}

TEST(GuiEditTest, LongTextScrollsToKeepTheCaretInsideTheBox) {
    EditRig rig;
    rig.edit->SetText(std::string(30, 'w')); // 240 pixels in a 96-pixel inner box
    const auto glyphs = rig.Glyphs(*rig.edit);
    ASSERT_EQ(glyphs.size(), 30u);
    EXPECT_LE(glyphs.back().right, 108.0f) << "the last character ends inside the box";
    const auto& clips = rig.renderer.clips;
    EXPECT_NE(std::find(clips.begin(), clips.end(), platform::DeviceRect{12, 42, 108, 58}),
              clips.end())
        << "the text is clipped to the box less 2 pixels on each side";
    rig.edit->SetCaret(0);
    EXPECT_FLOAT_EQ(rig.Glyphs(*rig.edit).front().x, 12.0f) << "back at the start";
}

namespace {

// Key-capture boxes: Tag 1, in a window with a second control to take the focus.
struct CaptureRig : EditRig {
    TGuiEdit* other = new TGuiEdit(form);
    CaptureRig() {
        edit->Tag = TGuiVariant("1");
        edit->SetFocus();
    }
};

} // namespace

TEST(GuiEditTest, KeyCaptureTakesANamedKeyOrALetterOutOfItsSet) {
    struct Case {
        int event, key;
        int code;
        const char* name;
    };
    const Case cases[] = {
        {keDown, vk::Left, 37, "Left"},    {keDown, vk::Space, 32, "Space"},
        {keDown, vk::Control, 17, "Ctrl"}, {keChar, 'q', 'Q', "Q"},
        {keChar, '7', '7', "7"},           {keChar, ';', ';', ";"},
    };
    for (const Case& c : cases) {
        CaptureRig rig;
        rig.root.KeyEvent(c.key, c.event, 0);
        EXPECT_EQ(rig.edit->Text(), c.name);
        EXPECT_EQ(rig.edit->KeyCode(), c.code);
        const bool special = c.event == keDown;
        EXPECT_FALSE(
            (special ? rig.keys.FreeSpecialKeys : rig.keys.FreeLetterKeys)[size_t(c.code)]);
    }
}

TEST(GuiEditTest, KeyCaptureIgnoresKeysThatAreNotFree) {
    struct Case {
        int event, key;
    };
    const Case cases[] = {
        {keDown, 'A'},        // letters come as characters
        {keDown, vk::Escape}, // no name
        {keChar, ' '},        // the space bar comes as a key
        {keChar, '.'},        // its code is Delete's
        {keChar, '\''},       // its code is Right's
        {keChar, '!'},
    };
    for (const Case& c : cases) {
        CaptureRig rig;
        rig.root.KeyEvent(c.key, c.event, 0);
        EXPECT_EQ(rig.edit->Text(), "") << c.key;
    }
    CaptureRig rig;
    rig.keys.FreeLetterKeys.reset('Z');
    rig.Type("z");
    EXPECT_EQ(rig.edit->Text(), "") << "taken by another binding";
}

TEST(GuiEditTest, KeyCaptureGivesTheKeyBackOnAPressAndRestoresItWhenLeft) {
    CaptureRig rig;
    rig.Key(vk::Up);
    ASSERT_EQ(rig.edit->Text(), "Up");
    rig.Type("x");
    rig.Key(vk::Down);
    EXPECT_EQ(rig.edit->Text(), "Up") << "a box that holds a key waits for a press";
    EXPECT_TRUE(rig.keys.FreeSpecialKeys[vk::Down]);

    rig.Press(20, 50);
    rig.Release(20, 50);
    EXPECT_EQ(rig.edit->Text(), "");
    EXPECT_TRUE(rig.keys.FreeSpecialKeys[vk::Up]) << "given back";
    rig.edit->Update();
    EXPECT_EQ(rig.edit->Text(), "") << "still focused: waiting for the new key";

    rig.other->SetFocus();
    rig.edit->Update();
    EXPECT_EQ(rig.edit->Text(), "Up") << "left empty: the recorded key comes back";
    EXPECT_FALSE(rig.keys.FreeSpecialKeys[vk::Up]);
}
