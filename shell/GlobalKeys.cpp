#include "shell/GlobalKeys.h"

#include "framework/Application.h"
#include "framework/StringMessageBox.h"
#include "resources/resource.h"

#include <commctrl.h>

// The window-free code's own copies of the system's numbers.
static_assert(KeyCode::LeftButton == VK_LBUTTON && KeyCode::RightButton == VK_RBUTTON &&
              KeyCode::MiddleButton == VK_MBUTTON && KeyCode::XButton1 == VK_XBUTTON1 &&
              KeyCode::XButton2 == VK_XBUTTON2);
static_assert(KeyCode::Shift == VK_SHIFT && KeyCode::Control == VK_CONTROL && KeyCode::Alt == VK_MENU);
static_assert(KeyCode::Left == VK_LEFT && KeyCode::Up == VK_UP && KeyCode::Right == VK_RIGHT &&
              KeyCode::Down == VK_DOWN);
static_assert(KeyCode::LeftWin == VK_LWIN && KeyCode::RightWin == VK_RWIN);
static_assert(KeyCode::F1 == VK_F1 && KeyCode::F13 == VK_F13 && KeyCode::F24 == VK_F24);
static_assert(KeyCode::LeftShift == VK_LSHIFT && KeyCode::RightAlt == VK_RMENU);
static_assert(HotKeyFlag::Shift == HOTKEYF_SHIFT && HotKeyFlag::Control == HOTKEYF_CONTROL &&
              HotKeyFlag::Alt == HOTKEYF_ALT && HotKeyFlag::Extended == HOTKEYF_EXT);
static_assert((HotKeyFlag::Win & (HOTKEYF_SHIFT | HOTKEYF_CONTROL | HOTKEYF_ALT | HOTKEYF_EXT)) == 0);
static_assert(HotKeyModifier::Alt == MOD_ALT && HotKeyModifier::Control == MOD_CONTROL &&
              HotKeyModifier::Shift == MOD_SHIFT && HotKeyModifier::Win == MOD_WIN &&
              HotKeyModifier::NoRepeat == MOD_NOREPEAT);

namespace {

// A virtual key no keyboard has and no program gives a meaning.
constexpr WORD kMaskKey = 0xE8;

const UINT kActionNames[kHotKeyActionCount] = {IDS_ACTION_RULER_TO_POINTER, IDS_ACTION_LOUPE, IDS_ACTION_LINES_AT_EDGES,
                                               IDS_ACTION_COPY, IDS_KEY_MEASURE};

// The keys of the mask, one a line: "Win+Alt+M (Ruler to Pointer)".
std::wstring TakenKeysList(const HotKeySettings& settings, uint32_t mask)
{
    std::wstring list;
    for (int i = 0; i < kHotKeyActionCount; ++i) {
        const auto action = static_cast<HotKeyAction>(i);
        if (!(mask & ActionBit(action))) continue;
        list += L"\n" + HotKeyName(settings[action]) + L" (" + LoadResourceString(kActionNames[i]) + L")";
    }
    return list;
}

} // namespace

uint32_t CGlobalKeys::Register(HWND window)
{
    Unregister();
    m_window = window;
    m_taken = 0;
    for (int i = 0; i < kHotKeyActionCount; ++i) {
        const auto action = static_cast<HotKeyAction>(i);
        const HotKeyRegistration key = RegistrationOf(m_settings[action]);
        if (key.virtualKey == 0) continue;
        if (RegisterHotKey(window, kHotKeyIdFirst + i, key.modifiers, key.virtualKey))
            m_registered |= ActionBit(action);
        else
            m_taken |= ActionBit(action);
    }
    return m_taken;
}

void CGlobalKeys::Apply(const HotKeySettings& settings)
{
    m_settings = settings;
    if (!m_window) return;
    const uint32_t taken = Register(m_window);
    if (!taken) return;
    const std::wstring text = LoadResourceString(IDS_HOTKEYS_TAKEN) + L"\n" + TakenKeysList(m_settings, taken);
    MessageBoxW(m_window, text.c_str(), AppRegistry::AppTitle().c_str(), MB_OK | MB_ICONEXCLAMATION);
}

void CGlobalKeys::Unregister()
{
    for (int i = 0; i < kHotKeyActionCount; ++i)
        if (m_registered & ActionBit(static_cast<HotKeyAction>(i))) UnregisterHotKey(m_window, kHotKeyIdFirst + i);
    m_registered = 0;
}

std::optional<HotKeyAction> CGlobalKeys::ActionOf(WPARAM hotKeyId) const
{
    if (hotKeyId < static_cast<WPARAM>(kHotKeyIdFirst) ||
        hotKeyId >= static_cast<WPARAM>(kHotKeyIdFirst + kHotKeyActionCount))
        return std::nullopt;
    const auto action = static_cast<HotKeyAction>(hotKeyId - kHotKeyIdFirst);
    if (!(m_registered & ActionBit(action))) return std::nullopt;
    return action;
}

void MaskHeldModifiers()
{
    const auto held = [](int key) { return (GetAsyncKeyState(key) & 0x8000) != 0; };
    if (!held(VK_MENU) && !held(VK_LWIN) && !held(VK_RWIN)) return;
    INPUT press[2] = {};
    for (INPUT& input : press) {
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = kMaskKey;
    }
    press[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, press, sizeof(INPUT));
}

std::wstring HotKeyName(uint32_t value)
{
    const uint32_t key = HotKeyVirtualKey(value);
    std::wstring name = PlainKeyName(key);
    if (name.empty()) {
        const UINT scan = MapVirtualKeyW(key, MAPVK_VK_TO_VSC);
        const bool extended = (HotKeyFlags(value) & HotKeyFlag::Extended) != 0;
        wchar_t text[64] = {};
        if (scan && GetKeyNameTextW(static_cast<LONG>((scan << 16) | (extended ? 1u << 24 : 0)), text, 64) > 0)
            name = text;
    }
    if (name.empty()) name = L"#" + std::to_wstring(key);
    return HotKeyText(value, name);
}
