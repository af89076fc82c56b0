#include "app/CommandHandOver.h"

#include "ruler/RulerOptions.h"

#include <vector>

namespace {

// The longest a Save can take: the longest copy delay, and time to write the file.
constexpr UINT kHandOverTimeoutMs = MaxCopyTimer + 60000;

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

} // namespace

int HandOverCommand(HWND ruler, const CommandLine& command)
{
    CommandLine sent = command;
    if (sent.command == StartCommand::Save) sent.file = FullPathOf(sent.file);
    std::vector<unsigned char> data = EncodeHandOver(sent);
    COPYDATASTRUCT copy = {};
    copy.dwData = kHandOverId;
    copy.cbData = static_cast<DWORD>(data.size());
    copy.lpData = data.data();

    // The user started this process, so it may give the foreground away to the ruler.
    DWORD processId = 0;
    if (GetWindowThreadProcessId(ruler, &processId)) AllowSetForegroundWindow(processId);
    DWORD_PTR reply = 0;
    const bool delivered =
        SendMessageTimeoutW(ruler, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&copy),
                            SMTO_ABORTIFHUNG | SMTO_NOTIMEOUTIFNOTHUNG, kHandOverTimeoutMs, &reply) != 0;
    return HandOverExitCode(sent.command, delivered, static_cast<intptr_t>(reply));
}

std::optional<CommandLine> ReceivedCommand(LPARAM copyData)
{
    const auto* copy = reinterpret_cast<const COPYDATASTRUCT*>(copyData);
    if (!copy || copy->dwData != kHandOverId) return std::nullopt;
    return DecodeHandOver(copy->lpData, copy->cbData);
}

void DispatchMessagesFor(DWORD ms)
{
    const DWORD start = GetTickCount();
    for (DWORD elapsed = 0; elapsed < ms; elapsed = GetTickCount() - start) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, ms - elapsed, QS_ALLINPUT);
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                // The loop outside sees it too and ends.
                PostQuitMessage(static_cast<int>(msg.wParam));
                return;
            }
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
}
