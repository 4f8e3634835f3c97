#include "platform/sdl/SdlRenderer.h"
#include <SDL.h>
#include <cmath>
#include <cstdio>
#include <map>
#include <vector>

namespace platform::sdl {
namespace {

SDL_BlendFactor Factor(uint32_t index, bool& ok) {
    switch (index) {
    case 0: return SDL_BLENDFACTOR_ZERO;
    case 1: return SDL_BLENDFACTOR_ONE;
    case 2: return SDL_BLENDFACTOR_SRC_COLOR;
    case 3: return SDL_BLENDFACTOR_ONE_MINUS_SRC_COLOR;
    case 4: return SDL_BLENDFACTOR_SRC_ALPHA;
    case 5: return SDL_BLENDFACTOR_ONE_MINUS_SRC_ALPHA;
    case 6: return SDL_BLENDFACTOR_DST_ALPHA;
    case 7: return SDL_BLENDFACTOR_ONE_MINUS_DST_ALPHA;
    case 8: return SDL_BLENDFACTOR_DST_COLOR;
    case 9: return SDL_BLENDFACTOR_ONE_MINUS_DST_COLOR;
    default: ok = false; return SDL_BLENDFACTOR_ONE; // saturated source alpha has no SDL form
    }
}

SDL_BlendOperation Operation(uint32_t index, bool& ok) {
    switch (index) {
    case 0: return SDL_BLENDOPERATION_ADD;
    case 1: return SDL_BLENDOPERATION_REV_SUBTRACT;
    case 2: return SDL_BLENDOPERATION_SUBTRACT;
    case 3: return SDL_BLENDOPERATION_MINIMUM;
    case 4: return SDL_BLENDOPERATION_MAXIMUM;
    default: ok = false; return SDL_BLENDOPERATION_ADD;
    }
}

// The blend code as SDL expresses it; ok is false when SDL has no exact equivalent.
SDL_BlendMode ComposeBlend(uint32_t fx, bool& ok) {
    ok = true;
    if (fx == 1) return SDL_BLENDMODE_NONE;
    if (fx == 0x0504) return SDL_BLENDMODE_BLEND;
    const SDL_BlendFactor src = Factor(fx & 0xFF, ok);
    const SDL_BlendFactor dst = Factor((fx >> 8) & 0xFF, ok);
    const SDL_BlendOperation op = Operation((fx >> 16) & 0xFF, ok);
    // Alpha keeps ordinary blending so the frame buffer stays opaque.
    return SDL_ComposeCustomBlendMode(src, dst, op, SDL_BLENDFACTOR_ONE,
                                      SDL_BLENDFACTOR_ONE_MINUS_SRC_ALPHA, SDL_BLENDOPERATION_ADD);
}

// The nearest of SDL's built-in modes, for renderers that refuse custom ones.
SDL_BlendMode NearestBuiltIn(uint32_t fx) {
    const uint32_t src = fx & 0xFF, dst = (fx >> 8) & 0xFF, op = (fx >> 16) & 0xFF;
    if (fx == 1 || (src == 1 && dst == 0)) return SDL_BLENDMODE_NONE;
    if (op == 0 && dst == 1) return SDL_BLENDMODE_ADD;
    if (op == 0 && ((src == 8 && dst == 0) || (src == 0 && dst == 2))) return SDL_BLENDMODE_MOD;
    if (op == 0 && src == 8 && dst == 5) return SDL_BLENDMODE_MUL;
    return SDL_BLENDMODE_BLEND;
}

struct SurfaceDeleter {
    void operator()(SDL_Surface* s) const { SDL_FreeSurface(s); }
};

class SdlRenderer final : public Renderer {
public:
    SdlRenderer(SDL_Window* window, bool software) : window_(window), software_(software) {}
    ~SdlRenderer() override { Stop(); }

    bool Start(const RendererConfig& config) override {
        if (renderer_) return true;
        config_ = config;
        if (software_) {
            surface_.reset(SDL_CreateRGBSurfaceWithFormat(0, config.width, config.height, 32,
                                                          SDL_PIXELFORMAT_ARGB8888));
            if (!surface_) return Fail("surface");
            renderer_ = SDL_CreateSoftwareRenderer(surface_.get());
        } else {
            if (!window_) return false;
            Uint32 flags = SDL_RENDERER_ACCELERATED;
            if (config.vsync) flags |= SDL_RENDERER_PRESENTVSYNC;
            renderer_ = SDL_CreateRenderer(window_, -1, flags);
            if (!renderer_) renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_SOFTWARE);
        }
        if (!renderer_) return Fail("renderer");
        SDL_SetRenderDrawBlendMode(renderer_, SDL_BLENDMODE_BLEND);
        return true;
    }

