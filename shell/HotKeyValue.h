#pragma once

#include "shell/KeyCodes.h"

#include <cstdint>
#include <string>

// The global keys' values as the registry keeps them: a DWORD in the form the standard
// hotkey control uses (bits 0-7 the virtual key, bits 8-15 its HotKeyFlag bits, the
// Windows key as HotKeyFlag::Win), and 0 for a key deliberately left empty.
//
// A value reads as one of three kinds:
//   None      0: the user chose no key for the action; nothing is registered. A key
//             without Ctrl, Alt, Shift or Win reads so too (F13 to F24 excepted, which
//             ordinary typing never uses): it would take that key from every program.
//   Key       a key the program can register.
//   Unusable  anything else (modifiers without a key, a modifier or mouse button as the
//             key, bits above the flags byte or flags the format does not have); it
//             reads as the action's default, as a missing value does.

// The actions with a global key, in the order of the Keys dialog's rows.
enum class HotKeyAction : int { RulerToPointer = 0, Loupe, LinesAtEdges, Copy, Measure };
constexpr int kHotKeyActionCount = 5;

enum class HotKeyKind { None, Key, Unusable };

HotKeyKind ClassifyHotKey(uint32_t value);

inline uint32_t MakeHotKey(uint32_t virtualKey, uint32_t flags)
{
    return (virtualKey & 0xFF) | ((flags & 0xFF) << 8);
}
inline uint32_t HotKeyVirtualKey(uint32_t value)
{
    return value & 0xFF;
}
inline uint32_t HotKeyFlags(uint32_t value)
{
    return (value >> 8) & 0xFF;
}

// Win+Alt+M, Win+Alt+L, Win+Alt+E, Win+Alt+C, Win+Alt+X.
uint32_t DefaultHotKey(HotKeyAction action);
// The value itself when it is a Key, 0 when it is None, the action's default when it is Unusable.
uint32_t UsableHotKey(uint32_t value, HotKeyAction action);

// Whether a global key on this key needs a modifier, because programs use the key alone:
// any key but F13 to F24.
bool NeedsModifier(uint32_t virtualKey);

// RegisterHotKey's arguments for a key: HotKeyModifier bits (NoRepeat always among
// them) and the virtual key. Both are 0 for a value that is not a Key.
struct HotKeyRegistration {
    uint32_t modifiers = 0;
    uint32_t virtualKey = 0;
    bool operator==(const HotKeyRegistration& o) const
    {
        return modifiers == o.modifiers && virtualKey == o.virtualKey;
    }
};
HotKeyRegistration RegistrationOf(uint32_t value);

// The Keys dialog's row: the hotkey control's value (HKM_GETHOTKEY) and its Win box,
// as stored. A control showing no key, only modifiers, or a key alone that needs a
// modifier while the Win box is clear gives 0.
uint32_t HotKeyFromControl(uint32_t controlValue, bool win);
// What the hotkey control holds once its rules apply to it (the Keys dialog sets them with
// HKM_SETRULES): without the Win box a key typed alone gets kControlRuleModifiers, as the
// control gives it; a key alone that needs none keeps its value.
constexpr uint32_t kControlRuleModifiers = HotKeyFlag::Control | HotKeyFlag::Alt;
uint32_t ControlValueUnderRules(uint32_t controlValue, bool win);
// The value without the Win bit, for HKM_SETHOTKEY.
inline uint32_t ControlValueOf(uint32_t value)
{
    return value & ~(HotKeyFlag::Win << 8);
}
inline bool HasWinKey(uint32_t value)
{
    return (HotKeyFlags(value) & HotKeyFlag::Win) != 0;
}

// The name of a letter, digit or function key ("M", "7", "F11"), the same on every
// keyboard; empty for other keys, whose names the keyboard layout gives.
std::wstring PlainKeyName(uint32_t virtualKey);
// "Win+Ctrl+Alt+Shift+" for the modifiers the value has, then the key's name.
std::wstring HotKeyText(uint32_t value, const std::wstring& keyName);
