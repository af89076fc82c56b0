#pragma once

// Mensuro's command line: at most one switch, case-insensitive, starting with '/' or '-':
//   /show       the running ruler to the front, activated, where it is
//   /copy       "Copy", as the menu does it
//   /save FILE  "Save Picture" to FILE as PNG, without the dialog, after the copy's delay
//   /exit       ends the running ruler through "Exit"; with none running, nothing
//   /?          a message box naming the switches
// Anything else (an unknown switch, /save without FILE, a second argument) is Invalid:
// the same message box, and exit code 2. Window-free, so the native build tests it.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The numbers are part of the hand-over's format below: keep them.
enum class StartCommand : uint32_t {
    Run = 0, // no switch: start the ruler, or bring the running one to the front
    Show = 1,
    Copy = 2,
    Save = 3,
    Exit = 4,
    Help = 5,
    Invalid = 6,
};

struct CommandLine {
    StartCommand command = StartCommand::Run;
    std::wstring file; // Save only

    bool operator==(const CommandLine& o) const { return command == o.command && file == o.file; }
};

// The process's exit codes.
constexpr int kExitDone = 0;
constexpr int kExitNotSaved = 1;       // /save could not write the file
constexpr int kExitBadCommandLine = 2; // an unknown switch or a missing FILE

// A whole command line (GetCommandLineW) split as CommandLineToArgvW splits it: the
// program's name first, which ends at the next quote when it starts with one and at
// white space otherwise; then arguments separated by spaces and tabs, where quotes
// group, 2n backslashes before a quote give n and the quote groups, 2n + 1 give n and
// a literal quote, and a quote right after a closing quote is literal.
std::vector<std::wstring> SplitCommandLine(const std::wstring& whole);

// The command of a whole command line, its program name skipped.
CommandLine ParseCommandLine(const std::wstring& whole);

// The hand-over from a second start to the running ruler, as a WM_COPYDATA whose dwData
// is kHandOverId and whose data is the command as a little-endian uint32, then for Save
// the file's full path in UTF-16 code units, no terminator. Only Run, Show, Copy, Save
// and Exit travel.
constexpr uintptr_t kHandOverId = 0x4D6E5243; // "MnRC"
std::vector<unsigned char> EncodeHandOver(const CommandLine& command);
// The command the data carries; none when it is not a well-formed hand-over.
std::optional<CommandLine> DecodeHandOver(const void* data, size_t size);

// What the ruler's WM_COPYDATA answers: the command was taken (for Save: the file is
// written), or the picture could not be written. 0 is what a window answers that does
// not know the hand-over.
constexpr intptr_t kHandOverDone = 1;
constexpr intptr_t kHandOverNotSaved = 2;

// The second start's exit code once it has handed `command` over (`delivered`: the
// message reached the ruler and came back with `reply`). Only a Save that is not known
// to have been written fails.
int HandOverExitCode(StartCommand command, bool delivered, intptr_t reply);
