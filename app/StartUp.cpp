#include "app/StartUp.h"

#include "app/CommandHandOver.h"
#include "app/RulerInstance.h"
#include "framework/Application.h"
#include "framework/StringMessageBox.h"
#include "resources/resource.h"

namespace {

// How long a second start waits for a ruler that is still starting to show its window.
constexpr DWORD kFindRulerTimeoutMs = 10000;

} // namespace

int ShowUsage(const CommandLine& command)
{
    const bool asked = command.command == StartCommand::Help;
    MessageBoxW(nullptr, LoadResourceString(IDS_USAGE).c_str(), AppRegistry::AppTitle().c_str(),
                MB_OK | (asked ? MB_ICONINFORMATION : MB_ICONEXCLAMATION));
    return asked ? kExitDone : kExitBadCommandLine;
}

std::optional<int> ExitBeforeRuler(const CommandLine& command, CRulerInstance& instance)
{
    if (command.command == StartCommand::Help || command.command == StartCommand::Invalid) return ShowUsage(command);
    if (instance.Claim()) {
        if (command.command == StartCommand::Exit) return kExitDone;
        return std::nullopt;
    }
    HWND ruler = CRulerInstance::FindRunningRuler(kFindRulerTimeoutMs);
    if (!ruler) return HandOverExitCode(command.command, false, 0);
    return HandOverCommand(ruler, command);
}
