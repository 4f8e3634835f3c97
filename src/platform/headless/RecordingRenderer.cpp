#include "platform/headless/RecordingRenderer.h"
#include <cstddef>

using std::size_t;

namespace platform::headless {

bool RecordingRenderer::Start(const RendererConfig& c) {
    ++starts;
    if (failStart) return false;
    config = c;
    running_ = true;
    return true;
}

bool RecordingRenderer::Reset(const RendererConfig& c) {
    ++resets;
    config = c;
    return running_;
}

void RecordingRenderer::OutputSize(int& width, int& height) const {
    width = config.width;
    height = config.height;
}

TextureId RecordingRenderer::CreateTexture(int width, int height, const uint32_t* pixels) {
    if (width <= 0 || height <= 0) return 0;
    const TextureId id = next_++;
    if (!keepBatches) {
        textures[id] = Texture{width, height, {}};
        return id;
    }
    textures[id] = Texture{width, height,
                           pixels ? std::vector<uint32_t>(pixels, pixels + size_t(width) * height)
                                  : std::vector<uint32_t>(size_t(width) * height)};
    return id;
}

void RecordingRenderer::Draw(const DrawBatch& b) {
    batches.push_back(Batch{b.kind, b.texture, b.drawFx, b.linearFilter, b.dithering,
                            std::vector<Vertex>(b.vertices, b.vertices + b.vertexCount),
                            std::vector<uint16_t>(b.indices, b.indices + b.indexCount)});
}

PresentResult RecordingRenderer::Present() {
    ++presents;
    if (!keepBatches) {
        batches.clear();
        clears.clear();
        clips.clear();
    }
    if (presentScript.empty()) return PresentResult::Ok;
    const PresentResult r = presentScript.front();
    presentScript.erase(presentScript.begin());
    return r;
}

bool RecordingRenderer::ReadPixels(std::vector<uint32_t>& pixels, int& width, int& height) {
    width = config.width;
    height = config.height;
    pixels.assign(size_t(width) * height, 0);
    return true;
}

} // namespace platform::headless
