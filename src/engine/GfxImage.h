#pragma once
#include "engine/ImageRecord.h"
#include "platform/Renderer.h"
#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

// Where one pattern lies: its page and the drawn part in pixels and in texture units.
struct TPatternRect {
    int page = 0;
    int left = 0, top = 0, width = 0, height = 0; // pixels on the page
    float u0 = 0, v0 = 0, u1 = 0, v1 = 0;          // far edge at start + size - 0.5
};

// An image: equal-size pages cut into equal pattern cells, drawn by visible size.
class TGfxImage {
public:
    virtual ~TGfxImage() = default;

    std::string Name = "[unnamed]";
    int TextureWidth = 0, TextureHeight = 0, TextureCount = 0;
    int PatternWidth = 0, PatternHeight = 0;
    int VisibleWidth = 0, VisibleHeight = 0;
    int PatternCount = 0;
    int Quality = 2, AlphaLevel = 2;

    // Fills unset sizes from the texture size and checks texture >= pattern >= visible.
    // False leaves the image unusable.
    bool Prepare();

    int PerRow() const { return PatternWidth > 0 ? TextureWidth / PatternWidth : 0; }
    int PerColumn() const { return PatternHeight > 0 ? TextureHeight / PatternHeight : 0; }
    int PerPage() const { return int(std::min<int64_t>(int64_t(PerRow()) * PerColumn(), INT32_MAX)); }

    // Out-of-range patterns are clamped to the first or last one.
    int ClampPattern(int pattern) const;
    TPatternRect PatternRect(int pattern, bool mirrorX = false, bool mirrorY = false) const;

    // Reads a picture file (".tga", ".jpg"/".jpeg", ".png", else a bitmap) and cuts it into
    // cells of the pattern size on pages of the texture size, both set beforehand (unset
    // pattern and visible sizes come from the picture). The textures are made by the list.
    bool LoadFromFile(const std::string& fileName);

    // Pixels of every page, kept so textures can be rebuilt after the device resets.
    std::vector<TPixelPage> Pages;
    // One device texture per page while the device runs; 0 where a page has none.
    std::vector<platform::TextureId> Textures;
    platform::TextureId Texture(int page) const {
        return page >= 0 && page < int(Textures.size()) ? Textures[page] : 0;
    }
};
