#include "ruler/CoordinateTip.h"

#include "framework/CaptureExclusion.h"
#include "framework/MessageTable.h"

#include <commctrl.h>

namespace {

TOOLINFOW ToolOf(HWND owner, const wchar_t* text)
{
    TOOLINFOW tool = {};
    tool.cbSize = sizeof(tool);
    tool.uFlags = TTF_IDISHWND;
    tool.hwnd = owner;
    tool.uId = reinterpret_cast<UINT_PTR>(owner);
    tool.lpszText = const_cast<wchar_t*>(text);
    return tool;
}

} // namespace

void CCoordinateTip::Create(HWND owner)
{
    m_owner = owner;
    // Always: users hover over a ruler that is not the active window (without the style
    // the tip shows only while its owner is active). Not owned by the ruler: an owned
    // tooltip keeps its owner out of the topmost band now and then under Wine.
    // Click-through (layered and transparent, as the loupe): the tip shows just below the
    // pointer, often over a bar, and a click there must reach the ruler. Taken by the tip, it
    // would activate the tip, which hides itself on it, and leave the ruler inactive.
    m_window.reset(CreateWindowExW(WS_EX_TOPMOST | WS_EX_LAYERED | WS_EX_TRANSPARENT, TOOLTIPS_CLASSW, nullptr,
                                   WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                   CW_USEDEFAULT, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr));
    if (!m_window) return;
    SetLayeredWindowAttributes(m_window.get(), 0, 255, LWA_ALPHA);
    ExcludeFromCapture(m_window.get());
    SendMessageW(m_window.get(), TTM_ACTIVATE, TRUE, 0);
    TOOLINFOW tool = ToolOf(owner, L"");
    SendMessageW(m_window.get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void CCoordinateTip::SetText(const std::wstring& text)
{
    if (!m_window) return;
    TOOLINFOW tool = ToolOf(m_owner, text.c_str());
    SendMessageW(m_window.get(), TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
    SendMessageW(m_window.get(), TTM_UPDATE, 0, 0);
}

void CCoordinateTip::Relay(MSG& msg)
{
    if (!m_window) return;
    MSG relayed = msg;
    if (msg.message == WM_NCMOUSEMOVE) {
        // The move box and the bands that move or resize the ruler are non-client, and the
        // tooltip starts its hover time on client moves alone: it is told of one there.
        POINT p = PointFromLParam(msg.lParam);
        ScreenToClient(msg.hwnd, &p);
        relayed.message = WM_MOUSEMOVE;
        relayed.wParam = 0;
        relayed.lParam = MAKELPARAM(p.x, p.y);
    }
    SendMessageW(m_window.get(), TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
}
