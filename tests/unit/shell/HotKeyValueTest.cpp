#include "shell/HotKeySettings.h"
#include "shell/HotKeyValue.h"
#include "support/MemoryProfile.h"

#include <gtest/gtest.h>

namespace {
// The stored form's modifier byte: Shift 0x01, Ctrl 0x02, Alt 0x04, extended key 0x08, Win 0x10.
constexpr uint32_t WinAlt = 0x1400, CtrlAlt = 0x0600;
} // namespace

TEST(HotKeyValue, ClassifiesStoredValues)
{
    const struct {
        uint32_t value;
        HotKeyKind kind;
    } cases[] = {
        {0, HotKeyKind::None},
        {WinAlt | 'M', HotKeyKind::Key},
        {0x0D00 | 0x25, HotKeyKind::Key},  // Shift+Alt+Left, an extended key
        {'A', HotKeyKind::None},           // a letter alone would be every program's
        {0x0800 | 0x2E, HotKeyKind::None}, // so would Delete, or F12 (0x7B) next
        {0x7B, HotKeyKind::None},          // to F13 and F24, which may stand alone
        {0x7C, HotKeyKind::Key},
        {0x87, HotKeyKind::Key},
        {0x0200 | 0x03, HotKeyKind::Key},      // Ctrl+Break
        {WinAlt, HotKeyKind::Unusable},        // modifiers without a key
        {0x0400 | 0x12, HotKeyKind::Unusable}, // Alt+Alt
        {0x0200 | 0xA3, HotKeyKind::Unusable}, // Ctrl+right Ctrl
        {0x1000 | 0x5B, HotKeyKind::Unusable}, // Win+left Win
        {0x0200 | 0x01, HotKeyKind::Unusable}, // Ctrl+left mouse button
        {0x2000 | 'M', HotKeyKind::Unusable},  // a flag the format does not have
        {0x10000 | WinAlt | 'M', HotKeyKind::Unusable},
        {0xFFFFFFFF, HotKeyKind::Unusable},
    };
    for (const auto& c : cases) EXPECT_EQ(c.kind, ClassifyHotKey(c.value)) << std::hex << c.value;
}

TEST(HotKeyValue, DefaultsAreWinAltLettersAndOnlyUnusableValuesFallBackToThem)
{
    EXPECT_EQ(WinAlt | 'M', DefaultHotKey(HotKeyAction::RulerToPointer));
    EXPECT_EQ(WinAlt | 'L', DefaultHotKey(HotKeyAction::Loupe));
    EXPECT_EQ(WinAlt | 'E', DefaultHotKey(HotKeyAction::LinesAtEdges));
    EXPECT_EQ(WinAlt | 'C', DefaultHotKey(HotKeyAction::Copy));
    EXPECT_EQ(WinAlt | 'X', DefaultHotKey(HotKeyAction::Measure));

    EXPECT_EQ(0u, UsableHotKey(0, HotKeyAction::Loupe)) << "no key, chosen deliberately";
    EXPECT_EQ(CtrlAlt | 'Q', UsableHotKey(CtrlAlt | 'Q', HotKeyAction::Loupe));
    EXPECT_EQ(WinAlt | 'L', UsableHotKey(WinAlt, HotKeyAction::Loupe));
    EXPECT_EQ(WinAlt | 'C', UsableHotKey(0x8000 | 'Q', HotKeyAction::Copy));
    EXPECT_EQ(WinAlt | 'X', UsableHotKey(0x0400 | 0x12, HotKeyAction::Measure));
    EXPECT_EQ(0u, UsableHotKey('Q', HotKeyAction::Copy)) << "a letter alone is no key";
}

TEST(HotKeyValue, RegistrationTakesModifiersWithoutRepeatAndIgnoresTheExtendedFlag)
{
    // MOD_ALT 1, MOD_CONTROL 2, MOD_SHIFT 4, MOD_WIN 8, MOD_NOREPEAT 0x4000.
    const struct {
        uint32_t value, modifiers, key;
    } cases[] = {
        {WinAlt | 'M', 0x4009, 'M'},
        {0x0B00 | 0x25, 0x4006, 0x25}, // Ctrl+Shift+extended Left
        {0x1F00 | 0x70, 0x400F, 0x70},
        {0, 0, 0},
        {WinAlt, 0, 0},
    };
    for (const auto& c : cases) {
        const HotKeyRegistration r = RegistrationOf(c.value);
        EXPECT_EQ(c.modifiers, r.modifiers) << std::hex << c.value;
        EXPECT_EQ(c.key, r.virtualKey) << std::hex << c.value;
    }
}

