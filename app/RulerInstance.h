#pragma once

// One ruler per user and session. The process that runs the ruler claims a named mutex,
// "Local\Mensuro-<the user's SID>" ("Local\": this session; the SID: this user), for its
// whole life, and creates beside it a small named block of memory,
// "Local\Mensuro-<SID>-Window", in which the ruler's window announces itself
// (AnnounceRulerWindow). A later start finds the mutex held, reads the window from the
// block and hands its command line over (app/CommandHandOver.h).

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

    // The running ruler's window, waiting up to `timeoutMs` for it to announce itself
    // (a ruler that is starting has no window yet); null when none shows up.
    static HWND FindRunningRuler(DWORD timeoutMs);

private:
    KernelHandle m_mutex;
    KernelHandle m_block;
    bool m_owner = false;
};

// The ruler's window, once it exists (its WM_INITDIALOG), tells later starts where it is.
// Does nothing in a process that did not claim the ruler.
void AnnounceRulerWindow(HWND ruler);
