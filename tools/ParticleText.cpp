#include "tools/ParticleText.h"
#include "engine/TextUtil.h"
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>

namespace {

std::string Trim(const std::string& s) {
    const size_t a = s.find_first_not_of(" \t\r");
    if (a == std::string::npos) return {};
    const size_t b = s.find_last_not_of(" \t\r");
    return s.substr(a, b - a + 1);
}

bool ParseNumber(const std::string& v, double& out) {
    std::string s = v;
    double factor = 1.0;
    if (EndsWithText(s, "deg")) {
        s = Trim(s.substr(0, s.size() - 3));
        factor = M_PI / 180.0;
    }
    if (s.empty()) return false;
    char* end = nullptr;
    if (s[0] == '$') {
        const unsigned long x = std::strtoul(s.c_str() + 1, &end, 16);
        if (s.size() == 1 || *end != '\0') return false;
        out = double(x);
        return true;
    }
    out = std::strtod(s.c_str(), &end) * factor;
    return *end == '\0' && std::isfinite(out);
}

bool ParseColour(const std::string& v, uint32_t& out) {
    if ((v.size() != 7 && v.size() != 9) || v[0] != '#') return false;
    char* end = nullptr;
    const unsigned long x = std::strtoul(v.c_str() + 1, &end, 16);
    if (*end != '\0') return false;
    uint32_t r, g, b, a = 255;
    if (v.size() == 7) {
        r = (x >> 16) & 0xFF, g = (x >> 8) & 0xFF, b = x & 0xFF;
    } else {
        r = (x >> 24) & 0xFF, g = (x >> 16) & 0xFF, b = (x >> 8) & 0xFF, a = x & 0xFF;
    }
    out = r | g << 8 | b << 16 | a << 24; // red in the low byte, as the game stores colours
    return true;
}

bool ParseBlend(const std::string& v, uint32_t& out) {
    static const std::map<std::string, uint32_t> names = {
        {"opaque", 0x0001}, {"blend", 0x0504}, {"add", 0x0104},
        {"multiply", 0x0008}, {"screen", 0x0301}};
    const auto it = names.find(LowerCase(v));
    if (it != names.end()) {
        out = it->second;
        return true;
    }
    double d;
    if (!ParseNumber(v, d) || d < 0 || d > 0xFFFFFFFF) return false;
    out = uint32_t(d);
    return true;
}

} // namespace

bool ParseParticleText(const std::string& text, const std::string& fileName,
                       TParticleScript& out, std::string& error) {
    TParticleScript s;
    using Setter = std::function<bool(const std::string&)>;
    auto f = [](float& field) {
        return Setter([&field](const std::string& v) {
            double d;
            if (!ParseNumber(v, d)) return false;
            field = float(d);
            return true;
        });
    };
    auto i = [](int32_t& field) {
        return Setter([&field](const std::string& v) {
            double d;
            if (!ParseNumber(v, d) || d != std::floor(d) || std::fabs(d) > 2e9) return false;
            field = int32_t(d);
            return true;
        });
    };
    auto b = [](uint8_t& field) {
        return Setter([&field](const std::string& v) {
            const std::string l = LowerCase(v);
            if (l == "1" || l == "true" || l == "yes") field = 1;
            else if (l == "0" || l == "false" || l == "no") field = 0;
            else return false;
            return true;
        });
    };
    auto c = [](uint32_t& field) {
        return Setter([&field](const std::string& v) { return ParseColour(v, field); });
    };
    const std::map<std::string, Setter> fields = {
        {"patternstart", i(s.PatternStart)}, {"patternend", i(s.PatternEnd)},
        {"drawfx", Setter([&s](const std::string& v) { return ParseBlend(v, s.DrawFx); })},
        {"emitrate", i(s.EmitRate)},         {"systemlife", f(s.SystemLife)},
        {"lifemin", f(s.LifeMin)},           {"lifemax", f(s.LifeMax)},
        {"direction", f(s.Direction)},       {"spread", f(s.Spread)},
        {"relative", b(s.Relative)},         {"speedmin", f(s.SpeedMin)},
        {"speedmax", f(s.SpeedMax)},         {"gravitymin", f(s.GravityMin)},
        {"gravitymax", f(s.GravityMax)},     {"radialmin", f(s.RadialMin)},
        {"radialmax", f(s.RadialMax)},       {"tangentialmin", f(s.TangentialMin)},
        {"tangentialmax", f(s.TangentialMax)}, {"sizestart", f(s.SizeStart)},
        {"sizemiddle", f(s.SizeMiddle)},     {"sizeend", f(s.SizeEnd)},
        {"sizevar", f(s.SizeVar)},           {"spinstart", f(s.SpinStart)},
        {"spinmiddle", f(s.SpinMiddle)},     {"spinend", f(s.SpinEnd)},
        {"spinvar", f(s.SpinVar)},           {"colorstart", c(s.ColorStart)},
        {"colormiddle", c(s.ColorMiddle)},   {"colorend", c(s.ColorEnd)},
        {"colorvar", f(s.ColorVar)},         {"alphavar", f(s.AlphaVar)},
        {"middletime", f(s.MiddleTime)},     {"drawreverse", b(s.DrawReverse)},
    };
    std::istringstream in(text);
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        const std::string t = Trim(line);
        if (t.empty() || t[0] == '#' || t[0] == ';') continue;
        const size_t eq = t.find('=');
        const std::string where = fileName + ":" + std::to_string(number) + ": ";
        if (eq == std::string::npos) {
            error = where + "expected \"Field = value\"";
            return false;
        }
        const std::string key = LowerCase(Trim(t.substr(0, eq)));
        const std::string value = Trim(t.substr(eq + 1));
        const auto it = fields.find(key);
        if (it == fields.end()) {
            error = where + "unknown field \"" + Trim(t.substr(0, eq)) + "\"";
            return false;
        }
        if (!it->second(value)) {
            error = where + "bad value \"" + value + "\"";
            return false;
        }
    }
    out = s;
    return true;
}

bool LoadParticleText(const std::string& path, TParticleScript& out, std::string& error) {
    std::ifstream in(path);
    if (!in) {
        error = path + ": cannot open";
        return false;
    }
    std::stringstream ss;
    ss << in.rdbuf();
    return ParseParticleText(ss.str(), path, out, error);
}
