#include "tools/FormCompiler.h"
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

TAssetManifest ThreeArchives() {
    TAssetManifest m;
    auto add = [&m](const char* name, const char* archive) {
        TImageEntry s;
        s.name = name;
        s.archive = archive;
        m.images.push_back(s);
    };
    add("late", "gdata.fgg");
    add("zad", "data.fgg");
    add("cursor", "data.fgg");
    return m;
}

std::string WriteJson(const std::string& name, const std::string& text) {
    const fs::path dir = fs::temp_directory_path() / ("kelvora-forms-" + std::to_string(getpid()));
    fs::create_directories(dir);
    const fs::path p = dir / name;
    std::ofstream(p) << text;
    return p.string();
}

} // namespace

TEST(FormCompilerTest, ImageIndicesFollowTheGameLoadingOrder) {
    const TAssetManifest m = ThreeArchives();
    EXPECT_EQ(GameImageIndex(m, "zad"), 0);
    EXPECT_EQ(GameImageIndex(m, "CURSOR"), 1);
    EXPECT_EQ(GameImageIndex(m, "late"), 2) << "gdata.fgg loads after data.fgg";
    EXPECT_EQ(GameImageIndex(m, "none"), -1);
}

TEST(FormCompilerTest, WritesTheBinaryLayout) {
    const std::string path = WriteJson("one.json", R"({"controls": [
        {"class": "TGuiButton", "props": {"ImageIndex": "@cursor",
                                          "Bkgrnd": {"colors": ["#80112233"], "drawn": false}}}]})");
    std::vector<uint8_t> out;
    std::string error;
    ASSERT_TRUE(CompileForms({path}, ThreeArchives(), out, error)) << error;
    const std::vector<uint8_t> expected = {
        1, 0, 0, 0,                                          // one control
        10, 0, 0, 0, 'T', 'G', 'u', 'i', 'B', 'u', 't', 't', 'o', 'n',
        2, 0, 0, 0,                                          // two properties, as written
        10, 0, 0, 0, 'I', 'm', 'a', 'g', 'e', 'I', 'n', 'd', 'e', 'x', 2,
        1, 0, 0, 0, '1',                                     // "@cursor" is image 1
        6, 0, 0, 0, 'B', 'k', 'g', 'r', 'n', 'd', 4,         // fill
        0x11, 0x22, 0x33, 0x80, 0x11, 0x22, 0x33, 0x80,      // red in the low byte
        0x11, 0x22, 0x33, 0x80, 0x11, 0x22, 0x33, 0x80, 0,   // not drawn
        0, 0, 0, 0,                                          // no children
    };
    // Colour bytes: "#80112233" is alpha 80, red 11, green 22, blue 33.
    EXPECT_EQ(out, expected);
}

TEST(FormCompilerTest, ErrorsNameTheControl) {
    struct Case {
        const char* json;
        const char* message;
    };
    const Case cases[] = {
        {R"({"controls": [{"props": {}}]})", "needs a \"class\""},
        {R"({"controls": [{"class": "TGuiForm", "props": {"Name": "scr_x", "ImageIndex": "@nope"}}]})",
         "scr_x: property ImageIndex: no image \"nope\""},
        {R"({"controls": [{"class": "TGuiForm", "props": {"Bkgrnd": {"colors": ["red"]}}}]})",
         "a colour must be"},
        {R"({"controls": [ )", "parse"},
    };
    for (const Case& c : cases) {
        std::vector<uint8_t> out;
        std::string error;
        EXPECT_FALSE(CompileForms({WriteJson("bad.json", c.json)}, ThreeArchives(), out, error));
        EXPECT_NE(error.find(c.message), std::string::npos) << error;
    }
}

TEST(FormCompilerTest, TextsAreStoredInTheGameCodePage) {
    // "Don’t" and "café" as typed in a UTF-8 source; the fonts know Windows-1252 only.
    const std::string path = WriteJson("text.json", R"({"controls": [{"class": "TGuiLabel",
        "props": {"Text": "Don’t", "Items": ["café"]}}]})");
    std::vector<uint8_t> out;
    std::string error;
    ASSERT_TRUE(CompileForms({path}, ThreeArchives(), out, error)) << error;
    const std::string bytes(out.begin(), out.end());
    const std::string text = std::string(1, '\x05') + std::string(3, '\0') + "Don\x92t";
    const std::string item = std::string(1, '\x04') + std::string(3, '\0') + "caf\xE9";
    EXPECT_NE(bytes.find(text), std::string::npos);
    EXPECT_NE(bytes.find(item), std::string::npos);
    EXPECT_EQ(bytes.find("\xE2\x80\x99"), std::string::npos) << "no UTF-8 left";
}
