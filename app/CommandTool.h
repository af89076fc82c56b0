#pragma once

// The command line's side of the ruler: it owns the ruler's announcement to later starts
// (app/RulerInstance.h), the commands they hand over (WM_COPYDATA, app/CommandHandOver.h),
// the command this process was started with, the saves they ask for (timer
// TimerHandOverSave: the copy's delay, then a wait for any dialog of the ruler's to close),
// a handed-over Copy's wait for such a dialog (TimerHandOverCopy), and the exit code the
// process ends with. It brings the ruler's window forward, posts the ruler "Copy" and
// "Exit" (IDOK, which saves the options; with a dialog of the ruler's open, the ruler ends
// once it is closed), puts the ruler's windows aside for a picture and saves the copy's
// picture to a file; it changes nothing of the model.
//
// The WM_COPYDATA handler answers at once: a Save's result is posted to the sender later.
// One save runs at a time; a second is refused. Once the ruler has been told to end, it
// takes its window out of the block and refuses every hand-over; a save still in its
// delay is then taken as soon as the delay is over, with no input handled meanwhile, and
// the ruler ends right after it.
//
// A save from the command line never asks for a file, and a ruler started for one never
// reports a failure: it ends, and its exit code tells the script. A ruler the user started
// reports a failed handed-over save as "Save Picture..." does, but only after the second
// start has its answer, so that no script waits on the message box.

#include "app/CommandLine.h"
#include "copy/ScreenPicture.h"
#include "ruler/RulerHost.h"
#include "ruler/RulerTool.h"

#include <optional>

class CCommandTool : public RulerTool {
public:
    // `start`: this process's own command (Run, Show, Copy or Save).
    CCommandTool(RulerHost& host, const CommandLine& start);

    void OnStart() override;
    void OnEnding() override;
    void OnEnd() override;
    void OnTimer(UINT_PTR id) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

    // Once the ruler has ended: kExitNotDone after a start for /save that did not write
    // its file (whatever ended it), else kExitDone.
    int ExitCode() const { return m_exitCode; }

private:
    struct PendingSave {
        std::wstring path;
        HWND replyTo = nullptr; // the sender's window for the result; null for this start's own
        DWORD due = 0;          // when the delay is over (GetTickCount)
    };

    // A later start's command (`sender`: the hand-over's wParam); the answer to its WM_COPYDATA.
    LRESULT OnHandOver(HWND sender, const CommandLine& command);
    // Puts the ruler aside and starts the copy's delay; false when a save runs already.
    bool BeginSave(const std::wstring& path, HWND replyTo);
    // Takes the picture, writes the file and says how it went.
    void FinishSave();
    // The save can no longer be taken: the sender learns that it was not written.
    void AbandonSave();
    // A dialog or message box of the ruler's is open.
    bool RulerBusy() const;
    void StopTakingHandOvers();

    RulerHost& m_host;
    const CommandLine m_start;
    CScreenPicture m_picture;
    std::optional<PendingSave> m_save;
    bool m_ending = false;
    int m_exitCode;
};
