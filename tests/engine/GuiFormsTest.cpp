#include "engine/GuiForms.h"
#include "GuiTestRig.h"
#include "engine/GuiButton.h"
#include "engine/GuiCheckBox.h"
#include "engine/GuiEdit.h"
#include "engine/GuiForm.h"
#include "engine/GuiGauge.h"
#include "engine/GuiLabel.h"
#include "engine/GuiListBox.h"
#include "engine/GuiPaint.h"
#include "engine/GuiRadioButton.h"
#include "engine/GuiRegistry.h"
#include "engine/TextUtil.h"
#include "tools/FormCompiler.h"
#include "tools/ImageManifest.h"
#include <cstring>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// A tiny writer of form files, so each test states its file as data.
struct Prop {
    std::string name;
    uint8_t type;
    std::string text;           // the value of a plain property
    std::vector<uint8_t> bytes; // the value of a fill or font
};
struct Ctl {
    std::string cls;
    std::vector<Prop> props;
    std::vector<Ctl> children;
};

void PutI32(std::vector<uint8_t>& out, uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(uint8_t(v >> (8 * i)));
}
void PutStr(std::vector<uint8_t>& out, const std::string& s) {
    PutI32(out, uint32_t(s.size()));
    out.insert(out.end(), s.begin(), s.end());
}

void PutList(std::vector<uint8_t>& out, const std::vector<Ctl>& list) {
    PutI32(out, uint32_t(list.size()));
    for (const Ctl& c : list) {
        PutStr(out, c.cls);
        PutI32(out, uint32_t(c.props.size()));
        for (const Prop& p : c.props) {
            PutStr(out, p.name);
            out.push_back(p.type);
            if (p.type == ptFill || p.type == ptFont)
                out.insert(out.end(), p.bytes.begin(), p.bytes.end());
            else
                PutStr(out, p.text);
        }
        PutList(out, c.children);
    }
}

std::vector<uint8_t> Encode(const std::vector<Ctl>& list) {
    std::vector<uint8_t> out;
    PutList(out, list);
    return out;
}

Prop Text(std::string name, std::string value) {
    return {std::move(name), ptString, std::move(value), {}};
}

Prop FillProp(std::string name, std::array<uint32_t, 4> colors, bool drawn) {
    Prop p{std::move(name), ptFill, {}, {}};
    for (uint32_t c : colors) PutI32(p.bytes, c);
    p.bytes.push_back(drawn ? 1 : 0);
    return p;
}

Prop FontProp(std::string name, int index, uint32_t top, uint32_t bottom, double scale,
              uint8_t style, double interleave) {
    Prop p{std::move(name), ptFont, {}, {}};
    PutI32(p.bytes, uint32_t(index));
    PutI32(p.bytes, top);
    PutI32(p.bytes, bottom);
    auto putF64 = [&p](double d) {
        uint64_t u;
        std::memcpy(&u, &d, 8);
        for (int i = 0; i < 8; ++i) p.bytes.push_back(uint8_t(u >> (8 * i)));
    };
    putF64(scale);
    p.bytes.push_back(style);
    putF64(interleave);
    return p;
}

bool Read(TGuiControl& parent, const std::vector<uint8_t>& bytes) {
    return ReadGuiForms(parent, bytes.data(), bytes.size());
}

std::string TempPath(const std::string& name) {
    const fs::path dir = fs::temp_directory_path() / ("kelvora-gui-" + std::to_string(getpid()));
    fs::create_directories(dir);
    return (dir / name).string();
}

// A window with a button, a label and an edit box, then a second window.
std::vector<Ctl> TwoWindows() {
    return {
        {"TGuiForm",
         {Text("Name", "scr_main"), Text("Left", "10"), Text("Visible", "false")},
         {{"TGuiButton", {Text("Name", "b_main_play"), Text("ImageIndex", "$10")}, {}},
          {"TGuiLabel", {Text("Name", "l_title"), Text("Text", "Kelvora")}, {}},
          {"TGuiEdit", {Text("Name", "edit_name"), Text("MaxLength", "12")}, {}}}},
        {"TGuiForm", {Text("Name", "scr_options")}, {}},
    };
}

} // namespace

