#include "app/StartUp.h"

#include "app/CommandHandOver.h"
#include "app/RulerInstance.h"
#include "copy/PictureFormat.h"
#include "framework/Application.h"
#include "framework/StringMessageBox.h"
#include "resources/resource.h"

namespace {

// How long a second start waits for a ruler that is still starting to show its window,
// or for one that is ending to be gone.
constexpr DWORD kWaitForRulerMs = 10000;
// How often it looks at the block again meanwhile.
constexpr DWORD kLookAgainMs = 50;

// Started from a console, the process may not be the foreground's: the box comes to the
// front all the same.
int StartMessageBox(const std::wstring& text, UINT icon)
{
    return MessageBoxW(nullptr, text.c_str(), AppRegistry::AppTitle().c_str(), MB_OK | MB_SETFOREGROUND | icon);
}

int RefuseUnknownType(const std::wstring& file)
{
    const std::wstring extension = ExtensionOf(file);
    StartMessageBox(LoadResourceString(IDS_PICTURE_TYPE_UNKNOWN) + L"\n\n" + (extension.empty() ? file : extension),
                    MB_ICONEXCLAMATION);
    return kExitBadCommandLine;
}

} // namespace

int ShowUsage(const CommandLine& command)
{
    const bool asked = command.command == StartCommand::Help;
    std::wstring text = LoadResourceString(IDS_USAGE);
    // What was wrong comes first, then the switches that are right.
    if (!asked && command.wrong.empty()) text = LoadResourceString(IDS_SAVE_NEEDS_FILE) + L"\n\n" + text;
    if (!asked && !command.wrong.empty())
        text = LoadResourceString(IDS_UNKNOWN_ARGUMENT) + L" " + command.wrong + L"\n\n" + text;
    StartMessageBox(text, asked ? MB_ICONINFORMATION : MB_ICONEXCLAMATION);
    return asked ? kExitDone : kExitBadCommandLine;
}

std::optional<int> ExitBeforeRuler(const CommandLine& command, CRulerInstance& instance)
{
    if (command.command == StartCommand::Help || command.command == StartCommand::Invalid) return ShowUsage(command);
    if (command.command == StartCommand::Save && !PictureFormatOf(command.file)) return RefuseUnknownType(command.file);
    const bool exit = command.command == StartCommand::Exit;
    if (instance.Claim()) return exit ? std::optional<int>(kExitDone) : std::nullopt;

    const DWORD start = GetTickCount();
    HWND refused = nullptr; // once a window did not take the command, only a new ruler's is tried
    for (;;) {
        const CRulerInstance::Running running = CRulerInstance::FindRunningRuler();
        if (running.window && running.window != refused) {
            if (const auto exitCode = HandOverCommand(running, command)) return exitCode;
            refused = running.window;
        }
        // The ruler that held the session has gone: this start is the ruler now, and an
        // Exit has nothing left to end.
        if (instance.WaitForClaim(kLookAgainMs)) return exit ? std::optional<int>(kExitDone) : std::nullopt;
        if (GetTickCount() - start >= kWaitForRulerMs) return kExitNotDone;
    }
}
