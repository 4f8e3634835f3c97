#pragma once
#include <cstdint>
#include <vector>

namespace platform {

// One vertex as the canvas hands it over: device pixels, colour 0xAARRGGBB (blue in byte 0),
// texture coordinates. Positions follow the pixel-centre-at-integer convention of the canvas.
struct Vertex {
    float x = 0, y = 0;
    uint32_t color = 0xFFFFFFFF;
    float u = 0, v = 0;
};

enum class PrimitiveKind : uint8_t { Points, Lines, Triangles };

using TextureId = uint32_t; // 0 is "no texture"

struct DeviceRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    friend bool operator==(const DeviceRect&, const DeviceRect&) = default;
};

struct RendererConfig {
    int width = 800, height = 600;
    bool vsync = false;
};

// A batch of primitives drawn with one blend code and one texture.
struct DrawBatch {
    PrimitiveKind kind = PrimitiveKind::Triangles;
    TextureId texture = 0;
    uint32_t drawFx = 0x0504;
    bool linearFilter = false;
    bool dithering = true;
    const Vertex* vertices = nullptr;
    int vertexCount = 0;
    const uint16_t* indices = nullptr;
    int indexCount = 0;
};

enum class PresentResult : uint8_t { Ok, Lost, Failed };

// The 2D renderer behind the canvas. The SDL implementation draws; the recording one keeps
// every batch for tests.
class Renderer {
public:
    virtual ~Renderer() = default;
    virtual bool Start(const RendererConfig& config) = 0;
    virtual void Stop() = 0;
    virtual bool Running() const = 0;
    // Rebuilds the renderer for a new size or vsync; textures survive only if the backend keeps them.
    virtual bool Reset(const RendererConfig& config) = 0;
    virtual void OutputSize(int& width, int& height) const = 0;

    // Pixels are 0xAARRGGBB rows, top to bottom. 0 on failure.
    virtual TextureId CreateTexture(int width, int height, const uint32_t* pixels) = 0;
    virtual void DestroyTexture(TextureId texture) = 0;
    // Whether the backend can blend with this code exactly (it falls back otherwise).
    virtual bool SupportsBlend(uint32_t drawFx) const = 0;

    virtual void Clear(uint32_t color) = 0;
    virtual void SetClip(const DeviceRect& rect) = 0;
    virtual void Draw(const DrawBatch& batch) = 0;
    virtual PresentResult Present() = 0;
    // The last presented (or current) frame as 0xAARRGGBB pixels.
    virtual bool ReadPixels(std::vector<uint32_t>& pixels, int& width, int& height) = 0;
};

} // namespace platform
