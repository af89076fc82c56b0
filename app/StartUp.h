#pragma once

// What a start does before any window or tray icon exists, and before the registry is
// read (wWinMain):
//   /? or a bad command line  the switches in a message box (what was wrong named
//                             first); exit code 0 or 2; nothing claimed, so no running
//                             ruler is disturbed
//   /save FILE of no picture  a message box naming the extension; exit code 2
//   type
//   another ruler runs        the command handed over to it (app/CommandHandOver.h);
//                             exit code 0, or 1 when it was not done (a /save not written)
//   a ruler ends or starts    waits, up to 10 s, for it to be gone (then this start is
//                             the ruler) or to show its window (then the hand-over);
//                             exit code 1 when neither comes
//   /exit, none running       nothing; exit code 0
// Otherwise nothing is returned, `instance` holds the claim, and this process runs the
// ruler, which then carries out `command` itself (Run, Show, Copy or Save).

#include "app/CommandLine.h"

#include <optional>

class CRulerInstance;

std::optional<int> ExitBeforeRuler(const CommandLine& command, CRulerInstance& instance);

// The switches in a message box; the exit code of /? (0) or of a bad command line (2).
int ShowUsage(const CommandLine& command);
