#pragma once
#include "engine/GfxImage.h"
#include <memory>
#include <string_view>
#include <vector>

// The image list; owns its images.
class TGfxImages {
public:
    virtual ~TGfxImages() = default;

    int Count() const { return static_cast<int>(items_.size()); }
    TGfxImage* Items(int index) const;
    // First image whose name equals name ignoring case, or none.
    TGfxImage* Find(std::string_view name) const;
    TGfxImage* Add(std::unique_ptr<TGfxImage> image);
    TGfxImage* Add() { return Add(std::make_unique<TGfxImage>()); }
    void Remove(int index);
    void Clear() { items_.clear(); }

protected:
    std::vector<std::unique_ptr<TGfxImage>> items_;
};
