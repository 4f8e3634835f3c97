#include "engine/GuiForms.h"
#include "engine/GuiControls.h"
#include "engine/GuiRegistry.h"
#include <cstring>
#include <fstream>
#include <vector>

namespace {

class TFormReader {
public:
    enum class TResult { Done, UnknownClass, Failed };

    TFormReader(const uint8_t* data, size_t size) : p_(data), left_(size) {}

    TResult ChildList(TGuiControl& parent, int depth) {
        if (depth > kMaxFormDepth) return TResult::Failed;
        int32_t count;
        if (!I32(count) || count < 0) return TResult::Failed;
        for (int32_t i = 0; i < count; ++i) {
            std::string className;
            if (!Str(className)) return TResult::Failed;
            if (controls_ >= kMaxFormControls) return TResult::Failed;
            TGuiControl* control = TGuiRegistry::Instance().CreateControl(className, &parent);
            // Its properties and children cannot be skipped, so nothing after it is read.
            if (!control) return TResult::UnknownClass;
            ++controls_;
            if (!Properties(*control)) return TResult::Failed;
            const TResult children = ChildList(*control, depth + 1);
            if (children != TResult::Done) return TResult::Failed;
        }
        return TResult::Done;
    }

private:
    bool Properties(TGuiControl& control) {
        int32_t count;
        if (!I32(count) || count < 0) return false;
        for (int32_t i = 0; i < count; ++i) {
            std::string name;
            uint8_t type;
            if (!Str(name) || !U8(type)) return false;
            if (type == ptFill) {
                TGuiFill fill;
                for (int c = 0; c < 4; ++c) {
                    int32_t color;
                    if (!I32(color)) return false;
                    fill.SetColors(c, TGfxColor(uint32_t(color)));
                }
                uint8_t drawn;
                if (!U8(drawn)) return false;
                fill.Drawn = drawn != 0;
                if (TGuiFill* own = control.GetFillByName(name)) *own = fill;
            } else if (type == ptFont) {
                TGuiFont font;
                int32_t index, top, bottom;
                uint8_t style;
                if (!I32(index) || !I32(top) || !I32(bottom) || !F64(font.Scale) || !U8(style) ||
                    !F64(font.Interleave))
                    return false;
                font.FontIndex = index;
                font.TopColor = TGfxColor(uint32_t(top));
                font.BottomColor = TGfxColor(uint32_t(bottom));
                font.Style = style;
                if (TGuiFont* own = control.GetFontByName(name)) *own = font;
            } else {
                std::string value;
                if (!Str(value)) return false;
                if (!control.SetPropertyByName(name, TGuiVariant(std::move(value)))) return false;
            }
        }
        return true;
    }

    bool Take(void* out, size_t n) {
        if (left_ < n) return false;
        std::memcpy(out, p_, n);
        p_ += n;
        left_ -= n;
        return true;
    }
    bool U8(uint8_t& v) { return Take(&v, 1); }
    bool I32(int32_t& v) {
        uint8_t b[4];
        if (!Take(b, 4)) return false;
        v = int32_t(uint32_t(b[0]) | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16 |
                    uint32_t(b[3]) << 24);
        return true;
    }
    bool F64(double& v) {
        uint8_t b[8];
        if (!Take(b, 8)) return false;
        uint64_t u = 0;
        for (int i = 7; i >= 0; --i) u = u << 8 | b[i];
        std::memcpy(&v, &u, 8);
        return true;
    }
    // The length is checked against the bytes left before anything is allocated.
    bool Str(std::string& s) {
        int32_t length;
        if (!I32(length) || length < 0 || size_t(length) > left_) return false;
        s.assign(reinterpret_cast<const char*>(p_), size_t(length));
        p_ += length;
        left_ -= size_t(length);
        return true;
    }

    const uint8_t* p_;
    size_t left_;
    int controls_ = 0;
};

} // namespace

bool ReadGuiForms(TGuiControl& parent, const uint8_t* data, size_t size) {
    TFormReader reader(data, size);
    return reader.ChildList(parent, 0) != TFormReader::TResult::Failed;
}

bool LoadGuiForms(TGuiControl& parent, const std::string& fileName) {
    std::ifstream in(fileName, std::ios::binary);
    if (!in) return false;
    in.seekg(0, std::ios::end);
    const std::streamoff size = in.tellg();
    if (size < 0 || uint64_t(size) > kMaxFormFileSize) return false;
    in.seekg(0, std::ios::beg);
    std::vector<uint8_t> bytes(static_cast<size_t>(size));
    if (size > 0 && !in.read(reinterpret_cast<char*>(bytes.data()), size)) return false;
    return ReadGuiForms(parent, bytes.data(), bytes.size());
}