TEST(GuiFormsTest, TheRegistryKnowsTenNamesInOrder) {
    const TGuiRegistry& r = TGuiRegistry::Instance();
    const char* names[] = {"TGuiForm",        "TGuiEdit",      "TGuiLabel",  "TGuiListBox",
                           "TGuiRadioButton", "TGuiCheckBox",  "TGuiButton", "TGuiGauge",
                           "TGuiPaint",       "TGuiButtonEdit"};
    ASSERT_EQ(r.Count(), 10);
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(r.Name(i), names[i]);
        EXPECT_EQ(r.IndexOf(UpperCase(names[i])), i);
    }
    EXPECT_EQ(r.IndexOf("TGuiScroll"), -1);
    EXPECT_EQ(r.Name(10), "");
    EXPECT_EQ(r.CreateControl("TGuiTaskbar", nullptr), nullptr);

    TGuiTaskbar root;
    const char* classes[] = {"TGuiForm",        "TGuiEdit",     "TGuiLabel",  "TGuiListBox",
                             "TGuiRadioButton", "TGuiCheckBox", "TGuiButton", "TGuiGauge",
                             "TGuiPaint",       "TGuiButton"};
    for (int i = 0; i < 10; ++i) {
        TGuiControl* c = r.CreateControl(names[i], &root);
        ASSERT_NE(c, nullptr);
        EXPECT_EQ(c->ClassName(), classes[i]) << "TGuiButtonEdit makes a button";
        EXPECT_EQ(c->Parent(), &root);
    }
    EXPECT_EQ(root.ChildCount(), 10);
}

TEST(GuiFormsTest, ReadsTheTreeInFileOrderWithConvertedValues) {
    TGuiTaskbar root;
    ASSERT_TRUE(Read(root, Encode(TwoWindows())));
    ASSERT_EQ(root.ChildCount(), 2);
    auto* main = dynamic_cast<TGuiForm*>(root.Child(0));
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(main->Name, "scr_main") << "the first control of the file is at index 0";
    EXPECT_EQ(main->Left(), 10);
    EXPECT_EQ(main->Width(), 300);
    EXPECT_FALSE(main->Visible());
    EXPECT_EQ(root.FocusedChild(), root.Child(1)) << "hidden on reading, so the focus moved on";
    ASSERT_EQ(main->ChildCount(), 3);
    EXPECT_EQ(dynamic_cast<TGuiButton*>(main->Child(0))->ImageIndex, 16);
    EXPECT_EQ(dynamic_cast<TGuiLabel*>(main->Child(1))->Text(), "Kelvora");
    EXPECT_EQ(dynamic_cast<TGuiEdit*>(main->Child(2))->MaxLength(), 12);
    EXPECT_EQ(main->FocusedChild(), main->Child(0));
}

TEST(GuiFormsTest, FillsAndFontsGoIntoTheControlsOwnObjectsOrAreDropped) {
    TGuiTaskbar root;
    const std::vector<Ctl> file = {
        {"TGuiButton",
         {FillProp("bkgrnd", {1, 2, 3, 4}, false),    // small letters
          FillProp("Selected", {9, 9, 9, 9}, true),   // the button does not list it
          FillProp("NoSuchFill", {9, 9, 9, 9}, true), // dropped
          FontProp("DisabledFont", 3, 0xFF112233, 0xFF445566, 1.5, 2, 0.25),
          FontProp("Caption", 1, 1, 1, 1, 1, 1), // not a font: dropped
          Text("UnknownThing", "whatever"),      // ignored
          Text("Caption", "Play")},
         {}},
    };
    ASSERT_TRUE(Read(root, Encode(file)));
    auto* b = dynamic_cast<TGuiButton*>(root.Child(0));
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->Bkgrnd.Corners(), (TColor4{{1, 2, 3, 4}}));
    EXPECT_FALSE(b->Bkgrnd.Drawn);
    EXPECT_EQ(b->Selected, TGuiFill()) << "not in the button's table";
    EXPECT_EQ(b->DisabledFont.FontIndex, 3);
    EXPECT_EQ(b->DisabledFont.TopColor, 0xFF112233u);
    EXPECT_EQ(b->DisabledFont.BottomColor, 0xFF445566u);
    EXPECT_DOUBLE_EQ(b->DisabledFont.Scale, 1.5);
    EXPECT_EQ(b->DisabledFont.Style, 2);
    EXPECT_DOUBLE_EQ(b->DisabledFont.Interleave, 0.25);
    EXPECT_EQ(b->Caption, "Play") << "reading went on after the dropped values";
}

