#include "shell/HotKeyValue.h"

namespace {

// Keys that cannot be the key of a global key: the mouse buttons and the modifiers themselves.
bool IsKeyOfItsOwn(uint32_t key)
{
    switch (key) {
    case KeyCode::LeftButton:
    case KeyCode::RightButton:
    case KeyCode::MiddleButton:
    case KeyCode::XButton1:
    case KeyCode::XButton2:
    case KeyCode::Shift:
    case KeyCode::Control:
    case KeyCode::Alt:
    case KeyCode::LeftWin:
    case KeyCode::RightWin: return false;
    default: return !(key >= KeyCode::LeftShift && key <= KeyCode::RightAlt);
    }
}

constexpr uint32_t kDefaultModifiers = HotKeyFlag::Win | HotKeyFlag::Alt;

} // namespace

bool NeedsModifier(uint32_t virtualKey)
{
    return virtualKey < KeyCode::F13 || virtualKey > KeyCode::F24;
}

HotKeyKind ClassifyHotKey(uint32_t value)
{
    if (value == 0) return HotKeyKind::None;
    if (value > 0xFFFF || (HotKeyFlags(value) & ~HotKeyFlag::All) != 0) return HotKeyKind::Unusable;
    const uint32_t key = HotKeyVirtualKey(value);
    if (key == 0 || !IsKeyOfItsOwn(key)) return HotKeyKind::Unusable;
    return (HotKeyFlags(value) & HotKeyFlag::Modifiers) || !NeedsModifier(key) ? HotKeyKind::Key : HotKeyKind::None;
}

uint32_t DefaultHotKey(HotKeyAction action)
{
    switch (action) {
    case HotKeyAction::RulerToPointer: return MakeHotKey('M', kDefaultModifiers);
    case HotKeyAction::Loupe: return MakeHotKey('L', kDefaultModifiers);
    case HotKeyAction::LinesAtEdges: return MakeHotKey('E', kDefaultModifiers);
    case HotKeyAction::Copy: return MakeHotKey('C', kDefaultModifiers);
    case HotKeyAction::Measure: return MakeHotKey('X', kDefaultModifiers);
    }
    return 0;
}

uint32_t UsableHotKey(uint32_t value, HotKeyAction action)
{
    switch (ClassifyHotKey(value)) {
    case HotKeyKind::Key: return value;
    case HotKeyKind::None: return 0;
    case HotKeyKind::Unusable: break;
    }
    return DefaultHotKey(action);
}

HotKeyRegistration RegistrationOf(uint32_t value)
{
    if (ClassifyHotKey(value) != HotKeyKind::Key) return {};
    const uint32_t flags = HotKeyFlags(value);
    HotKeyRegistration r;
    r.virtualKey = HotKeyVirtualKey(value);
    r.modifiers = HotKeyModifier::NoRepeat;
    if (flags & HotKeyFlag::Alt) r.modifiers |= HotKeyModifier::Alt;
    if (flags & HotKeyFlag::Control) r.modifiers |= HotKeyModifier::Control;
    if (flags & HotKeyFlag::Shift) r.modifiers |= HotKeyModifier::Shift;
    if (flags & HotKeyFlag::Win) r.modifiers |= HotKeyModifier::Win;
    return r;
}

uint32_t HotKeyFromControl(uint32_t controlValue, bool win)
{
    const uint32_t controlFlags = HotKeyFlag::Shift | HotKeyFlag::Control | HotKeyFlag::Alt | HotKeyFlag::Extended;
    const uint32_t flags = (HotKeyFlags(controlValue) & controlFlags) | (win ? HotKeyFlag::Win : 0);
    const uint32_t value = MakeHotKey(HotKeyVirtualKey(controlValue), flags);
    return ClassifyHotKey(value) == HotKeyKind::Key ? value : 0;
}

uint32_t ControlValueUnderRules(uint32_t controlValue, bool win)
{
    const uint32_t key = HotKeyVirtualKey(controlValue);
    if (win || key == 0 || (HotKeyFlags(controlValue) & HotKeyFlag::Modifiers) || !NeedsModifier(key))
        return controlValue;
    return MakeHotKey(key, HotKeyFlags(controlValue) | kControlRuleModifiers);
}

std::wstring PlainKeyName(uint32_t virtualKey)
{
    if ((virtualKey >= '0' && virtualKey <= '9') || (virtualKey >= 'A' && virtualKey <= 'Z'))
        return std::wstring(1, static_cast<wchar_t>(virtualKey));
    if (virtualKey >= KeyCode::F1 && virtualKey <= KeyCode::F24)
        return L"F" + std::to_wstring(virtualKey - KeyCode::F1 + 1);
    return std::wstring();
}

std::wstring HotKeyText(uint32_t value, const std::wstring& keyName)
{
    const uint32_t flags = HotKeyFlags(value);
    std::wstring text;
    if (flags & HotKeyFlag::Win) text += L"Win+";
    if (flags & HotKeyFlag::Control) text += L"Ctrl+";
    if (flags & HotKeyFlag::Alt) text += L"Alt+";
    if (flags & HotKeyFlag::Shift) text += L"Shift+";
    return text + keyName;
}
