#include "screens/HowToPlayPages.h"
#include "screens/ControlLookup.h"
#include <string>

namespace {

// The first page's two broken words ("o" lost at a line break, a stray letter in "or") are
// mended; the rest is the game's text as it has always been.
constexpr std::array<std::array<std::string_view, 3>, HowToPlayPageCount> kPages{{
    {"Compose the lines of three or more equal elements horizontally ",
     "or vertically to terminate the bacteria. Transpose two neighboring fishes by ",
     "clicking the neighboring units."},
    {"For passing every level you need to invent a special mistura and fill the flask.",
     "  Destruct the bacteria to set free the molecules in them. ",
     "You need these molecules to create the mixtura. "},
    {"\tCollect magic coins, you may exchange them for super bonuses!", "", ""},
    {"\tArrange with this fish a group of three or more fishes of the same colour to get the "
     "bonus.",
     "", ""},
}};
constexpr std::array<std::string_view, 3> kNone{"", "", ""};

} // namespace

const std::array<std::string_view, 3>& HowToPlayLines(int page) {
    return page >= 0 && page < HowToPlayPageCount ? kPages[size_t(page)] : kNone;
}

void ShowHowToPlayPage(TGuiControl& root, int page) {
    const auto& lines = HowToPlayLines(page);
    for (size_t i = 0; i < lines.size(); ++i)
        SetLabelText(root, "Label" + std::to_string(i + 3), std::string(lines[i]));
}
