#include "shell/HotKeySettings.h"

#include "profile/ProfileStore.h"
#include "ruler/RulerOptions.h"

#include <algorithm>
#include <iterator>

const char* HotKeySettings::ValueName(HotKeyAction action)
{
    switch (action) {
    case HotKeyAction::RulerToPointer: return "HotKeyRuler";
    case HotKeyAction::Loupe: return "HotKeyLoupe";
    case HotKeyAction::LinesAtEdges: return "HotKeyEdges";
    case HotKeyAction::Copy: return "HotKeyCopy";
    case HotKeyAction::Measure: return "HotKeyMeasure";
    }
    return "";
}

void HotKeySettings::Persist(ProfileStore& store, bool loading)
{
    for (int i = 0; i < kHotKeyActionCount; ++i) {
        const auto action = static_cast<HotKeyAction>(i);
        const char* name = ValueName(action);
        if (loading) {
            const int read = store.ReadInt(RulerOptions::Section, name, static_cast<int>(keys[i]));
            keys[i] = UsableHotKey(static_cast<uint32_t>(read), action);
        } else {
            store.WriteInt(RulerOptions::Section, name, static_cast<int>(keys[i]));
        }
    }
    // Two actions stored with one key: the later one has none, rather than showing it
    // as held by another program when its registration fails.
    if (loading)
        while (const auto duplicate = FirstDuplicate()) (*this)[*duplicate] = 0;
}

std::optional<HotKeyAction> HotKeySettings::FirstDuplicate() const
{
    for (int i = 1; i < kHotKeyActionCount; ++i) {
        const HotKeyRegistration key = RegistrationOf(keys[i]);
        if (key.virtualKey == 0) continue;
        for (int earlier = 0; earlier < i; ++earlier)
            if (RegistrationOf(keys[earlier]) == key) return static_cast<HotKeyAction>(i);
    }
    return std::nullopt;
}

bool HotKeySettings::operator==(const HotKeySettings& o) const
{
    return std::equal(std::begin(keys), std::end(keys), std::begin(o.keys));
}
