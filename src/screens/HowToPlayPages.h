#pragma once
#include <array>
#include <string_view>

class TGuiControl;

// The three text lines of each how-to-play page (state 33), shown in "Label3" to "Label5"; a
// line a page does not have clears its label.
inline constexpr int HowToPlayPageCount = 4;
const std::array<std::string_view, 3>& HowToPlayLines(int page);
// Sets the labels for a page; a page outside 0..3 clears them.
void ShowHowToPlayPage(TGuiControl& root, int page);
