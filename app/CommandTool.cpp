#include "app/CommandTool.h"

#include "app/CommandHandOver.h"
#include "app/RulerInstance.h"
#include "copy/CopyTool.h"
#include "copy/SavePicture.h"
#include "resources/resource.h"
#include "shell/RulerMoves.h"

#include <algorithm>

namespace {

// Posted by the ruler to itself at the start for /save: it arrives once the ruler shows.
UINT StartSaveMessage()
{
    static const UINT message = RegisterWindowMessageW(L"Mensuro.StartSave");
    return message;
}

} // namespace

void CCommandTool::OnStart()
{
    const HWND ruler = m_host.Window();
    AnnounceRulerWindow(ruler);
    // A new ruler shows itself: Run and Show need nothing more.
    if (m_start.command == StartCommand::Copy) PostMessageW(ruler, WM_COMMAND, ID_COPY, 0);
    if (m_start.command == StartCommand::Save) PostMessageW(ruler, StartSaveMessage(), 0, 0);
}

bool CCommandTool::OnMessage(UINT message, WPARAM, LPARAM lParam, LRESULT& result)
{
    if (message == WM_COPYDATA) {
        const auto command = ReceivedCommand(lParam);
        if (!command) return false;
        result = OnHandOver(*command);
        return true;
    }
    if (message == 0 || message != StartSaveMessage()) return false;
    SaveForStart();
    result = 0;
    return true;
}

LRESULT CCommandTool::OnHandOver(const CommandLine& command)
{
    const HWND ruler = m_host.Window();
    switch (command.command) {
    case StartCommand::Run:
    case StartCommand::Show: BringRulerForward(ruler, POINT{}, false); break;
    case StartCommand::Copy: PostMessageW(ruler, WM_COMMAND, ID_COPY, 0); break;
    case StartCommand::Exit: PostMessageW(ruler, WM_COMMAND, IDOK, 0); break;
    case StartCommand::Save:
        if (SaveAfterDelay(command.file)) return kHandOverDone;
        // A ruler the user started tells the user too, once the second start has its
        // answer and need not wait for the message box.
        if (m_start.command != StartCommand::Save) {
            ReplyMessage(kHandOverNotSaved);
            ReportSaveFailure(ruler);
        }
        return kHandOverNotSaved;
    default: break;
    }
    return kHandOverDone;
}

void CCommandTool::SaveForStart()
{
    m_exitCode = SaveAfterDelay(m_start.file) ? kExitDone : kExitNotSaved;
    // Started for the save alone: it ends as "Exit" does.
    PostMessageW(m_host.Window(), WM_COMMAND, IDOK, 0);
}

bool CCommandTool::SaveAfterDelay(const std::wstring& path)
{
    // The ruler's own windows step aside for the whole delay, so what lay below them has
    // painted when the screen is read.
    m_host.PutAsideForPicture(true);
    // The same moment "Copy" gives the user to arrange the screen; the ruler keeps working meanwhile.
    DispatchMessagesFor(static_cast<DWORD>(std::max(m_host.Model().options.CopyTimer, 0)));
    // A ruler that has only just started may not have painted itself yet.
    UpdateWindow(m_host.Window());
    const bool saved = SavePictureTo(path, m_picture, RulerPicture(m_host));
    m_host.PutAsideForPicture(false);
    return saved;
}
