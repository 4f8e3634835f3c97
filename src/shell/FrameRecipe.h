#pragma once
#include <cstdint>
#include <vector>

// One step of drawing a frame. Each screen state draws its frame as a fixed sequence of them.
enum class TFrameStep : uint8_t {
    BackOpaque,      // "zad" at (0, 0), opaque copy
    BackBlend,       // "zad" at (0, 0), alpha blended
    MenuBack,        // "back" at (0, 0): the menu screens' wall
    Collide,         // sprite engine's collision pass
    Free,            // freeing of dead sprites
    Draw,            // drawing of every sprite
    Move,            // every sprite moves with this frame's Delta
    CursorMove,      // only the cursor moves
    Gui,             // the GUI tree
    Advance,         // particles advanced by 10 x Delta
    AdvanceFixed,    // particles advanced by 0.01
    Effects,         // every particle system not named "dontpaint"
    Cursor,          // the cursor drawn on top
    CursorIfVisible, // likewise, only while it is visible
    Overlay,         // score, coins and super-bonus counts
    Banner,          // the "COMBO X" banner
    HelpPage,        // the help page picture
    HowToPlayPage,   // the how-to-play page picture
    ExitScreen,      // the exit screen's own drawing
    FinalPicture,    // "finalpicture" at (0, 0), opaque
    PauseText,       // "PAUSE"
};

struct TFrameContext {
    bool finalPictureShown = false; // the score screens after the last level
    bool storyVisible = false;      // "scr_story" is showing
    bool menuBack = false;          // the state's tick draws the menu wall first
};

// The steps of a frame in a screen state.
std::vector<TFrameStep> FrameRecipe(uint8_t state, const TFrameContext& context);
// Whether the state's tick draws the menu wall under its frame.
bool DrawsMenuBack(uint8_t state);

// The "COMBO X" banner's two text colours at a banner position, or false while it is not
// drawn (at 510 and below, and at exactly 765).
bool BannerColours(double position, uint32_t& top, uint32_t& bottom);
