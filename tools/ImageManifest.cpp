#include "tools/ImageManifest.h"
#include <fstream>
#include <nlohmann/json.hpp>

using nlohmann::json;

namespace {

bool ReadPair(const json& j, const char* key, int& a, int& b, std::string& error) {
    if (!j.contains(key)) return true;
    const json& v = j[key];
    if (!v.is_array() || v.size() != 2 || !v[0].is_number_integer() || !v[1].is_number_integer()) {
        error = std::string("\"") + key + "\" must be [width, height]";
        return false;
    }
    a = v[0].get<int>();
    b = v[1].get<int>();
    return true;
}

uint32_t ParseColour(const json& v, std::string& error) {
    if (!v.is_string()) {
        error = "a colour must be \"#rrggbb\"";
        return 0xFFFFFF;
    }
    const std::string s = v.get<std::string>();
    if (s.size() != 7 || s[0] != '#') {
        error = "a colour must be \"#rrggbb\", not \"" + s + "\"";
        return 0xFFFFFF;
    }
    try {
        return uint32_t(std::stoul(s.substr(1), nullptr, 16));
    } catch (...) {
        error = "bad colour \"" + s + "\"";
        return 0xFFFFFF;
    }
}

bool ReadTransform(const json& t, TImageEntry& entry, std::string& error) {
    auto range = [&](const char* key, double& from, double& to) {
        if (!t.contains(key)) return true;
        const json& v = t[key];
        if (v.is_number()) {
            from = to = v.get<double>();
            return true;
        }
        if (!v.is_array() || v.size() != 2 || !v[0].is_number() || !v[1].is_number()) {
            error = std::string("transform \"") + key + "\" must be a number or [from, to]";
            return false;
        }
        from = v[0].get<double>();
        to = v[1].get<double>();
        return true;
    };
    if (!range("rotate", entry.from.rotate, entry.to.rotate)) return false;
    if (!range("scale", entry.from.scaleX, entry.to.scaleX)) return false;
    if (t.contains("scale")) entry.from.scaleY = entry.from.scaleX, entry.to.scaleY = entry.to.scaleX;
    if (!range("scaleX", entry.from.scaleX, entry.to.scaleX)) return false;
    if (!range("scaleY", entry.from.scaleY, entry.to.scaleY)) return false;
    if (!range("offsetX", entry.from.offsetX, entry.to.offsetX)) return false;
    if (!range("offsetY", entry.from.offsetY, entry.to.offsetY)) return false;
    if (!range("alpha", entry.from.alpha, entry.to.alpha)) return false;
    if (t.contains("tint")) {
        const json& v = t["tint"];
        if (v.is_array() && v.size() == 2) {
            entry.from.tint = ParseColour(v[0], error);
            entry.to.tint = ParseColour(v[1], error);
        } else {
            entry.from.tint = entry.to.tint = ParseColour(v, error);
        }
        if (!error.empty()) return false;
    }
    return true;
}

bool ValidArchive(const std::string& a) {
    return a == "data.fgg" || a == "gdata.fgg" || a == "data1.fgg";
}

} // namespace

TFrameTransform FrameAt(const TImageEntry& entry, int index) {
    const double k = entry.count > 1 ? double(index) / double(entry.count - 1) : 0.0;
    auto mix = [k](double a, double b) { return a + (b - a) * k; };
    TFrameTransform t;
    t.rotate = mix(entry.from.rotate, entry.to.rotate);
    t.scaleX = mix(entry.from.scaleX, entry.to.scaleX);
    t.scaleY = mix(entry.from.scaleY, entry.to.scaleY);
    t.offsetX = mix(entry.from.offsetX, entry.to.offsetX);
    t.offsetY = mix(entry.from.offsetY, entry.to.offsetY);
    t.alpha = mix(entry.from.alpha, entry.to.alpha);
    uint32_t tint = 0;
    for (int shift : {16, 8, 0}) {
        const double c = mix((entry.from.tint >> shift) & 0xFF, (entry.to.tint >> shift) & 0xFF);
        tint |= uint32_t(std::lround(c)) << shift;
    }
    t.tint = tint;
    return t;
}

bool LoadAssetManifest(const std::string& path, TAssetManifest& out, std::string& error) {
    std::ifstream in(path);
    if (!in) {
        error = path + ": cannot open";
        return false;
    }
    json root;
    try {
        root = json::parse(in, nullptr, true, true);
    } catch (const json::parse_error& e) {
        error = path + ": " + e.what();
        return false;
    }
    if (!root.is_object()) {
        error = path + ": the manifest must be an object";
        return false;
    }
    const json images = root.value("images", json::array());
    for (size_t i = 0; i < images.size(); ++i) {
        const json& j = images[i];
        TImageEntry entry;
        const std::string where = path + ": image " + std::to_string(i);
        if (!j.is_object() || !j.contains("name") || !j["name"].is_string()) {
            error = where + ": needs a \"name\"";
            return false;
        }
        entry.name = j["name"].get<std::string>();
        entry.line = where + " (" + entry.name + ")";
        entry.archive = j.value("archive", std::string("data.fgg"));
        if (!ValidArchive(entry.archive)) {
            error = entry.line + ": unknown archive \"" + entry.archive + "\"";
            return false;
        }
        std::string e;
        if (!ReadPair(j, "pattern", entry.patternWidth, entry.patternHeight, e) ||
            !ReadPair(j, "visible", entry.visibleWidth, entry.visibleHeight, e) ||
            !ReadPair(j, "texture", entry.textureWidth, entry.textureHeight, e)) {
            error = entry.line + ": " + e;
            return false;
        }
        if (entry.patternWidth <= 0 || entry.patternHeight <= 0) {
            error = entry.line + ": needs a positive \"pattern\" size";
            return false;
        }
        if (j.contains("frames")) {
            for (const json& f : j["frames"]) {
                if (!f.is_string()) {
                    error = entry.line + ": \"frames\" must list file names";
                    return false;
                }
                entry.frames.push_back(f.get<std::string>());
            }
            entry.count = int(entry.frames.size());
        } else if (j.contains("source") && j["source"].is_string()) {
            entry.source = j["source"].get<std::string>();
            entry.count = j.value("count", 1);
            if (j.contains("transform") && !ReadTransform(j["transform"], entry, e)) {
                error = entry.line + ": " + e;
                return false;
            }
        } else {
            error = entry.line + ": needs \"frames\" or \"source\"";
            return false;
        }
        if (entry.count <= 0 || entry.count > 4096) {
            error = entry.line + ": frame count out of range";
            return false;
        }
        out.images.push_back(std::move(entry));
    }
    const json fonts = root.value("fonts", json::array());
    for (size_t i = 0; i < fonts.size(); ++i) {
        const json& j = fonts[i];
        const std::string where = path + ": font " + std::to_string(i);
        if (!j.is_object() || !j.contains("name") || !j.contains("ttf")) {
            error = where + ": needs \"name\" and \"ttf\"";
            return false;
        }
        TFontEntry f;
        f.name = j["name"].get<std::string>();
        f.archive = j.value("archive", std::string("data.fgg"));
        f.ttf = j["ttf"].get<std::string>();
        f.pixelSize = j.value("size", 20);
        f.outline = j.value("outline", 0);
        f.spacing = j.value("spacing", 0);
        if (!ValidArchive(f.archive) || f.pixelSize < 4 || f.pixelSize > 200 || f.outline < 0 ||
            f.outline > 8) {
            error = where + " (" + f.name + "): archive, size or outline out of range";
            return false;
        }
        out.fonts.push_back(std::move(f));
    }
    return true;
}
