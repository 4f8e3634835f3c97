#include "engine/GfxImages.h"
#include "engine/GfxDb.h"
#include "engine/GfxImageUpload.h"
#include "engine/TextUtil.h"

TGfxImages::~TGfxImages() { Clear(); }

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
    if (index < 0 || index >= Count()) return;
    if (Publisher()) ReleaseImage(*items_[index], Publisher()->Renderer());
    items_.erase(items_.begin() + index);
}

void TGfxImages::Clear() {
    if (Publisher())
        for (auto& image : items_) ReleaseImage(*image, Publisher()->Renderer());
    items_.clear();
}

bool TGfxImages::Upload(TGfxImage& image) {
    return Publisher() && Publisher()->Running() && UploadImage(image, Publisher()->Renderer());
}

TGfxImage* TGfxImages::AddFromRecord(const std::string& name, const std::vector<uint8_t>& bytes) {
    auto record = ParseImageRecord(bytes.data(), bytes.size());
    if (!record) return nullptr;
    auto image = std::make_unique<TGfxImage>();
    if (!AssignImageRecord(*image, std::move(*record))) return nullptr;
    image->Name = name;
    TGfxImage* added = Add(std::move(image));
    if (Publisher() && Publisher()->Running() && !Upload(*added)) {
        Remove(Count() - 1);
        return nullptr;
    }
    return added;
}

bool TGfxImages::LoadFromResDb(TResDb& db) {
    if (!db.Ensure()) return false;
    for (int i = 0; i < db.RecordCount(); ++i) {
        if (db.RecordType(i) != kRecordImage) continue;
        const std::string key = db.RecordKey(i);
        std::vector<uint8_t> bytes;
        if (!db.ReadStream(key, bytes) || !AddFromRecord(key, bytes)) return false;
    }
    return true;
}

bool TGfxImages::DeviceMessage(int message) {
    switch (message) {
    case msgDeviceRelease:
        Clear();
        break;
    case msgDeviceLost:
        for (auto& image : items_) ReleaseImage(*image, Publisher()->Renderer());
        break;
    case msgDeviceReset:
        for (auto& image : items_) UploadImage(*image, Publisher()->Renderer());
        break;
    default:
        break;
    }
    return true;
}
