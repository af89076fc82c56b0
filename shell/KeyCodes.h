#pragma once

#include <cstdint>

// The Win32 key numbers the window-free code needs, defined here because it cannot
// include <windows.h>; shell/GlobalKeys.cpp checks each against the system's headers.

// Virtual keys (VK_*).
namespace KeyCode {
constexpr uint32_t LeftButton = 0x01;
constexpr uint32_t RightButton = 0x02;
constexpr uint32_t MiddleButton = 0x04;
constexpr uint32_t XButton1 = 0x05;
constexpr uint32_t XButton2 = 0x06;
constexpr uint32_t Shift = 0x10;
constexpr uint32_t Control = 0x11;
constexpr uint32_t Alt = 0x12; // VK_MENU
constexpr uint32_t Left = 0x25;
constexpr uint32_t Up = 0x26;
constexpr uint32_t Right = 0x27;
constexpr uint32_t Down = 0x28;
constexpr uint32_t LeftWin = 0x5B;
constexpr uint32_t RightWin = 0x5C;
constexpr uint32_t F1 = 0x70;
constexpr uint32_t F13 = 0x7C;
constexpr uint32_t F24 = 0x87;
// VK_LSHIFT to VK_RMENU: the left and right forms of Shift, Ctrl and Alt.
constexpr uint32_t LeftShift = 0xA0;
constexpr uint32_t RightAlt = 0xA5;
} // namespace KeyCode

// The modifier byte of the standard hotkey control (HOTKEYF_*), and the bit this
// program adds for the Windows key, which the control has no flag for.
namespace HotKeyFlag {
constexpr uint32_t Shift = 0x01;
constexpr uint32_t Control = 0x02;
constexpr uint32_t Alt = 0x04;
constexpr uint32_t Extended = 0x08;
constexpr uint32_t Win = 0x10;
constexpr uint32_t All = Shift | Control | Alt | Extended | Win;
// The keys held with the key; Extended only tells which of two keys it is.
constexpr uint32_t Modifiers = Shift | Control | Alt | Win;
} // namespace HotKeyFlag

// RegisterHotKey's modifiers (MOD_*).
namespace HotKeyModifier {
constexpr uint32_t Alt = 0x0001;
constexpr uint32_t Control = 0x0002;
constexpr uint32_t Shift = 0x0004;
constexpr uint32_t Win = 0x0008;
constexpr uint32_t NoRepeat = 0x4000;
} // namespace HotKeyModifier
