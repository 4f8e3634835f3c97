#include "engine/GuiListBox.h"
#include "GuiTestRig.h"

namespace {

// Ten items of 20 pixels in a box at (100, 100) that shows five (2 + 5 * 20 = 102 high).
struct ListRig : GuiRig {
    TGuiListBox* list = new TGuiListBox(&root);
    int changes = 0;
    ListRig() {
        list->SetBounds({100, 100, 220, 202});
        list->ItemSize = 20;
        list->Items = {"i0", "i1", "i2", "i3", "i4", "i5", "i6", "i7", "i8", "i9"};
        list->OnChange = [this](TGuiObject*) { ++changes; };
    }
};

} // namespace

TEST(GuiListBoxTest, TheItemUnderTheMouse) {
    ListRig rig;
    ASSERT_EQ(rig.list->VisibleCount(), 5);
    struct Case {
        int y, item;
    };
    for (const Case& c : {Case{100, 0}, Case{101, 0}, Case{120, 0}, Case{121, 1}, Case{201, 5}}) {
        rig.Move(150, c.y);
        EXPECT_EQ(rig.list->HoverItem(), c.item) << c.y;
    }
    rig.Move(215, 150);
    EXPECT_EQ(rig.list->HoverItem(), -1) << "over the scroll bar";
    rig.Move(150, 150);
    rig.list->SetEnabled(false);
    EXPECT_EQ(rig.list->HoverItem(), -1) << "disabled";
    rig.list->SetEnabled(true);
    rig.Move(500, 500);
    EXPECT_EQ(rig.list->HoverItem(), -1) << "the mouse left";
    rig.list->Items.resize(2);
    rig.Move(150, 170);
    EXPECT_EQ(rig.list->HoverItem(), -1) << "beyond the last item";
}

TEST(GuiListBoxTest, ALeftPressOnAnItemSelectsItAndFiresOnChange) {
    ListRig rig;
    rig.Press(150, 145);
    rig.Release(150, 145);
    EXPECT_EQ(rig.list->ItemIndex(), 2);
    EXPECT_EQ(rig.changes, 1);
    rig.Press(150, 145, mbRight);
    rig.Release(150, 145, mbRight);
    rig.list->Items.resize(2);
    rig.Press(150, 190);
    EXPECT_EQ(rig.list->ItemIndex(), 2) << "no item there";
    EXPECT_EQ(rig.changes, 1);
}

TEST(GuiListBoxTest, TheScrollBarMovesTheFirstVisibleItem) {
    ListRig rig;
    ASSERT_TRUE(rig.list->ScrollShown());
    const TIntRect bar = rig.list->ScrollRect();
    rig.Press(bar.Left + 5, bar.Bottom - 3); // the down button
    rig.Release(bar.Left + 5, bar.Bottom - 3);
    EXPECT_EQ(rig.list->FirstVisible(), 1);
    rig.Press(150, 105);
    rig.Release(150, 105);
    EXPECT_EQ(rig.list->ItemIndex(), 1) << "items count from the first visible one";
    rig.Press(bar.Left + 5, bar.Bottom - 20); // the track below the thumb: a page
    rig.Release(bar.Left + 5, bar.Bottom - 20);
    EXPECT_EQ(rig.list->FirstVisible(), 5) << "not past the last page";
    rig.Press(bar.Left + 5, bar.Top + 3); // up
    EXPECT_EQ(rig.list->FirstVisible(), 4);
    rig.Release(bar.Left + 5, bar.Top + 3);
    rig.list->SetItemIndex(0);
    EXPECT_EQ(rig.list->FirstVisible(), 0) << "a selection set in code is scrolled into view";
}

TEST(GuiListBoxTest, TheSelectedItemUsesTheIndexedFillAndFont) {
    ListRig rig;
    rig.list->Items.resize(3);
    rig.list->SetItemIndex(1);
    rig.list->Indexed.SetColor(0xFF123456);
    rig.list->IndexedFont.SetColor(0xFF00FF00);
    rig.list->Font.SetColor(0xFF0000FF);
    rig.Draw(*rig.list);
    const auto batches = rig.Drawn();
    std::vector<uint32_t> glyphColours;
    bool indexedFill = false;
    for (const auto& b : batches) {
        if (b.texture == GuiRig::kFontTexture)
            for (size_t i = 0; i < b.vertices.size(); i += 8)
                glyphColours.push_back(b.vertices[i].color);
        if (b.texture == 0 && b.kind == platform::PrimitiveKind::Triangles)
            for (const auto& v : b.vertices)
                indexedFill |= v.color == Dev(0xFF123456) && v.y == 121;
    }
    EXPECT_EQ(glyphColours,
              (std::vector<uint32_t>{Dev(0xFF0000FF), Dev(0xFF00FF00), Dev(0xFF0000FF)}));
    EXPECT_TRUE(indexedFill) << "the second row, from y 121";
}

TEST(GuiListBoxTest, ItemsTravelAsCrLfLines) {
    using L = std::vector<std::string>;
    EXPECT_EQ(TGuiListBox::SplitLines("a\r\nb"), (L{"a", "b"}));
    EXPECT_EQ(TGuiListBox::SplitLines("a\r\n\r\nb\r\n"), (L{"a", "", "b"}));
    EXPECT_EQ(TGuiListBox::SplitLines("a\nb"), (L{"a\nb"})) << "only CR LF separates";
    EXPECT_EQ(TGuiListBox::SplitLines(""), L{});
    TGuiListBox list(nullptr);
    list.SetPropertyByName("items", TGuiVariant("x\r\ny"));
    EXPECT_EQ(list.GetPropertyByName("Items"), TGuiVariant("x\r\ny"));
}
