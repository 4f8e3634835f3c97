#include "engine/GfxImage.h"
#include "engine/PictureFile.h"
#include "engine/TextureFormat.h"
#include <filesystem>
#include <gtest/gtest.h>
#include <unistd.h>

using F = TTextureFormat;

TEST(TextureFormatTest, FirstSupportedFormatOfThePreferenceList) {
    struct Case {
        int alpha, quality;
        std::initializer_list<F> supported;
        F expected;
    };
    const Case cases[] = {
        {2, 2, {F::A8R8G8B8, F::X8R8G8B8}, F::A8R8G8B8},
        {2, 0, {F::A8R8G8B8, F::A4R4G4B4}, F::A4R4G4B4},
        {0, 0, {F::A8R8G8B8, F::X8R8G8B8}, F::X8R8G8B8},
        {0, 1, {F::R5G6B5, F::X8R8G8B8}, F::R5G6B5},
        {1, 2, {F::A8R8G8B8, F::A4R4G4B4}, F::A4R4G4B4},
        {3, 1, {F::A8R8G8B8, F::A8}, F::A8},
        {2, 9, {F::A8R8G8B8, F::A4R4G4B4}, F::A8R8G8B8}, // quality beyond 2 is 2
        {2, 2, {}, F::A8R8G8B8},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ChooseTextureFormat(c.alpha, c.quality, c.supported), c.expected)
            << c.alpha << "/" << c.quality;
}

TEST(TextureFormatTest, PictureFileIsCutLikeTheExitScreenImage) {
    const auto path = std::filesystem::temp_directory_path() /
                      ("kelvora-picture-" + std::to_string(getpid()) + ".png");
    TPixelPage picture{800, 600, std::vector<uint32_t>(800 * 600, 0xFF102030)};
    picture.pixels[599 * 800 + 799] = 0xFFFFFFFF;
    ASSERT_TRUE(SavePng(path.string(), picture));
    TGfxImage image;
    image.TextureWidth = image.TextureHeight = 1024;
    image.PatternWidth = image.VisibleWidth = 800;
    image.PatternHeight = image.VisibleHeight = 600;
    image.TextureCount = 1;
    image.PatternCount = 1;
    ASSERT_TRUE(image.LoadFromFile(path.string()));
    EXPECT_EQ(image.PatternCount, 1);
    ASSERT_EQ(image.Pages.size(), 1u);
    EXPECT_EQ(image.Pages[0].pixels[599 * 1024 + 799], 0xFFFFFFFFu);
    EXPECT_FALSE(image.LoadFromFile("/nonexistent/picture.png"));
    std::filesystem::remove(path);
}