    void Stop() override {
        for (auto& [id, texture] : textures_) SDL_DestroyTexture(texture);
        textures_.clear();
        blendSupport_.clear();
        if (renderer_) SDL_DestroyRenderer(renderer_);
        renderer_ = nullptr;
        surface_.reset();
    }

    bool Running() const override { return renderer_ != nullptr; }

    bool Reset(const RendererConfig& config) override {
        if (!renderer_) return false;
        if (software_ && (config.width != config_.width || config.height != config_.height)) {
            Stop();
            return Start(config);
        }
        if (!software_ && config.vsync != config_.vsync) {
#if SDL_VERSION_ATLEAST(2, 0, 18)
            SDL_RenderSetVSync(renderer_, config.vsync ? 1 : 0);
#endif
        }
        config_ = config;
        return true;
    }

    void OutputSize(int& width, int& height) const override {
        width = config_.width;
        height = config_.height;
        if (renderer_) SDL_GetRendererOutputSize(renderer_, &width, &height);
    }

    TextureId CreateTexture(int width, int height, const uint32_t* pixels) override {
        if (!renderer_ || width <= 0 || height <= 0) return 0;
        SDL_Texture* texture = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_ARGB8888,
                                                 SDL_TEXTUREACCESS_STATIC, width, height);
        if (!texture) return 0;
        if (pixels) SDL_UpdateTexture(texture, nullptr, pixels, width * 4);
        SDL_SetTextureBlendMode(texture, SDL_BLENDMODE_BLEND);
        const TextureId id = nextId_++;
        textures_[id] = texture;
        return id;
    }

    void DestroyTexture(TextureId id) override {
        const auto it = textures_.find(id);
        if (it == textures_.end()) return;
        SDL_DestroyTexture(it->second);
        textures_.erase(it);
    }

    bool SupportsBlend(uint32_t fx) const override {
        const auto known = blendSupport_.find(fx);
        if (known != blendSupport_.end()) return known->second;
        bool ok = false;
        const SDL_BlendMode mode = ComposeBlend(fx, ok);
        if (ok && renderer_) {
            SDL_BlendMode previous;
            SDL_GetRenderDrawBlendMode(renderer_, &previous);
            ok = SDL_SetRenderDrawBlendMode(renderer_, mode) == 0;
            SDL_SetRenderDrawBlendMode(renderer_, previous);
        }
        blendSupport_[fx] = ok;
        return ok;
    }

    void Clear(uint32_t color) override {
        if (!renderer_) return;
        SDL_SetRenderDrawColor(renderer_, (color >> 16) & 0xFF, (color >> 8) & 0xFF, color & 0xFF,
                               0xFF);
        SDL_RenderSetClipRect(renderer_, nullptr);
        SDL_RenderClear(renderer_);
    }

    void SetClip(const DeviceRect& r) override {
        if (!renderer_) return;
        SDL_Rect rect{r.left, r.top, r.right - r.left, r.bottom - r.top};
        SDL_RenderSetClipRect(renderer_, &rect);
    }

    void Draw(const DrawBatch& batch) override {
        if (!renderer_ || batch.vertexCount <= 0) return;
        SDL_Texture* texture = nullptr;
        if (batch.texture) {
            const auto it = textures_.find(batch.texture);
            if (it == textures_.end()) return;
            texture = it->second;
            SDL_SetTextureScaleMode(texture, batch.linearFilter ? SDL_ScaleModeLinear
                                                                : SDL_ScaleModeNearest);
        }
        const SDL_BlendMode mode = BlendFor(batch.drawFx);
        if (texture) SDL_SetTextureBlendMode(texture, mode);
        else SDL_SetRenderDrawBlendMode(renderer_, mode);

        vertices_.clear();
        indices_.clear();
        switch (batch.kind) {
        case PrimitiveKind::Triangles:
            for (int i = 0; i < batch.vertexCount; ++i)
                vertices_.push_back(Convert(batch.vertices[i], texture != nullptr));
            for (int i = 0; i < batch.indexCount; ++i) indices_.push_back(batch.indices[i]);
            break;
        case PrimitiveKind::Lines:
            for (int i = 0; i + 1 < batch.indexCount; i += 2)
                AddLine(batch.vertices[batch.indices[i]], batch.vertices[batch.indices[i + 1]]);
            break;
        case PrimitiveKind::Points:
            for (int i = 0; i < batch.indexCount; ++i) AddPoint(batch.vertices[batch.indices[i]]);
            break;
        }
        if (!indices_.empty())
            SDL_RenderGeometry(renderer_, texture, vertices_.data(), int(vertices_.size()),
                               indices_.data(), int(indices_.size()));
    }

