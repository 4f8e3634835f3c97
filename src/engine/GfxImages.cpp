#include "engine/GfxImages.h"
#include "engine/TextUtil.h"

TGfxImage* TGfxImages::Items(int index) const {
    if (index < 0 || index >= Count()) return nullptr;
    return items_[index].get();
}

TGfxImage* TGfxImages::Find(std::string_view name) const {
    for (const auto& image : items_)
        if (SameText(image->Name, name)) return image.get();
    return nullptr;
}

TGfxImage* TGfxImages::Add(std::unique_ptr<TGfxImage> image) {
    items_.push_back(std::move(image));
    return items_.back().get();
}

void TGfxImages::Remove(int index) {
    if (index >= 0 && index < Count()) items_.erase(items_.begin() + index);
}
