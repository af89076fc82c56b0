#pragma once

// Mensuro's command line: at most one switch, case-insensitive, starting with '/' or '-':
//   /show       the running ruler to the front, activated, where it is
//   /copy       "Copy", as the menu does it
//   /save FILE  "Save Picture" to FILE without the dialog, after the copy's delay, in the
//               type FILE's extension names (copy/PictureFormat.h)
//   /exit       ends the running ruler through "Exit"; with none running, nothing
//   /?          a message box naming the switches
// Anything else (an unknown switch, /save without FILE, a second argument) is Invalid:
// the same message box, naming what was wrong first, and exit code 2. Window-free, so
// the native build tests it.

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
    std::wstring file;  // Save only
    std::wstring wrong; // Invalid only: the argument Mensuro does not know; empty for /save without FILE

    bool operator==(const CommandLine& o) const
    {
        return command == o.command && file == o.file && wrong == o.wrong;
    }
};

// The process's exit codes.
constexpr int kExitDone = 0;
constexpr int kExitNotDone = 1;        // a /save not written, or a command no ruler took
constexpr int kExitBadCommandLine = 2; // an unknown switch, a missing FILE, a FILE of no picture type

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
// the file's full path in UTF-16 code units, no terminator; its wParam is the sender's
// window for a Save's result (below). Only Run, Show, Copy, Save and Exit travel.
constexpr uintptr_t kHandOverId = 0x4D6E5243; // "MnRC"
// The longest block: the command and the longest path Windows takes.
constexpr size_t kMaxHandOverBytes = 4 + 2 * 32767;
std::vector<unsigned char> EncodeHandOver(const CommandLine& command);
// The command the data carries; none when it is not a well-formed hand-over: too long,
// an unknown command, a file where none belongs, or a Save's file that is missing, holds
// a NUL, is not a full path (any sender other than Mensuro may send one) or names no
// picture type.
std::optional<CommandLine> DecodeHandOver(const void* data, size_t size);

// A full path: "X:\..." (or "X:/"), or one that starts with two separators (a share,
// "\\?\", "\\.\"). "X:name" and "\name" depend on the current folder and drive.
bool IsFullPath(const std::wstring& path);

// What the ruler's WM_COPYDATA answers. 0 is what a window answers that does not know
// the hand-over, and what the ruler answers once it has begun to end.
constexpr intptr_t kHandOverDone = 1;     // taken (Run, Show, Copy, Exit)
constexpr intptr_t kHandOverNotSaved = 2; // refused: ill-formed, or a save already runs
constexpr intptr_t kHandOverSaving = 3;   // a Save taken: its result follows (below)
// A Save's result, posted to the sender's window: wParam kHandOverDone once the file is
// written, kHandOverNotSaved when it could not be.
constexpr wchar_t kSaveResultMessageName[] = L"Mensuro.SaveResult";

// What a second start does once its hand-over has an answer (`delivered`: the message
// reached a window and came back with `reply`).
enum class AfterHandOver {
    End,          // exit with `exitCode`
    AwaitSave,    // wait, bounded, for the Save's result
    AwaitRuler,   // an Exit taken: wait, bounded, for the ruler's process to end
    WaitForClaim, // no ruler took it: wait for the running one to end, then be the ruler
};
struct HandOverOutcome {
    AfterHandOver next = AfterHandOver::End;
    int exitCode = kExitDone;
    bool operator==(const HandOverOutcome& o) const { return next == o.next && exitCode == o.exitCode; }
};
HandOverOutcome AfterAnswer(StartCommand command, bool delivered, intptr_t reply);

// The second start's exit code from a Save's result message.
int SaveResultExitCode(uintptr_t result);
