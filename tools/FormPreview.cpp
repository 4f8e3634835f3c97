#include "tools/FormPreview.h"
#include "engine/GfxFonts.h"
#include "engine/GuiControls.h"
#include <cmath>
#include <cstdlib>

namespace {

bool ParseNumber(const std::string& text, float& out) {
    if (text.empty()) return false;
    char* end = nullptr;
    out = std::strtof(text.c_str(), &end);
    return *end == '\0';
}

bool ParsePicture(const std::string& word, TPreviewPicture& p, std::string& error) {
    error = "picture \"" + word + "\": write @IMAGE=X,Y[,SCALEX[,SCALEY]][:PATTERN]";
    const size_t eq = word.find('=');
    if (eq == std::string::npos || eq < 2) return false;
    p.Image = word.substr(1, eq - 1);
    std::string place = word.substr(eq + 1);
    if (const size_t colon = place.find(':'); colon != std::string::npos) {
        float pattern;
        if (!ParseNumber(place.substr(colon + 1), pattern) || pattern < 0) return false;
        p.Pattern = int(pattern);
        place.resize(colon);
    }
    std::vector<std::string> parts;
    for (size_t start = 0;;) {
        const size_t comma = place.find(',', start);
        parts.push_back(place.substr(start, comma - start));
        if (comma == std::string::npos) break;
        start = comma + 1;
    }
    if (parts.size() < 2 || parts.size() > 4) return false;
    if (!ParseNumber(parts[0], p.X) || !ParseNumber(parts[1], p.Y)) return false;
    if (parts.size() >= 3 && (!ParseNumber(parts[2], p.ScaleX) || p.ScaleX <= 0)) return false;
    p.ScaleY = p.ScaleX;
    if (parts.size() == 4 && (!ParseNumber(parts[3], p.ScaleY) || p.ScaleY <= 0)) return false;
    error.clear();
    return true;
}

std::string StepName(const std::string& step) {
    if (step[0] == '-' || step[0] == '~' || step[0] == '!') return step.substr(1);
    if (step.find('=') == std::string::npos) return step.substr(0, step.find('^'));
    return step.substr(0, step.find('='));
}

bool IsCentring(const std::string& step) {
    return step.find('=') == std::string::npos && step.find('^') != std::string::npos;
}

void SetText(TGuiControl& control, std::string text) {
    if (control.FindProperty("Text")) {
        control.SetPropertyByName("Text", text);
    } else if (control.FindProperty("Caption")) {
        control.SetPropertyByName("Caption", text);
    } else if (control.FindProperty("Items")) {
        for (size_t at; (at = text.find('|')) != std::string::npos;) text.replace(at, 1, "\r\n");
        control.SetPropertyByName("Items", text);
    }
}

} // namespace

bool ParseFormPreview(const std::vector<std::string>& words, TFormPreview& out,
                      std::string& error) {
    out = {};
    bool overGui = false;
    for (const std::string& word : words) {
        if (word.empty()) continue;
        if (word == "^") {
            overGui = true;
            continue;
        }
        if (word[0] == '@') {
            TPreviewPicture p;
            if (!ParsePicture(word, p, error)) return false;
            p.OverGui = overGui;
            out.Pictures.push_back(p);
            continue;
        }
        if (StepName(word).empty()) {
            error = "step \"" + word + "\" names no control";
            return false;
        }
        float x;
        if (IsCentring(word) && !ParseNumber(word.substr(word.find('^') + 1), x)) {
            error = "step \"" + word + "\": write NAME^X";
            return false;
        }
        out.Steps.push_back(word);
    }
    return true;
}

bool ApplyFormPreview(const TFormPreview& preview, TGuiTaskbar& root, std::string& error) {
    root.SetBounds({0, 0, 800, 600});
    // Hovering needs the final layout, so the mouse moves once everything else is set.
    std::vector<TGuiControl*> hovered;
    for (const std::string& step : preview.Steps) {
        const std::string name = StepName(step);
        TGuiControl* control = root.FindControl(name);
        if (!control) {
            error = "no control \"" + name + "\"";
            return false;
        }
        if (step[0] == '-') {
            control->Hide();
        } else if (step[0] == '~') {
            hovered.push_back(control);
        } else if (step[0] == '!') {
            control->SetEnabled(false);
        } else if (IsCentring(step)) {
            float x = 0;
            ParseNumber(step.substr(step.find('^') + 1), x);
            const std::string text = control->GetPropertyByName("Text").ToString();
            TGfxFont* font = control->Font.Prepare(root.Context.Fonts);
            const float width = font ? font->TextWidth(text) : 0;
            control->SetLeft(int(std::lround(x - width / 2)));
        } else if (const size_t eq = step.find('='); eq != std::string::npos) {
            SetText(*control, step.substr(eq + 1));
        } else {
            control->Show();
            control->BringToFront();
        }
    }
    for (TGuiControl* control : hovered) {
        const TIntRect r = control->ScreenRect();
        root.MouseMove({(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2}, 0);
    }
    return true;
}
