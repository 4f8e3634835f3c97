#include "engine/GfxDb.h"
#include "engine/GfxFonts.h"
#include "engine/GfxImages.h"
#include "engine/GuiControls.h"
#include "engine/Random.h"
#include "engine/XParticles.h"
#include "tools/AssetCompiler.h"
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

const fs::path kAssets = fs::path(__FILE__).parent_path().parent_path().parent_path() / "assets";

std::vector<char> Slurp(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::vector<char>(std::istreambuf_iterator<char>(in), {});
}

TResDb Open(const fs::path& p) {
    TResDb db;
    db.SetFileName(p.string());
    db.OpenMode = opReadOnly;
    return db;
}

} // namespace

// The game's own data, compiled twice: the engine reads all of it back and the bytes agree.
TEST(AssetCompilerTest, GameDataReadsBackAndIsReproducible) {
    const fs::path out = fs::temp_directory_path() / ("kelvora-assets-" + std::to_string(getpid()));
    fs::remove_all(out);
    TAssetBuildReport first, second;
    std::string error;
    ASSERT_TRUE(CompileAssets(kAssets.string(), (out / "a").string(), first, error)) << error;
    ASSERT_TRUE(CompileAssets(kAssets.string(), (out / "b").string(), second, error)) << error;
    ASSERT_EQ(first.written.size(), second.written.size());
    for (const std::string& file : first.written) {
        const fs::path rel = fs::relative(file, out / "a");
        EXPECT_EQ(Slurp(out / "a" / rel), Slurp(out / "b" / rel)) << rel;
    }

    // The loading order the game uses: images, then fonts, of each archive in turn.
    TGfxImages images;
    TGfxFonts fonts;
    TResDb data = Open(out / "a/Data/data.fgg"), gdata = Open(out / "a/Data/gdata.fgg"),
           data1 = Open(out / "a/Data/data1.fgg");
    ASSERT_TRUE(images.LoadFromResDb(data));
    ASSERT_TRUE(fonts.LoadFromResDb(data));
    ASSERT_TRUE(images.LoadFromResDb(gdata));
    ASSERT_TRUE(fonts.LoadFromResDb(gdata));
    ASSERT_TRUE(fonts.LoadFromResDb(data1));
    EXPECT_EQ(images.Count(), first.images);
    EXPECT_EQ(fonts.Count(), first.fonts);
    ASSERT_NE(images.Items(9), nullptr);
    EXPECT_EQ(images.Items(9)->Name, "particles") << "particles draw image 9";
    for (int index : {0, 1, 7, 8, 11}) EXPECT_NE(fonts.Items(index), nullptr) << index;
    EXPECT_NE(fonts.Find("sharetext"), nullptr);
    ASSERT_NE(fonts.Items(0), nullptr);
    EXPECT_GT(fonts.Items(0)->TextWidth("Kelvora"), 20);
    for (int k = 1; k <= 15; ++k)
        for (const std::string name : {"f" + std::to_string(k), "f" + std::to_string(k) + "g"}) {
            const TGfxImage* chip = images.Find(name);
            ASSERT_NE(chip, nullptr) << name;
            EXPECT_EQ(chip->PatternCount, 8) << name;
            EXPECT_EQ(chip->PatternWidth, 64) << name;
        }

    TRandom random(1);
    TXParticleManager particles(nullptr, random);
    EXPECT_EQ(particles.LoadFromResDb(data) + particles.LoadFromResDb(gdata), first.particles);
    for (const char* name : {"Exampel1.pss", "electroexplode.pss", "vzryvmolekuly.pss"})
        EXPECT_NE(particles.Spawn(name, 400, 300), nullptr) << name;

    TGuiTaskbar root;
    EXPECT_TRUE(root.LoadFromFile((out / "a/Data/gfx.fgg").string()));
    EXPECT_NE(root.FindControl("scr_test"), nullptr);
    fs::remove_all(out);
}