TEST(GuiFormsTest, ValuesConvertByTheirKind) {
    TGuiTaskbar root;
    const std::vector<Ctl> file = {
        {"TGuiListBox",
         {Text("Items", "Anna\r\nBoris\r\nClara"), Text("ItemIndex", "-1"),
          Text("BorderColor", "$FF00FF00"), Text("Enabled", "0"), Text("DrawFx", "1284"),
          Text("Tag", "1")},
         {}},
        {"TGuiCheckBox", {Text("Checked", "TRUE"), Text("Visible", "1")}, {}},
    };
    ASSERT_TRUE(Read(root, Encode(file)));
    auto* list = dynamic_cast<TGuiListBox*>(root.Child(0));
    EXPECT_EQ(list->Items, (std::vector<std::string>{"Anna", "Boris", "Clara"}));
    EXPECT_EQ(list->ItemIndex(), -1);
    EXPECT_EQ(list->BorderColor, 0xFF00FF00u);
    EXPECT_FALSE(list->Enabled());
    EXPECT_EQ(list->DrawFx, fxBlend);
    EXPECT_EQ(list->Tag, TGuiVariant("1")) << "the tag keeps the text";
    EXPECT_EQ(list->Tag.AsInteger(), 1);
    EXPECT_TRUE(dynamic_cast<TGuiCheckBox*>(root.Child(1))->Checked());
}

TEST(GuiFormsTest, AnUnknownClassEndsTheRead) {
    // Outermost list: success, the controls before it stay, nothing after it is read.
    {
        TGuiTaskbar root;
        std::vector<Ctl> file = TwoWindows();
        file.insert(file.begin() + 1, Ctl{"TGuiMystery", {Text("Name", "x")}, {}});
        ASSERT_TRUE(Read(root, Encode(file)));
        EXPECT_EQ(root.ChildCount(), 1);
        EXPECT_EQ(root.FindControl("scr_options"), nullptr);
        EXPECT_NE(root.FindControl("edit_name"), nullptr);
    }
    // Deeper down: the rest of the file cannot be placed, which counts as a failure.
    {
        TGuiTaskbar root;
        std::vector<Ctl> file = TwoWindows();
        file[0].children.insert(file[0].children.begin() + 1, Ctl{"TGuiMystery", {}, {}});
        EXPECT_FALSE(Read(root, Encode(file)));
        EXPECT_NE(root.FindControl("b_main_play"), nullptr) << "read before the failure";
        EXPECT_EQ(root.FindControl("l_title"), nullptr);
        EXPECT_EQ(root.FindControl("scr_options"), nullptr);
    }
}

TEST(GuiFormsTest, TheFirstFormWinsASharedControlName) {
    TGuiTaskbar root;
    const std::vector<Ctl> file = {
        {"TGuiForm", {Text("Name", "scr_a")}, {{"TGuiButton", {Text("Name", "b_back")}, {}}}},
        {"TGuiForm", {Text("Name", "scr_b")}, {{"TGuiButton", {Text("Name", "b_back")}, {}}}},
    };
    ASSERT_TRUE(Read(root, Encode(file)));
    EXPECT_EQ(root.FindControl("b_back")->Parent(), root.FindControl("scr_a"));
}

