#pragma once

#include <windows.h>

#include <string>

// What Wine offers a test program beyond Windows: Unix paths and Unix programs.

// Whether this process runs under Wine.
bool UnderWine();
// The Windows path of a Unix file ("/usr/bin/xdotool" -> "Z:\usr\bin\xdotool"); empty when
// not under Wine or when the file is missing.
std::wstring DosPathOf(const char* unixPath);
// The Unix path of a Windows file; empty when not under Wine.
std::string UnixPathOf(const std::wstring& dosPath);
// Runs a command line in a Unix shell (no double quotes in it) and waits until it has ended,
// at most timeoutMs, handling this thread's window messages meanwhile. What it printed goes
// to `output`. False when it did not end in time or ended with a failure.
bool RunUnixCommand(const std::string& command, std::string& output, DWORD timeoutMs = 30000);
