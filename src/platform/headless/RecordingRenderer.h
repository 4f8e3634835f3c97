#pragma once
#include "platform/Renderer.h"
#include <map>
#include <vector>

namespace platform::headless {

// Keeps every batch it is asked to draw, with copies of the vertices, for tests.
class RecordingRenderer final : public Renderer {
public:
    struct Batch {
        PrimitiveKind kind;
        TextureId texture;
        uint32_t drawFx;
        bool linearFilter;
        bool dithering;
        std::vector<Vertex> vertices;
        std::vector<uint16_t> indices;
    };
    struct Texture {
        int width, height;
        std::vector<uint32_t> pixels;
    };

    bool Start(const RendererConfig& config) override;
    void Stop() override { running_ = false; }
    bool Running() const override { return running_; }
    bool Reset(const RendererConfig& config) override;
    void OutputSize(int& width, int& height) const override;
    TextureId CreateTexture(int width, int height, const uint32_t* pixels) override;
    void DestroyTexture(TextureId texture) override { textures.erase(texture); }
    bool SupportsBlend(uint32_t drawFx) const override { return !refuseBlends; }
    void Clear(uint32_t color) override { clears.push_back(color); }
    void SetClip(const DeviceRect& rect) override { clips.push_back(rect); }
    void Draw(const DrawBatch& batch) override;
    PresentResult Present() override;
    bool ReadPixels(std::vector<uint32_t>& pixels, int& width, int& height) override;

    std::vector<Batch> batches;
    // Long runs only count frames: the batches of a frame are dropped when it is presented,
    // and textures keep their sizes but not their pixels.
    bool keepBatches = true;
    std::vector<uint32_t> clears;
    std::vector<DeviceRect> clips;
    std::map<TextureId, Texture> textures;
    RendererConfig config;
    int presents = 0, starts = 0, resets = 0;
    bool failStart = false;
    bool refuseBlends = false;
    // Results Present hands out, front first; Ok once they run out.
    std::vector<PresentResult> presentScript;

private:
    bool running_ = false;
    TextureId next_ = 1;
};

} // namespace platform::headless