TEST(GuiFormsTest, AValueThatDoesNotConvertFailsTheRead) {
    const char* bad[][2] = {{"Left", "ten"},  {"Visible", "maybe"}, {"ImageIndex", "$"},
                            {"Width", "1.5"}, {"DrawFx", ""},       {"ShadowColor", "$1FFFFFFFF"}};
    for (const auto& [name, value] : bad) {
        TGuiTaskbar root;
        const std::vector<Ctl> file = {
            {"TGuiForm", {Text("Name", "first")}, {}},
            {"TGuiForm", {Text(name, value), Text("Name", "never")}, {}},
        };
        EXPECT_FALSE(Read(root, Encode(file))) << name << "=" << value;
        EXPECT_NE(root.FindControl("first"), nullptr);
        EXPECT_EQ(root.FindControl("never"), nullptr);
    }
}

TEST(GuiFormsTest, EveryTruncationFailsCleanly) {
    std::vector<Ctl> file = TwoWindows();
    file[1].props.push_back(FillProp("Bkgrnd", {1, 2, 3, 4}, true));
    file[1].props.push_back(FontProp("FontActive", 1, 2, 3, 1.0, 0, 0));
    const std::vector<uint8_t> bytes = Encode(file);
    for (size_t n = 0; n < bytes.size(); ++n) {
        TGuiTaskbar root;
        EXPECT_FALSE(ReadGuiForms(root, bytes.data(), n)) << n << " bytes";
    }
    TGuiTaskbar root;
    EXPECT_TRUE(ReadGuiForms(root, bytes.data(), bytes.size()));
}

TEST(GuiFormsTest, HostileCountsLengthsAndNestingAreRefused) {
    auto withHeader = [](std::initializer_list<uint32_t> words, const std::string& tail = "") {
        std::vector<uint8_t> out;
        for (uint32_t w : words) PutI32(out, w);
        out.insert(out.end(), tail.begin(), tail.end());
        return out;
    };
    struct Case {
        const char* what;
        std::vector<uint8_t> bytes;
    };
    std::vector<Case> cases = {
        {"huge child count", withHeader({0x7FFFFFFF, 8}, "TGuiForm")},
        {"negative child count", withHeader({0x80000000})},
        {"huge class name length", withHeader({1, 0x7FFFFFF0}, "TGuiForm")},
        {"negative class name length", withHeader({1, 0xFFFFFFFF})},
        {"huge property count",
         withHeader({1, 8}, "TGuiForm" + std::string("\xFF\xFF\xFF\x7F", 4))},
        {"huge value length",
         withHeader({1, 8},
                    "TGuiForm" + std::string("\x01\0\0\0\x04\0\0\0Name\x02\xF0\xFF\xFF\x7F", 17))},
    };
    // Deeper than any form needs: each level one form holding the next.
    {
        std::vector<uint8_t> deep;
        for (int i = 0; i < 10000; ++i) {
            PutI32(deep, 1);
            PutStr(deep, "TGuiForm");
            PutI32(deep, 0);
        }
        PutI32(deep, 0);
        cases.push_back({"deep nesting", deep});
    }
    {
        std::vector<Ctl> many(size_t(kMaxFormControls) + 1, Ctl{"TGuiLabel", {}, {}});
        cases.push_back({"too many controls", Encode(many)});
    }
    for (const Case& c : cases) {
        TGuiTaskbar root;
        EXPECT_FALSE(Read(root, c.bytes)) << c.what;
    }
}

TEST(GuiFormsTest, LoadFromFileReadsAFileAndFailsWithoutOne) {
    TGuiTaskbar root;
    EXPECT_FALSE(root.LoadFromFile(TempPath("missing.fgg")));
    const std::string path = TempPath("gfx.fgg");
    const std::vector<uint8_t> bytes = Encode(TwoWindows());
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    EXPECT_TRUE(root.LoadFromFile(path));
    EXPECT_NE(root.FindControl("scr_options"), nullptr);
}

