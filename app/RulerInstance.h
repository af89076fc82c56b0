#pragma once

// One ruler per user and session. The process that runs the ruler claims a named mutex,
// "Local\Mensuro-<the user's SID>" ("Local\": this session; the SID: this user), for its
// whole life, and creates beside it a small named block of memory,
// "Local\Mensuro-<SID>-Window", in which the ruler's window announces itself
// (AnnounceRulerWindow) beside its process's id. A later start finds the mutex held, reads
// the window from the block and hands its command line over (app/CommandHandOver.h). A
// ruler that begins to end takes its window out of the block; a later start that finds
// none waits for the mutex instead and, once it has it, is the ruler.

#include "framework/Handles.h"

#include <windows.h>

class CRulerInstance {
public:
    CRulerInstance() = default;
    ~CRulerInstance();
    CRulerInstance(const CRulerInstance&) = delete;
    CRulerInstance& operator=(const CRulerInstance&) = delete;

    // Claims the session's ruler for this process: true when no other process holds it
    // (one that ended without letting go counts as none), or when no mutex can be had
    // at all. Call it once, on the thread that lives as long as the ruler.
    bool Claim();
    // After a Claim that failed: waits up to `ms` for the process that holds the ruler to
    // let go (or to end without letting go); true when this process now holds it.
    bool WaitForClaim(DWORD ms);

    // The running ruler as the block names it now: its window (null while it starts, once
    // it has begun to end, or when the window is not its process's any more) and its
    // process (0 when no block is there).
    struct Running {
        HWND window = nullptr;
        DWORD processId = 0;
    };
    static Running FindRunningRuler();

private:
    void TakeOwnership();

    KernelHandle m_mutex;
    KernelHandle m_block;
    bool m_owner = false;
};

// The ruler's window, once it exists (its WM_INITDIALOG), tells later starts where it is;
// null once the ruler has begun to end. Does nothing in a process that did not claim the
// ruler.
void AnnounceRulerWindow(HWND ruler);