    PresentResult Present() override {
        if (!renderer_) return PresentResult::Failed;
        if (!software_) SDL_RenderPresent(renderer_);
        return PresentResult::Ok;
    }

    bool ReadPixels(std::vector<uint32_t>& pixels, int& width, int& height) override {
        if (!renderer_) return false;
        OutputSize(width, height);
        pixels.assign(size_t(width) * height, 0);
        SDL_RenderSetClipRect(renderer_, nullptr);
        return SDL_RenderReadPixels(renderer_, nullptr, SDL_PIXELFORMAT_ARGB8888, pixels.data(),
                                    width * 4) == 0;
    }

private:
    bool Fail(const char* what) {
        std::fprintf(stderr, "kelvora: cannot create the %s: %s\n", what, SDL_GetError());
        surface_.reset();
        return false;
    }

    SDL_BlendMode BlendFor(uint32_t fx) const {
        bool ok = false;
        const SDL_BlendMode mode = ComposeBlend(fx, ok);
        return ok && SupportsBlend(fx) ? mode : NearestBuiltIn(fx);
    }

    static SDL_Color ColorOf(uint32_t c) {
        return SDL_Color{Uint8(c >> 16), Uint8(c >> 8), Uint8(c), Uint8(c >> 24)};
    }

    // The canvas puts texel centres on whole device pixels; SDL puts them half a pixel in.
    static SDL_Vertex Convert(const Vertex& v, bool textured) {
        const float shift = textured ? 0.5f : 0.0f;
        return SDL_Vertex{{v.x + shift, v.y + shift}, ColorOf(v.color), {v.u, v.v}};
    }

    void AddQuad(float x0, float y0, float x1, float y1, float x2, float y2, float x3, float y3,
                 SDL_Color a, SDL_Color b) {
        const int base = int(vertices_.size());
        vertices_.push_back(SDL_Vertex{{x0, y0}, a, {0, 0}});
        vertices_.push_back(SDL_Vertex{{x1, y1}, b, {0, 0}});
        vertices_.push_back(SDL_Vertex{{x2, y2}, b, {0, 0}});
        vertices_.push_back(SDL_Vertex{{x3, y3}, a, {0, 0}});
        for (int k : {0, 1, 2, 0, 2, 3}) indices_.push_back(base + k);
    }

    // Lines become one-pixel-wide quads so their two end colours blend along them.
    void AddLine(const Vertex& a, const Vertex& b) {
        const float ax = a.x + 0.5f, ay = a.y + 0.5f, bx = b.x + 0.5f, by = b.y + 0.5f;
        float dx = bx - ax, dy = by - ay;
        const float len = std::sqrt(dx * dx + dy * dy);
        if (len < 1e-4f) {
            AddPoint(a);
            return;
        }
        dx /= len;
        dy /= len;
        const float nx = -dy * 0.5f, ny = dx * 0.5f;
        AddQuad(ax + nx, ay + ny, bx + nx, by + ny, bx - nx, by - ny, ax - nx, ay - ny,
                ColorOf(a.color), ColorOf(b.color));
    }

    void AddPoint(const Vertex& p) {
        const float x = std::floor(p.x), y = std::floor(p.y);
        const SDL_Color c = ColorOf(p.color);
        AddQuad(x, y, x + 1, y, x + 1, y + 1, x, y + 1, c, c);
    }

    SDL_Window* window_;
    bool software_;
    RendererConfig config_;
    SDL_Renderer* renderer_ = nullptr;
    std::unique_ptr<SDL_Surface, SurfaceDeleter> surface_;
    std::map<TextureId, SDL_Texture*> textures_;
    mutable std::map<uint32_t, bool> blendSupport_;
    TextureId nextId_ = 1;
    std::vector<SDL_Vertex> vertices_;
    std::vector<int> indices_;
};

} // namespace

std::unique_ptr<Renderer> CreateWindowRenderer(SDL_Window* window) {
    return std::make_unique<SdlRenderer>(window, false);
}

std::unique_ptr<Renderer> CreateSoftwareRenderer() {
    return std::make_unique<SdlRenderer>(nullptr, true);
}

} // namespace platform::sdl
