#pragma once

// A second start's command line, handed to the running ruler as a WM_COPYDATA (format
// and answers in app/CommandLine.h). The ruler answers at once and never runs a message
// loop for it: a Save's result comes later, posted to a message-only window of the
// sender's, for which the sender waits on its own, bounded; an Exit's sender waits,
// bounded, for the ruler's process to end.

#include "app/CommandLine.h"
#include "app/RulerInstance.h"

#include <windows.h>

#include <optional>

// The second start's side: hands `command` over to the ruler `running` names, a Save's
// file made a full path here (the ruler has its own current folder), lets the ruler come
// to the front, waits for what the answer calls for, and returns this process's exit
// code. None when no ruler took the command (it did not arrive, or the ruler has begun
// to end): the caller then waits to be the ruler itself.
std::optional<int> HandOverCommand(const CRulerInstance::Running& running, const CommandLine& command);

// The ruler's side, in its WM_COPYDATA handler: whether the message is a hand-over at all
// (another program's WM_COPYDATA goes to default processing), and the command it carries,
// none when the block is ill-formed.
bool IsHandOver(LPARAM copyData);
std::optional<CommandLine> ReceivedCommand(LPARAM copyData);

// The ruler's side, once a handed-over Save has run: tells the sender's window `to`
// (the hand-over's wParam; nothing when it is none) whether the file was written.
void PostSaveResult(HWND to, bool saved);
