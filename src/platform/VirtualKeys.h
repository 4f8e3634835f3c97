#pragma once

// Virtual-key codes the game uses; the full 0..255 range is passed through.
namespace vk {
constexpr int Back = 8, Tab = 9, Return = 13, Shift = 16, Control = 17, Menu = 18, Pause = 19,
              Capital = 20, Escape = 27, Space = 32, Prior = 33, Next = 34, End = 35, Home = 36,
              Left = 37, Up = 38, Right = 39, Down = 40, Insert = 45, Delete = 46, F1 = 112,
              F12 = 123, Console = 192;
} // namespace vk
