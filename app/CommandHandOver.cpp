#include "app/CommandHandOver.h"

#include "framework/Handles.h"
#include "ruler/RulerOptions.h"

#include <vector>

namespace {

// The ruler answers at once; one that is busy with a long step still answers within this.
constexpr UINT kAnswerTimeoutMs = 10000;
// The longest a Save can take: the longest copy delay, and time to wait for a dialog of
// the ruler's to close and to write the file.
constexpr DWORD kSaveTimeoutMs = MaxCopyTimer + 60000;
// An Exit saves the options and lets go of the tray icon and the global keys.
constexpr DWORD kRulerEndTimeoutMs = 10000;

UINT SaveResultMessage()
{
    static const UINT message = RegisterWindowMessageW(kSaveResultMessageName);
    return message;
}

std::wstring FullPathOf(const std::wstring& path)
{
    const DWORD size = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (size == 0) return path;
    std::wstring full(size, L'\0');
    const DWORD length = GetFullPathNameW(path.c_str(), size, &full[0], nullptr);
    if (length == 0 || length >= size) return path;
    full.resize(length);
    return full;
}

// The Save's result as the ruler posted it to `window`; kExitNotDone when the ruler
// ends first (`process`, when it could be opened) or the time is up.
int AwaitSaveResult(HWND window, HANDLE process)
{
    const UINT result = SaveResultMessage();
    const DWORD start = GetTickCount();
    for (;;) {
        MSG msg;
        if (PeekMessageW(&msg, window, result, result, PM_REMOVE)) return SaveResultExitCode(msg.wParam);
        const DWORD elapsed = GetTickCount() - start;
        if (elapsed >= kSaveTimeoutMs) return kExitNotDone;
        const DWORD woke =
            MsgWaitForMultipleObjects(process ? 1 : 0, &process, FALSE, kSaveTimeoutMs - elapsed, QS_POSTMESSAGE);
        // The ruler's last word may have come just before it ended.
        if (process && woke == WAIT_OBJECT_0)
            return PeekMessageW(&msg, window, result, result, PM_REMOVE) ? SaveResultExitCode(msg.wParam)
                                                                        : kExitNotDone;
    }
}

} // namespace

std::optional<int> HandOverCommand(const CRulerInstance::Running& running, const CommandLine& command)
{
    CommandLine sent = command;
    if (sent.command == StartCommand::Save) sent.file = FullPathOf(sent.file);
    std::vector<unsigned char> data = EncodeHandOver(sent);
    COPYDATASTRUCT copy = {};
    copy.dwData = kHandOverId;
    copy.cbData = static_cast<DWORD>(data.size());
    copy.lpData = data.data();

    // Opened before the hand-over, so that its id cannot pass to another process meanwhile.
    const KernelHandle process(OpenProcess(SYNCHRONIZE, FALSE, running.processId));
    OwnedWindow replyTo;
    if (sent.command == StartCommand::Save) {
        replyTo.reset(CreateWindowExW(0, L"STATIC", nullptr, 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                      GetModuleHandleW(nullptr), nullptr));
        // A ruler of lower integrity than this process may still post the result.
        if (replyTo) ChangeWindowMessageFilterEx(replyTo.get(), SaveResultMessage(), MSGFLT_ALLOW, nullptr);
    }
    // The user started this process, so it may give the foreground away to the ruler.
    AllowSetForegroundWindow(running.processId);
    DWORD_PTR reply = 0;
    const bool delivered =
        SendMessageTimeoutW(running.window, WM_COPYDATA, reinterpret_cast<WPARAM>(replyTo.get()),
                            reinterpret_cast<LPARAM>(&copy), SMTO_ABORTIFHUNG, kAnswerTimeoutMs, &reply) != 0;
    const HandOverOutcome outcome = AfterAnswer(sent.command, delivered, static_cast<intptr_t>(reply));
    switch (outcome.next) {
    case AfterHandOver::WaitForClaim: return std::nullopt;
    case AfterHandOver::AwaitSave: return AwaitSaveResult(replyTo.get(), process.get());
    case AfterHandOver::AwaitRuler:
        // Without its process, the ruler's mutex tells when it has gone.
        if (!process) return std::nullopt;
        return WaitForSingleObject(process.get(), kRulerEndTimeoutMs) == WAIT_OBJECT_0 ? kExitDone : kExitNotDone;
    case AfterHandOver::End: break;
    }
    return outcome.exitCode;
}

bool IsHandOver(LPARAM copyData)
{
    const auto* copy = reinterpret_cast<const COPYDATASTRUCT*>(copyData);
    return copy && copy->dwData == kHandOverId;
}

std::optional<CommandLine> ReceivedCommand(LPARAM copyData)
{
    if (!IsHandOver(copyData)) return std::nullopt;
    const auto* copy = reinterpret_cast<const COPYDATASTRUCT*>(copyData);
    return DecodeHandOver(copy->lpData, copy->cbData);
}

void PostSaveResult(HWND to, bool saved)
{
    if (to && IsWindow(to)) PostMessageW(to, SaveResultMessage(), saved ? kHandOverDone : kHandOverNotSaved, 0);
}
