#include "shell/FrameRecipe.h"

using S = TFrameStep;

bool DrawsMenuBack(uint8_t state) {
    switch (state) {
    case 1: case 7: case 8: case 9: case 10: case 11: case 19: case 20: case 21: case 26:
    case 27: case 28:
        return true;
    default:
        return false;
    }
}

std::vector<TFrameStep> FrameRecipe(uint8_t state, const TFrameContext& c) {
    std::vector<TFrameStep> steps;
    // The menu wall goes under everything: drawn before the frame it would be cleared away.
    if (c.menuBack) steps.push_back(S::MenuBack);
    auto add = [&](std::initializer_list<TFrameStep> more) {
        steps.insert(steps.end(), more.begin(), more.end());
    };
    switch (state) {
    case 0:
        add({S::BackOpaque, S::Collide, S::Free, S::Draw, S::Overlay, S::CursorMove, S::Gui,
             S::Advance, S::Cursor});
        break;
    case 3:
        add({S::Collide, S::Free, S::Draw, S::Move, S::Advance, S::Effects, S::Cursor});
        break;
    case 7:
        add({S::Collide, S::Free, S::Draw, S::Move, S::Gui, S::HelpPage, S::AdvanceFixed,
             S::Effects, S::Cursor});
        break;
    case 13:
    case 29:
        add({S::BackOpaque, S::Collide, S::Free, S::Draw, S::Move, S::Gui, S::Cursor, S::Advance,
             S::Banner, S::Effects});
        break;
    case 14:
        add({S::BackOpaque, S::Collide, S::Free, S::Draw, S::Move, S::Gui, S::Advance,
             S::Effects});
        break;
    case 16:
        add({S::BackOpaque, S::Collide, S::Free, S::Draw, S::Move, S::Gui, S::Advance, S::Effects,
             S::CursorIfVisible});
        break;
    case 18:
        add({S::BackOpaque, S::Collide, S::Free, S::Draw, S::CursorMove, S::Gui, S::Advance,
             S::PauseText, S::Overlay, S::Cursor});
        break;
    case 23:
    case 24:
    case 31:
        if (c.finalPictureShown)
            add({S::FinalPicture, S::Gui, S::CursorMove, S::Advance, S::Cursor});
        else
            add({S::BackOpaque, S::Collide, S::Free, S::Draw, S::Move, S::Gui, S::Advance,
                 S::Cursor});
        break;
    case 25:
        add({S::Collide, S::Free, S::Draw, S::Move, S::Advance, S::Effects});
        break;
    case 32:
        add({S::Move, S::Advance, S::ExitScreen, S::Cursor});
        break;
    case 33:
        add({S::BackOpaque, S::Draw, S::CursorMove, S::Gui, S::Advance, S::Effects,
             S::HowToPlayPage, S::Overlay, S::CursorIfVisible});
        break;
    case 34:
        add({S::Free, S::Draw, S::Move, S::CursorMove, S::Gui, S::Advance, S::Effects,
             S::CursorIfVisible});
        break;
    case 35:
        add({S::BackOpaque, S::Draw, S::Advance, S::Effects, S::Gui});
        break;
    case 36:
    case 37:
        add({S::BackBlend, S::Free, S::Draw, S::Move, S::Gui, S::Cursor, S::Advance, S::Effects});
        break;
    default:
        if (c.storyVisible) steps.push_back(S::BackBlend);
        add({S::Collide, S::Free, S::Draw, S::Move, S::Gui, S::Advance, S::Effects, S::Cursor});
        break;
    }
    return steps;
}

bool BannerColours(double position, uint32_t& top, uint32_t& bottom) {
    const int64_t p = int64_t(position);
    if (position > 765) {
        const uint32_t a = uint32_t(1020 - p) & 0xFF;
        top = (a << 24) + 0xFFF000u;
        bottom = (a << 24) + 0xFFFFFFu;
        return true;
    }
    if (position < 765 && position > 510) {
        const uint32_t a = uint32_t(p - 510) & 0xFF;
        top = (a << 24) - 0x1000u;
        bottom = (a << 24) - 1u;
        return true;
    }
    return false;
}
