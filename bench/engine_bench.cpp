// Engine figures: archive reading against the bare zlib + MD5 work, canvas batching, and a
// busy particle frame. Run: build-bench/bench/kelvora_bench
#include "engine/GfxCanvas.h"
#include "engine/GfxDb.h"
#include "engine/GfxDevice.h"
#include "engine/ParticleScript.h"
#include "engine/Random.h"
#include "engine/ResDbWriter.h"
#include "engine/XParticles.h"
#include "platform/headless/RecordingRenderer.h"
#include "tools/ParticleText.h"
#include <benchmark/benchmark.h>
#include <filesystem>
#include <openssl/evp.h>
#include <zlib.h>

namespace {

std::vector<uint8_t> PictureLikeBytes(size_t n) {
    std::vector<uint8_t> v(n);
    uint32_t s = 12345;
    for (size_t i = 0; i < n; ++i) {
        s = s * 1103515245 + 12345;
        v[i] = uint8_t((i / 64) ^ ((s >> 24) & 0x0F)); // gradients with noise, like artwork
    }
    return v;
}

struct ArchiveFixture {
    std::string path;
    std::vector<uint8_t> record = PictureLikeBytes(4 << 20);
    ArchiveFixture() {
        path = (std::filesystem::temp_directory_path() / "kelvora-bench.fgg").string();
        TResDbWriter w;
        w.Add("picture", 1, record);
        w.Save(path);
    }
};

ArchiveFixture& Archive() {
    static ArchiveFixture f;
    return f;
}

void BM_ArchiveReadStream(benchmark::State& state) {
    ArchiveFixture& f = Archive();
    TResDb db;
    db.SetFileName(f.path);
    db.OpenMode = opReadOnly;
    for (auto _ : state) {
        std::vector<uint8_t> out;
        benchmark::DoNotOptimize(db.ReadStream("picture", out));
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(f.record.size()));
}
BENCHMARK(BM_ArchiveReadStream)->Unit(benchmark::kMillisecond);

// The floor: inflating and hashing the same bytes with no file or table work.
void BM_InflateAndMd5Only(benchmark::State& state) {
    ArchiveFixture& f = Archive();
    uLongf packedSize = compressBound(uLong(f.record.size()));
    std::vector<uint8_t> packed(packedSize);
    compress2(packed.data(), &packedSize, f.record.data(), uLong(f.record.size()), 9);
    packed.resize(packedSize);
    std::vector<uint8_t> out(f.record.size());
    for (auto _ : state) {
        uLongf outSize = uLongf(out.size());
        uncompress(out.data(), &outSize, packed.data(), uLong(packed.size()));
        unsigned char digest[16];
        unsigned int len = 0;
        EVP_Digest(out.data(), out.size(), digest, &len, EVP_md5(), nullptr);
        benchmark::DoNotOptimize(digest);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(f.record.size()));
}
BENCHMARK(BM_InflateAndMd5Only)->Unit(benchmark::kMillisecond);

void BM_CanvasQuads(benchmark::State& state) {
    platform::headless::RecordingRenderer renderer;
    TGfxDevice device(renderer);
    TGfxCanvas canvas(&device);
    device.Initialize();
    TGfxImage image;
    image.TextureWidth = image.TextureHeight = 256;
    image.PatternWidth = image.PatternHeight = 64;
    image.Prepare();
    image.Textures = {1};
    for (auto _ : state) {
        for (int i = 0; i < 1000; ++i)
            canvas.DrawRotated(&image, i % 16, float(i % 800), float(i % 600), 0.1f * i, 1, 1,
                               false, false, 0xFFFFFFFF, 0x0504);
        canvas.Flush();
        renderer.batches.clear();
    }
    state.SetItemsProcessed(int64_t(state.iterations()) * 1000);
}
BENCHMARK(BM_CanvasQuads)->Unit(benchmark::kMicrosecond);

// Ten effects of the game running at once, advanced and drawn as in one frame.
void BM_TenParticleEffectsFrame(benchmark::State& state) {
    platform::headless::RecordingRenderer renderer;
    TGfxDevice device(renderer);
    TGfxCanvas canvas(&device);
    device.Initialize();
    TGfxImage image;
    image.TextureWidth = image.TextureHeight = 128;
    image.PatternWidth = image.PatternHeight = 32;
    image.Prepare();
    image.Textures = {1};
    TRandom random(3);
    TXParticleManager manager(&canvas, random);
    manager.SetImage(&image);
    const std::filesystem::path assets =
        std::filesystem::path(__FILE__).parent_path().parent_path() / "assets" / "particles";
    for (const char* name : {"electroexplode", "fireex", "molnia", "ugol", "shleif1"}) {
        TParticleScript s;
        std::string error;
        if (LoadParticleText((assets / (std::string(name) + ".txt")).string(), s, error))
            manager.AddScript(std::string(name) + ".pss", SerializeParticleScript(s));
    }
    const char* running[] = {"molnia.pss", "ugol.pss", "shleif1.pss"};
    for (int i = 0; i < 10; ++i) manager.Spawn(running[i % 3], 100 + 60 * i, 300);
    for (int i = 0; i < 200; ++i) manager.Update(0.01); // reach a steady state
    for (auto _ : state) {
        manager.Update(0.01);
        for (int i = 0; i < manager.Count(); ++i) manager.Items(i)->Draw(canvas, 0, 0);
        canvas.Flush();
        renderer.batches.clear();
    }
    int particles = 0;
    for (int i = 0; i < manager.Count(); ++i) particles += manager.Items(i)->ParticleCount();
    state.counters["particles"] = particles;
}
BENCHMARK(BM_TenParticleEffectsFrame)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
