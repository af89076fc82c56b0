#pragma once

#include <windows.h>

#include <cstdio>

// Under Wine an unhandled exception starts the debugger and waits behind its crash
// dialog: a test program that crashes must end at once, with the code it died of.
inline LONG WINAPI ExitOnCrash(EXCEPTION_POINTERS* info)
{
    std::fprintf(stderr, "test program crashed: exception 0x%08lX\n",
                 static_cast<unsigned long>(info->ExceptionRecord->ExceptionCode));
    std::fflush(stderr);
    TerminateProcess(GetCurrentProcess(), 3);
    return EXCEPTION_EXECUTE_HANDLER;
}
