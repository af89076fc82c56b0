#pragma once

#include "shell/HotKeyValue.h"

#include <cstdint>
#include <optional>

class ProfileStore;

// The five global keys, kept beside the ruler's other options in section "CMensuroDlg"
// as "HotKeyRuler", "HotKeyLoupe", "HotKeyEdges", "HotKeyCopy" and "HotKeyMeasure"
// (shell/HotKeyValue.h has their form). Every key is None or a Key, never Unusable.
struct HotKeySettings {
    uint32_t keys[kHotKeyActionCount] = {
        DefaultHotKey(HotKeyAction::RulerToPointer),
        DefaultHotKey(HotKeyAction::Loupe),
        DefaultHotKey(HotKeyAction::LinesAtEdges),
        DefaultHotKey(HotKeyAction::Copy),
        DefaultHotKey(HotKeyAction::Measure),
    };

    uint32_t& operator[](HotKeyAction action) { return keys[static_cast<int>(action)]; }
    uint32_t operator[](HotKeyAction action) const { return keys[static_cast<int>(action)]; }

    // The value name of an action's key.
    static const char* ValueName(HotKeyAction action);

    // Reads each key with its current value as the default, an Unusable value giving
    // the action's default and an action whose key an earlier one has giving none, or
    // writes the five keys.
    void Persist(ProfileStore& store, bool loading);

    // The first action whose key an earlier action has too (the same key with the same
    // modifiers); none when no key is taken twice. Empty keys never clash.
    std::optional<HotKeyAction> FirstDuplicate() const;

    bool operator==(const HotKeySettings& o) const;
    bool operator!=(const HotKeySettings& o) const { return !(*this == o); }
};