TEST(HotKeyValue, DialogRowJoinsTheControlAndTheWinBox)
{
    EXPECT_EQ(0x1600u | 'A', HotKeyFromControl(CtrlAlt | 'A', true));
    EXPECT_EQ(0x1800u | 0x2E, HotKeyFromControl(0x0800 | 0x2E, true)) << "Delete keeps its extended flag";
    EXPECT_EQ(0u, HotKeyFromControl(0x0800 | 0x2E, false)) << "Delete alone";
    EXPECT_EQ(0u, HotKeyFromControl(CtrlAlt, true)) << "modifiers alone are no key";
    EXPECT_EQ(0u, HotKeyFromControl(0, true));
    EXPECT_EQ(0x0100u | 'A', HotKeyFromControl(0xF100 | 'A', false)) << "bits the control does not use";

    // The control's rules without the Win box: a key alone gets Ctrl+Alt, unless it needs no modifier.
    EXPECT_EQ(CtrlAlt | 'Q', ControlValueUnderRules('Q', false));
    EXPECT_EQ(0x0E00u | 0x2E, ControlValueUnderRules(0x0800 | 0x2E, false)) << "Delete keeps its extended flag";
    for (uint32_t kept : {uint32_t{0}, 0x0100u | 'Q', 0x7Cu}) EXPECT_EQ(kept, ControlValueUnderRules(kept, false));
    EXPECT_EQ(uint32_t{'Q'}, ControlValueUnderRules('Q', true)) << "Win is the modifier";
}

TEST(HotKeyValue, TextNamesModifiersInWindowsOrder)
{
    EXPECT_EQ(L"Win+Alt+M", HotKeyText(WinAlt | 'M', PlainKeyName('M')));
    EXPECT_EQ(L"Win+Ctrl+Alt+Shift+F12", HotKeyText(0x1700 | 0x7B, PlainKeyName(0x7B)));
    EXPECT_EQ(L"Ctrl+Left", HotKeyText(0x0A00 | 0x25, L"Left"));
    EXPECT_EQ(L"7", PlainKeyName('7'));
    EXPECT_EQ(L"F1", PlainKeyName(0x70));
    EXPECT_EQ(L"F24", PlainKeyName(0x87));
    EXPECT_EQ(L"", PlainKeyName(0x25));
    EXPECT_EQ(L"", PlainKeyName(0x88));
}

TEST(HotKeySettings, PersistRoundTripsUnderTheirNames)
{
    HotKeySettings saved;
    saved[HotKeyAction::Loupe] = 0;
    saved[HotKeyAction::Copy] = CtrlAlt | 'P';
    MemoryProfile store;
    saved.Persist(store, false);
    EXPECT_EQ((std::vector<std::string>{"HotKeyRuler", "HotKeyLoupe", "HotKeyEdges", "HotKeyCopy", "HotKeyMeasure"}),
              store.LoggedKeys('W'));
    EXPECT_EQ("0", store.values["CMensuroDlg"]["HotKeyLoupe"]);

    HotKeySettings loaded;
    loaded.Persist(store, true);
    EXPECT_EQ(saved, loaded);
}

TEST(HotKeySettings, LoadKeepsCurrentValuesForMissingOnesAndDefaultsForUnusableOnes)
{
    MemoryProfile store;
    store.WriteInt("CMensuroDlg", "HotKeyRuler", static_cast<int>(WinAlt)); // a modifier alone
    store.WriteInt("CMensuroDlg", "HotKeyEdges", -1);
    store.WriteInt("CMensuroDlg", "HotKeyCopy", 0);
    HotKeySettings settings;
    settings[HotKeyAction::RulerToPointer] = CtrlAlt | 'R';
    settings[HotKeyAction::Loupe] = CtrlAlt | 'L';
    settings.Persist(store, true);
    EXPECT_EQ(WinAlt | 'M', settings[HotKeyAction::RulerToPointer]);
    EXPECT_EQ(CtrlAlt | 'L', settings[HotKeyAction::Loupe]) << "missing: the current value";
    EXPECT_EQ(WinAlt | 'E', settings[HotKeyAction::LinesAtEdges]);
    EXPECT_EQ(0u, settings[HotKeyAction::Copy]);

    // A letter alone reads as no key, and of two actions stored with one key the later has none.
    store.WriteInt("CMensuroDlg", "HotKeyRuler", 'A');
    for (const char* name : {"HotKeyLoupe", "HotKeyEdges", "HotKeyCopy", "HotKeyMeasure"})
        store.WriteInt("CMensuroDlg", name, static_cast<int>(CtrlAlt | 'E'));
    settings.Persist(store, true);
    EXPECT_EQ((HotKeySettings{{0, CtrlAlt | 'E', 0, 0, 0}}), settings);
}

TEST(HotKeySettings, DuplicateIsTheLaterActionWithTheSameKeyAndModifiers)
{
    HotKeySettings settings;
    EXPECT_FALSE(settings.FirstDuplicate().has_value());
    settings[HotKeyAction::LinesAtEdges] = 0;
    settings[HotKeyAction::Copy] = 0;
    EXPECT_FALSE(settings.FirstDuplicate().has_value()) << "two empty keys";
    settings[HotKeyAction::Copy] = CtrlAlt | 0x25;
    settings[HotKeyAction::LinesAtEdges] = CtrlAlt | 0x0800 | 0x25;
    EXPECT_EQ(HotKeyAction::Copy, settings.FirstDuplicate()) << "the extended flag makes no other key";
    settings[HotKeyAction::LinesAtEdges] = 0x0200 | 0x25;
    EXPECT_FALSE(settings.FirstDuplicate().has_value()) << "other modifiers";
    settings[HotKeyAction::Measure] = settings[HotKeyAction::Copy];
    EXPECT_EQ(HotKeyAction::Measure, settings.FirstDuplicate());
    settings[HotKeyAction::Loupe] = settings[HotKeyAction::RulerToPointer];
    EXPECT_EQ(HotKeyAction::Loupe, settings.FirstDuplicate());
}
