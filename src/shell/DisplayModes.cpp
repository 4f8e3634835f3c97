#include "shell/DisplayModes.h"

namespace {

bool Smaller(const TDisplayModeEntry& a, const TDisplayModeEntry& b) {
    return a.Width() < b.Width() || (a.Width() == b.Width() && a.Height() < b.Height());
}

} // namespace

std::vector<TDisplayModeEntry> BuildDisplayModes(const std::vector<platform::DisplayMode>& modes) {
    std::vector<TDisplayModeEntry> list;
    for (const platform::DisplayMode& m : modes) {
        if (m.width <= 0 || m.height <= 0 || m.width > 0xFFFF || m.height > 0x7FFF) continue;
        TDisplayModeEntry e{std::to_string(m.width) + "x" + std::to_string(m.height),
                            int32_t(m.width) + int32_t(m.height) * 65536};
        if (FindDisplayMode(list, e.text) < 0) list.push_back(e);
    }
    // Each entry moves in front of the first earlier entry smaller than itself: an insertion
    // sort that leaves the largest mode first.
    for (size_t i = 0; i < list.size(); ++i)
        for (size_t j = 0; j < i; ++j)
            if (Smaller(list[j], list[i])) {
                TDisplayModeEntry moved = list[i];
                list.erase(list.begin() + long(i));
                list.insert(list.begin() + long(j), moved);
                break;
            }
    return list;
}

int FindDisplayMode(const std::vector<TDisplayModeEntry>& list, const std::string& text) {
    for (size_t i = 0; i < list.size(); ++i)
        if (list[i].text == text) return int(i);
    return -1;
}
