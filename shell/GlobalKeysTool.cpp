#include "shell/GlobalKeysTool.h"

#include "profile/RegistryProfile.h"
#include "resources/resource.h"
#include "shell/KeysDlg.h"
#include "shell/RulerMoves.h"

namespace {

// The command each action hands to its feature, in HotKeyAction order; "Ruler to Pointer"
// is this tool's own.
constexpr UINT kActionCommands[kHotKeyActionCount] = {0, ID_LOUPE, ID_LINES_AT_POINTER, ID_COPY, ID_MEASURE};

} // namespace

void CGlobalKeysTool::OnStart()
{
    RegistryProfile profile(nullptr, HKEY_CURRENT_USER);
    m_keys.Persist(profile, true);
    // A key another program holds is no error here: the Keys dialog shows it as in use.
    m_keys.Register(m_host.Window());
}

void CGlobalKeysTool::OnEnd()
{
    m_keys.Unregister();
    RegistryProfile profile(nullptr, HKEY_CURRENT_USER);
    m_keys.Persist(profile, false);
}

bool CGlobalKeysTool::OnCommand(UINT id)
{
    if (id != ID_KEYS) return false;
    EditKeys();
    return true;
}

// The keys are applied at once and saved with the options at exit.
void CGlobalKeysTool::EditKeys()
{
    CKeysDlg dialog(m_host.Window(), m_keys.Settings(), m_keys.TakenMask());
    // A registered key never reaches a hotkey control: the keys are let go while the
    // dialog is open, so that the user can type them there.
    m_keys.Unregister();
    if (m_host.RunDialog(dialog) == IDOK)
        m_keys.Apply(dialog.Settings());
    else
        m_keys.Register(m_host.Window());
}

void CGlobalKeysTool::AddMenuImages(std::vector<MenuImage>& images) const
{
    images.push_back({ID_KEYS, IDI_KEYS});
}

bool CGlobalKeysTool::OnSysKey(WPARAM key, bool shift)
{
    const auto step = RulerMoveStep(static_cast<uint32_t>(key), shift);
    if (!step) return false;
    MoveRulerBy(m_host.Window(), *step);
    return true;
}

bool CGlobalKeysTool::OnMessage(UINT message, WPARAM wParam, LPARAM, LRESULT& result)
{
    if (message != WM_HOTKEY) return false;
    const auto action = m_keys.ActionOf(wParam);
    if (!action) return false;
    OnHotKey(*action);
    result = 0;
    return true;
}

bool CGlobalKeysTool::HeldByDialog() const
{
    return m_host.DialogOpen() || !IsWindowEnabled(m_host.Window());
}

void CGlobalKeysTool::OnHotKey(HotKeyAction action)
{
    // First, while the user most likely still holds the modifiers.
    MaskHeldModifiers();
    const HWND ruler = m_host.Window();
    // A mode over a frozen frame leaves the ruler below it alone; its own key ends it.
    if (action != HotKeyAction::Measure && m_host.ScreenHeld()) return;
    const bool held = HeldByDialog();
    if (action == HotKeyAction::RulerToPointer) {
        RECT window = {};
        GetWindowRect(ruler, &window);
        const RECT inner = m_host.InnerScreenRect();
        BringRulerForward(ruler, POINT{inner.left - window.left, inner.top - window.top}, !held);
        return;
    }
    // Posted, not done here: the feature acts as for its own command, and nothing activates the ruler.
    if (!held) PostMessageW(ruler, WM_COMMAND, kActionCommands[static_cast<int>(action)], 0);
}
