#pragma once

// A second start's command line, handed to the running ruler as a WM_COPYDATA (format
// and answers in app/CommandLine.h). The sender waits for the answer, so a /save ends
// only once the ruler has written the file, and learns whether it could.

#include "app/CommandLine.h"

#include <windows.h>

#include <optional>

// The second start's side: hands `command` over, a Save's file made a full path here
// (the ruler has its own current folder), lets the ruler come to the front, and returns
// this process's exit code. Waits as long as the ruler keeps answering messages.
int HandOverCommand(HWND ruler, const CommandLine& command);

// The ruler's side, in its WM_COPYDATA handler: the command a hand-over carries; none
// for any other WM_COPYDATA, which goes to default processing.
std::optional<CommandLine> ReceivedCommand(LPARAM copyData);

// For the ruler's Save, which answers only once the file is written: waits `ms` while
// the thread's messages are still dispatched, so the ruler keeps painting meanwhile.
void DispatchMessagesFor(DWORD ms);
