#pragma once
#include "engine/GfxDevice.h"
#include "engine/GfxImage.h"
#include <memory>
#include <string_view>
#include <vector>

class TResDb;

// The image list; owns its images and keeps their textures while the device runs.
class TGfxImages : public TGfxSubscriber {
public:
    explicit TGfxImages(TGfxDevice* device = nullptr) { SetPublisher(device); }
    ~TGfxImages() override;

    bool MipMappping = false; // sic: the property keeps its historical spelling

    int Count() const { return static_cast<int>(items_.size()); }
    TGfxImage* Items(int index) const;
    // First image whose name equals name ignoring case, or none.
    TGfxImage* Find(std::string_view name) const;
    TGfxImage* Add(std::unique_ptr<TGfxImage> image);
    TGfxImage* Add() { return Add(std::make_unique<TGfxImage>()); }
    void Remove(int index);
    void Clear();

    // Every image record, in record order, named after its key; false at the first image
    // that fails (which is not kept).
    bool LoadFromResDb(TResDb& db);
    // Loads one image record's bytes as a new image; none when the record is damaged.
    TGfxImage* AddFromRecord(const std::string& name, const std::vector<uint8_t>& bytes);
    // Creates the textures of an image added by hand (a loaded picture, say).
    bool Upload(TGfxImage& image);

    bool DeviceMessage(int message) override;

protected:
    std::vector<std::unique_ptr<TGfxImage>> items_;
};
