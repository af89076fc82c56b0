#pragma once

// CGlobalKeys owns the global keys while the ruler runs: the five keys (persisted with
// the ruler's options), their registrations on the ruler's window, which of them another
// program holds, and their release. Of the ruler it knows only the window handle it is
// given; the ruler turns a WM_HOTKEY into an action with ActionOf and does the action.

#include "shell/HotKeySettings.h"

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

class ProfileStore;

// The WM_HOTKEY ids: the first plus the action's number.
constexpr int kHotKeyIdFirst = 0x4D10;

// An action's bit in a mask of actions.
inline uint32_t ActionBit(HotKeyAction action)
{
    return 1u << static_cast<int>(action);
}

class CGlobalKeys {
public:
    CGlobalKeys() = default;
    ~CGlobalKeys() { Unregister(); }
    CGlobalKeys(const CGlobalKeys&) = delete;
    CGlobalKeys& operator=(const CGlobalKeys&) = delete;

    const HotKeySettings& Settings() const { return m_settings; }
    void Persist(ProfileStore& store, bool loading) { m_settings.Persist(store, loading); }

    // Registers every key on `window`, releasing the keys registered before, and returns
    // the mask of actions whose key could not be registered. Says nothing: at start a key
    // in use only shows as such in the Keys dialog.
    uint32_t Register(HWND window);
    // The Keys dialog's OK: takes the keys, registers them on the same window again and
    // names the keys another program holds in a message box owned by the window. Before
    // the first Register it only takes them.
    void Apply(const HotKeySettings& settings);
    // Releases every key, before the window goes; the destructor does it too.
    void Unregister();

    // The action of a WM_HOTKEY's id, when the key is one of these.
    std::optional<HotKeyAction> ActionOf(WPARAM hotKeyId) const;
    // The actions whose key could not be registered the last time.
    uint32_t TakenMask() const { return m_taken; }

private:
    HotKeySettings m_settings;
    HWND m_window = nullptr;
    uint32_t m_registered = 0;
    uint32_t m_taken = 0;
};

// Called as a global key arrives: while Alt or Win is still held, sends the program in use
// a key press that means nothing (an unassigned virtual key). The global key itself never
// reaches that program, so without it the program sees Alt go down and up with nothing
// between and enters its menu (or the Win key opens the Start menu).
void MaskHeldModifiers();

// A key's name for messages: "Win+Alt+M", its key named by the keyboard layout when it
// is no letter, digit or function key.
std::wstring HotKeyName(uint32_t value);
