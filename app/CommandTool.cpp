#include "app/CommandTool.h"

#include "app/CommandHandOver.h"
#include "app/RulerInstance.h"
#include "copy/CopyTool.h"
#include "copy/SavePicture.h"
#include "resources/resource.h"
#include "ruler/RulerOptions.h"
#include "ruler/RulerTimers.h"
#include "shell/RulerMoves.h"

#include <algorithm>

namespace {

// How often what was handed over looks again whether the ruler's dialog has closed.
constexpr UINT kWaitForDialogMs = 200;

// Posted by the ruler to itself at the start for /save: it arrives once the ruler shows.
UINT StartSaveMessage()
{
    static const UINT message = RegisterWindowMessageW(L"Mensuro.StartSave");
    return message;
}

// Lets `ms` pass handling only what other threads send (a later start's hand-over, which
// is refused now): no input, no timer, no posted message.
void WaitWithoutInput(DWORD ms)
{
    const DWORD start = GetTickCount();
    for (DWORD elapsed = 0; elapsed < ms; elapsed = GetTickCount() - start) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, ms - elapsed, QS_SENDMESSAGE);
        MSG msg;
        PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
}

} // namespace

CCommandTool::CCommandTool(RulerHost& host, const CommandLine& start)
    : m_host(host), m_start(start),
      // A start for /save succeeds only by writing its file, whatever ends the ruler first.
      m_exitCode(start.command == StartCommand::Save ? kExitNotDone : kExitDone)
{
}

void CCommandTool::OnStart()
{
    const HWND ruler = m_host.Window();
    AnnounceRulerWindow(ruler);
    // A new ruler shows itself: Run and Show need nothing more.
    if (m_start.command == StartCommand::Copy) PostMessageW(ruler, WM_COMMAND, ID_COPY, 0);
    if (m_start.command == StartCommand::Save) PostMessageW(ruler, StartSaveMessage(), 0, 0);
}

bool CCommandTool::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (message == WM_COPYDATA) {
        if (!IsHandOver(lParam)) return false;
        // 0 tells the sender to wait for this ruler to be gone and to be the ruler itself.
        if (m_ending)
            result = 0;
        else if (const auto command = ReceivedCommand(lParam))
            result = OnHandOver(reinterpret_cast<HWND>(wParam), *command);
        else
            result = kHandOverNotSaved;
        return true;
    }
    if (message == 0 || message != StartSaveMessage()) return false;
    // A later start's save that came first keeps the ruler: this one ends, not saved.
    if (!m_ending && !BeginSave(m_start.file, nullptr)) PostMessageW(m_host.Window(), WM_COMMAND, IDOK, 0);
    result = 0;
    return true;
}

LRESULT CCommandTool::OnHandOver(HWND sender, const CommandLine& command)
{
    const HWND ruler = m_host.Window();
    switch (command.command) {
    case StartCommand::Run:
    case StartCommand::Show: BringRulerForward(ruler, POINT{}, false); break;
    case StartCommand::Copy:
        // A picture taken now would show the dialog, and its result could stack a box on it.
        if (RulerBusy())
            m_host.StartTimer(*this, TimerHandOverCopy, kWaitForDialogMs);
        else
            PostMessageW(ruler, WM_COMMAND, ID_COPY, 0);
        break;
    case StartCommand::Exit: PostMessageW(ruler, WM_COMMAND, IDOK, 0); break;
    case StartCommand::Save: return BeginSave(command.file, sender) ? kHandOverSaving : kHandOverNotSaved;
    default: break;
    }
    return kHandOverDone;
}

bool CCommandTool::BeginSave(const std::wstring& path, HWND replyTo)
{
    if (m_save) return false;
    const DWORD delay = static_cast<DWORD>(std::max(m_host.Model().options.CopyTimer, 0));
    m_save = PendingSave{path, replyTo, GetTickCount() + delay};
    // The ruler's own windows step aside for the whole delay, so what lay below them has
    // painted when the screen is read.
    m_host.PutAsideForPicture(true);
    m_host.StartTimer(*this, TimerHandOverSave, delay);
    return true;
}

void CCommandTool::OnTimer(UINT_PTR id)
{
    if (id != TimerHandOverSave && id != TimerHandOverCopy) return;
    // As Save Picture's delay does, what was handed over waits for the dialog to close.
    if (RulerBusy()) {
        m_host.StartTimer(*this, id, kWaitForDialogMs);
        return;
    }
    m_host.StopTimer(id);
    if (id == TimerHandOverCopy) PostMessageW(m_host.Window(), WM_COMMAND, ID_COPY, 0);
    if (id == TimerHandOverSave && m_save) FinishSave();
}

void CCommandTool::FinishSave()
{
    const PendingSave save = *m_save;
    m_save.reset();
    const HWND ruler = m_host.Window();
    // A ruler that has only just started may not have painted itself yet.
    UpdateWindow(ruler);
    // Again just before the picture: the tooltip shows again when the pointer passes a line.
    m_host.PutAsideForPicture(true);
    DWORD error = 0;
    const bool saved = SavePictureTo(save.path, m_picture, RulerPicture(m_host), error);
    m_host.PutAsideForPicture(false);
    m_host.PutAsideForPicture(false);
    PostSaveResult(save.replyTo, saved);
    if (!save.replyTo) {
        m_exitCode = saved ? kExitDone : kExitNotDone;
        // Started for the save alone: it ends as "Exit" does.
        if (!m_ending) PostMessageW(ruler, WM_COMMAND, IDOK, 0);
        return;
    }
    // The sender has its answer already; a ruler the user started tells the user too.
    if (!saved && !m_ending && m_start.command != StartCommand::Save) ReportSaveFailure(ruler, save.path, error);
}

void CCommandTool::AbandonSave()
{
    if (!m_save) return;
    m_host.StopTimer(TimerHandOverSave);
    PostSaveResult(m_save->replyTo, false);
    m_save.reset();
    m_host.PutAsideForPicture(false);
}

bool CCommandTool::RulerBusy() const
{
    return m_host.DialogOpen() || !IsWindowEnabled(m_host.Window());
}

void CCommandTool::StopTakingHandOvers()
{
    if (m_ending) return;
    m_ending = true;
    // Later starts wait for this process to be gone instead of handing over to it.
    AnnounceRulerWindow(nullptr);
    m_host.StopTimer(TimerHandOverCopy);
}

void CCommandTool::OnEnding()
{
    StopTakingHandOvers();
    if (!m_save) return;
    // With a dialog open the ruler ends once it closes, and no picture can be taken before.
    if (RulerBusy()) {
        AbandonSave();
        return;
    }
    m_host.StopTimer(TimerHandOverSave);
    const DWORD left = m_save->due - GetTickCount();
    WaitWithoutInput(left <= static_cast<DWORD>(MaxCopyTimer) ? left : 0);
    FinishSave();
}

void CCommandTool::OnEnd()
{
    StopTakingHandOvers();
    // The session ends, or the ruler went with a dialog open: the save never ran.
    AbandonSave();
}
