#include "tools/FormCompiler.h"
#include "engine/TextUtil.h"
#include "platform/Cp1252.h"
#include <cmath>
#include <cstring>
#include <fstream>
#include <nlohmann/json.hpp>

// Property order is kept as written: the reader applies properties in file order.
using json = nlohmann::ordered_json;

namespace {

enum : uint8_t { kTypeInteger = 0, kTypeString = 2, kTypeFill = 4, kTypeFont = 5 };

struct Writer {
    std::vector<uint8_t>& out;
    void U8(uint8_t v) { out.push_back(v); }
    void I32(int64_t v) {
        const auto u = uint32_t(v);
        for (int i = 0; i < 4; ++i) out.push_back(uint8_t(u >> (8 * i)));
    }
    void F64(double v) {
        uint64_t u;
        std::memcpy(&u, &v, 8);
        for (int i = 0; i < 8; ++i) out.push_back(uint8_t(u >> (8 * i)));
    }
    void Str(const std::string& s) {
        I32(int64_t(s.size()));
        out.insert(out.end(), s.begin(), s.end());
    }
};

bool Colour(const json& v, uint32_t& out, std::string& error) {
    if (v.is_number_integer()) {
        out = uint32_t(v.get<int64_t>());
        return true;
    }
    if (!v.is_string()) {
        error = "a colour must be \"#AARRGGBB\"";
        return false;
    }
    const std::string s = v.get<std::string>();
    if (s.size() != 9 || s[0] != '#') {
        error = "a colour must be \"#AARRGGBB\", not \"" + s + "\"";
        return false;
    }
    char* end = nullptr;
    const unsigned long x = std::strtoul(s.c_str() + 1, &end, 16);
    if (*end != '\0') {
        error = "bad colour \"" + s + "\"";
        return false;
    }
    const uint32_t a = (x >> 24) & 0xFF, r = (x >> 16) & 0xFF, g = (x >> 8) & 0xFF, b = x & 0xFF;
    out = r | g << 8 | b << 16 | a << 24;
    return true;
}

struct Compiler {
    const TAssetManifest& manifest;
    Writer w;
    std::string error;

    bool Value(const std::string& name, const json& v, std::string& text) {
        if (v.is_string()) {
            text = v.get<std::string>();
            if (!text.empty() && text[0] == '@') {
                const int index = GameImageIndex(manifest, text.substr(1));
                if (index < 0) {
                    error = "property " + name + ": no image \"" + text.substr(1) + "\"";
                    return false;
                }
                text = std::to_string(index);
            } else if (text.size() == 9 && text[0] == '#') {
                uint32_t c;
                if (!Colour(v, c, error)) return false;
                text = std::to_string(c);
            } else {
                // The sources are UTF-8; the game's text is Windows-1252.
                text = platform::Utf8ToCp1252(text);
            }
        } else if (v.is_boolean()) {
            text = v.get<bool>() ? "True" : "False";
        } else if (v.is_number_integer()) {
            text = std::to_string(v.get<int64_t>());
        } else if (v.is_array()) {
            // String lists travel as lines separated by CR LF.
            text.clear();
            for (size_t i = 0; i < v.size(); ++i) {
                if (!v[i].is_string()) {
                    error = "property " + name + ": a list holds strings";
                    return false;
                }
                if (i) text += "\r\n";
                text += platform::Utf8ToCp1252(v[i].get<std::string>());
            }
        } else {
            error = "property " + name + ": unsupported value";
            return false;
        }
        return true;
    }

