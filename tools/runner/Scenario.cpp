#include "tools/runner/Scenario.h"
#include <charconv>
#include <sstream>

namespace {

bool Number(const std::string& word, int& value) {
    const char* end = word.data() + word.size();
    auto [p, ec] = std::from_chars(word.data(), end, value);
    return ec == std::errc() && p == end;
}

} // namespace

bool ParseScenario(std::istream& in, std::vector<TScenarioStep>& steps, std::string& error) {
    using K = TScenarioStep::Kind;
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        if (const size_t hash = line.find('#'); hash != std::string::npos) line.resize(hash);
        std::istringstream words(line);
        std::string command;
        if (!(words >> command)) continue;
        std::vector<std::string> args;
        for (std::string w; words >> w;) args.push_back(w);
        TScenarioStep step;
        step.line = number;
        auto fail = [&](const std::string& why) {
            error = "line " + std::to_string(number) + ": " + why;
            return false;
        };
        auto numbers = [&](size_t count, int* out[]) {
            if (args.size() != count) return false;
            for (size_t i = 0; i < count; ++i)
                if (!Number(args[i], *out[i])) return false;
            return true;
        };
        int* ab[] = {&step.a, &step.b};
        if (command == "goto") {
            if (!numbers(1, ab) || step.a < 0 || step.a > 255) return fail("goto needs a state");
            step.kind = K::Goto;
        } else if (command == "level" || command == "item") {
            const int top = command == "level" ? 16 : 8;
            if (!numbers(1, ab) || step.a < 1 || step.a > top)
                return fail(command + " needs a number 1.." + std::to_string(top));
            step.kind = command == "level" ? K::Level : K::Item;
        } else if (command == "autoplay") {
            if (!numbers(1, ab) || step.a < 0) return fail("autoplay needs a count of moves");
            step.kind = K::Autoplay;
        } else if (command == "hint") {
            if (!args.empty()) return fail("hint takes nothing");
            step.kind = K::Hint;
        } else if (command == "wait" || command == "keydown" || command == "keyup" || command == "key") {
            if (!numbers(1, ab)) return fail(command + " needs one number");
            if (command != "wait" && (step.a < 0 || step.a > 255))
                return fail("key codes are 0..255");
            if (command == "wait" && step.a < 0) return fail("wait needs a count of frames");
            step.kind = command == "wait"      ? K::Wait
                        : command == "keydown" ? K::KeyDown
                        : command == "keyup"   ? K::KeyUp
                                               : K::Key;
        } else if (command == "move" || command == "click") {
            if (!numbers(2, ab)) return fail(command + " needs X and Y");
            step.kind = command == "move" ? K::Move : K::Click;
        } else if (command == "press" || command == "release") {
            if (args.size() > 1 || (args.size() == 1 && args[0] != "left" && args[0] != "right"))
                return fail(command + " takes left or right");
            step.right = args.size() == 1 && args[0] == "right";
            step.kind = command == "press" ? K::Press : K::Release;
        } else if (command == "text") {
            const size_t start = line.find("text") + 5;
            step.text = start < line.size() ? line.substr(start) : "";
            step.kind = K::Text;
        } else if (command == "close" || command == "minimize") {
            if (!args.empty()) return fail(command + " takes nothing");
            step.kind = command == "close" ? K::Close : K::Minimize;
        } else if (command == "shot" || command == "dump") {
            if (args.size() != 1) return fail(command + " needs a file name");
            step.text = args[0];
            step.kind = command == "shot" ? K::Shot : K::Dump;
        } else {
            return fail("unknown command '" + command + "'");
        }
        steps.push_back(step);
    }
    return true;
}