TEST(GuiFormsTest, FormsCompiledFromJsonReadBack) {
    const std::string json = TempPath("round.json");
    std::ofstream(json) << R"({"controls": [
        {"class": "TGuiForm", "props": {"Name": "scr_round", "Visible": false, "CaptSize": 0,
                                        "ImageIndex": "@back", "ShadowColor": "#80102030",
                                        "Bkgrnd": {"colors": ["#ff000000", "#ff0000ff"]},
                                        "FontActive": {"index": 2, "color": "#ffff0000",
                                                       "scale": 1.25}},
         "children": [
            {"class": "TGuiListBox", "props": {"Name": "list", "Items": ["one", "two"]}},
            {"class": "TGuiRadioButton", "props": {"Name": "r", "Checked": true, "GroupIndex": 3}}
         ]}]})";
    TAssetManifest manifest;
    for (const char* name : {"zad", "back"}) {
        TImageEntry entry;
        entry.name = name;
        entry.archive = "data.fgg";
        manifest.images.push_back(entry);
    }
    std::vector<uint8_t> bytes;
    std::string error;
    ASSERT_TRUE(CompileForms({json}, manifest, bytes, error)) << error;
    TGuiTaskbar root;
    ASSERT_TRUE(Read(root, bytes));
    auto* form = dynamic_cast<TGuiForm*>(root.FindControl("scr_round"));
    ASSERT_NE(form, nullptr);
    EXPECT_FALSE(form->Visible());
    EXPECT_EQ(form->CaptSize, 0);
    EXPECT_EQ(form->ImageIndex, 1);
    EXPECT_EQ(form->ShadowColor, 0x80302010u) << "stored with red in the low byte";
    EXPECT_EQ(form->Bkgrnd.Colors(0), 0xFF000000u);
    EXPECT_EQ(form->Bkgrnd.Colors(2), 0xFFFF0000u);
    EXPECT_EQ(form->FontActive.FontIndex, 2);
    EXPECT_EQ(form->FontActive.BottomColor, 0xFF0000FFu);
    EXPECT_DOUBLE_EQ(form->FontActive.Scale, 1.25);
    EXPECT_EQ(dynamic_cast<TGuiListBox*>(root.FindControl("list"))->Items,
              (std::vector<std::string>{"one", "two"}));
    auto* radio = dynamic_cast<TGuiRadioButton*>(root.FindControl("r"));
    EXPECT_TRUE(radio->Checked());
    EXPECT_EQ(radio->GroupIndex, 3);
}

TEST(GuiFormsTest, TheTestScreenCompilesAgainstTheManifest) {
    const fs::path assets = fs::path(__FILE__).parent_path().parent_path().parent_path() / "assets";
    TAssetManifest manifest;
    std::string error;
    ASSERT_TRUE(LoadAssetManifest((assets / "manifest.json").string(), manifest, error)) << error;
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(
        CompileForms({(assets / "forms" / "test_screen.json").string()}, manifest, bytes, error))
        << error;
    TGuiTaskbar root;
    ASSERT_TRUE(Read(root, bytes));
    auto* screen = dynamic_cast<TGuiForm*>(root.FindControl("scr_test"));
    ASSERT_NE(screen, nullptr);
    EXPECT_FALSE(screen->Visible());
    int labels = 0, radios = 0;
    for (int i = 0; i < screen->ChildCount(); ++i) {
        labels += dynamic_cast<TGuiLabel*>(screen->Child(i)) != nullptr;
        radios += dynamic_cast<TGuiRadioButton*>(screen->Child(i)) != nullptr;
    }
    EXPECT_GE(labels, 4) << "one label per alignment";
    EXPECT_GE(radios, 2);
    for (const char* name : {"b_test_image", "edit_test", "list_test", "check_test", "bar_test"})
        EXPECT_NE(screen->FindControl(name), nullptr) << name;
    // One checked button per group survives the reading order.
    for (const char* name : {"radio_test_hard", "radio_test_music"}) {
        auto* radio = dynamic_cast<TGuiRadioButton*>(screen->FindControl(name));
        ASSERT_NE(radio, nullptr) << name;
        EXPECT_TRUE(radio->Checked()) << name;
    }
}