    bool Fill(const std::string& name, const json& v) {
        const json colors = v.value("colors", json::array());
        uint32_t c[4] = {0xFFD0D0D0, 0xFFD0D0D0, 0xFFD0D0D0, 0xFFD0D0D0};
        if (colors.size() == 1) {
            if (!Colour(colors[0], c[0], error)) return false;
            c[1] = c[2] = c[3] = c[0];
        } else if (colors.size() == 2) { // top and bottom
            if (!Colour(colors[0], c[0], error) || !Colour(colors[1], c[2], error)) return false;
            c[1] = c[0];
            c[3] = c[2];
        } else if (colors.size() == 4) {
            for (int i = 0; i < 4; ++i)
                if (!Colour(colors[i], c[i], error)) return false;
        } else if (!colors.empty()) {
            error = "fill " + name + ": give 1, 2 or 4 colours";
            return false;
        }
        w.Str(name);
        w.U8(kTypeFill);
        for (uint32_t x : c) w.I32(x);
        w.U8(v.value("drawn", true) ? 1 : 0);
        return true;
    }

    bool Font(const std::string& name, const json& v) {
        uint32_t top = 0xFFA0A0A0, bottom = 0xFFFFFFFF;
        if (v.contains("top") && !Colour(v["top"], top, error)) return false;
        if (v.contains("bottom") && !Colour(v["bottom"], bottom, error)) return false;
        if (v.contains("color")) {
            if (!Colour(v["color"], top, error)) return false;
            bottom = top;
        }
        w.Str(name);
        w.U8(kTypeFont);
        w.I32(v.value("index", 0));
        w.I32(top);
        w.I32(bottom);
        w.F64(v.value("scale", 1.0));
        w.U8(uint8_t(v.value("style", 0)));
        w.F64(v.value("interleave", 0.0));
        return true;
    }

    bool Control(const json& c, const std::string& where) {
        if (!c.is_object() || !c.contains("class") || !c["class"].is_string()) {
            error = where + ": a control needs a \"class\"";
            return false;
        }
        w.Str(c["class"].get<std::string>());
        const json props = c.value("props", json::object());
        w.I32(int64_t(props.size()));
        for (auto it = props.begin(); it != props.end(); ++it) {
            const std::string& name = it.key();
            const json& v = it.value();
            const std::string at = where + " " + props.value("Name", std::string("?"));
            if (v.is_object() && v.contains("index")) {
                if (!Font(name, v)) return Fail(at);
            } else if (v.is_object()) {
                if (!Fill(name, v)) return Fail(at);
            } else {
                std::string text;
                if (!Value(name, v, text)) return Fail(at);
                w.Str(name);
                w.U8(kTypeString);
                w.Str(text);
            }
        }
        return List(c.value("children", json::array()), where);
    }

    bool List(const json& list, const std::string& where) {
        if (!list.is_array()) {
            error = where + ": \"children\" must be a list";
            return false;
        }
        w.I32(int64_t(list.size()));
        for (const json& c : list)
            if (!Control(c, where)) return false;
        return true;
    }

    bool Fail(const std::string& at) {
        error = at + ": " + error;
        return false;
    }
};

} // namespace

int GameImageIndex(const TAssetManifest& manifest, const std::string& name) {
    int index = 0;
    for (const char* archive : {"data.fgg", "gdata.fgg", "data1.fgg"})
        for (const TImageEntry& entry : manifest.images) {
            if (entry.archive != archive) continue;
            if (SameText(entry.name, name)) return index;
            ++index;
        }
    return -1;
}

bool CompileForms(const std::vector<std::string>& jsonPaths, const TAssetManifest& manifest,
                  std::vector<uint8_t>& out, std::string& error) {
    json all = json::array();
    for (const std::string& path : jsonPaths) {
        std::ifstream in(path);
        if (!in) {
            error = path + ": cannot open";
            return false;
        }
        try {
            const json doc = json::parse(in, nullptr, true, true);
            for (const json& c : doc.value("controls", json::array())) all.push_back(c);
        } catch (const json::exception& e) {
            error = path + ": " + e.what();
            return false;
        }
    }
    out.clear();
    Compiler compiler{manifest, Writer{out}, {}};
    if (!compiler.List(all, "forms")) {
        error = compiler.error;
        return false;
    }
    return true;
}
